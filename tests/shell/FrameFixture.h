// A main frame as the program makes it, with its program folder (where lang.dat lives) and
// its settings in a temporary folder of the test's own, a file chooser that answers with a
// set path and messages that are recorded instead of shown.
#pragma once

#include "AppState.h"
#include "FileChooser.h"
#include "LeakCheckSupport.h"
#include "MainFrame.h"
#include "MessagePresenter.h"

#include <QByteArray>
#include <QFile>
#include <QSettings>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

#include <memory>

namespace framefixture {

class SetPathChooser : public FileChooser {
public:
    QString path;
    QString chooseMediaFile(QWidget*) override { return path; }
    QString chooseSubtitleFile(QWidget*, const QString& title, const QString&) override
    {
        subtitleTitle = title;
        return subtitlePath;
    }
    QString subtitlePath;
    QString subtitleTitle;
};

class RecordedMessages : public MessagePresenter {
public:
    QStringList shown;
    void information(QWidget*, const QString&, const QString& text) override { shown << text; }
    void notice(const QString&, const QString& text) override { shown << text; }
};

class FrameTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(programDir.isValid());
        ASSERT_TRUE(configDir.isValid());
        // The frame's settings (window state, skin colour) go to this test's own folder.
        QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, configDir.path());
        QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, configDir.path());
        app.moduleDirectory = programDir.path().toStdString() + "/";
    }

    void createFrame()
    {
        frame.reset();
        frame = std::make_unique<CMainFrame>(app, chooser, messages, nullptr, nullptr);
        frame->resize(1100, 760);
        frame->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(frame.get()));
        leakcheck::keepGlDriverLoaded();
    }

    QString langPath() const { return programDir.filePath(QStringLiteral("lang.dat")); }
    void storeLang(const QByteArray& bytes)
    {
        QFile file(langPath());
        ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        ASSERT_EQ(file.write(bytes), bytes.size());
    }
    QByteArray storedLang() const
    {
        QFile file(langPath());
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
    }

    QTemporaryDir programDir;
    QTemporaryDir configDir;
    AppState app;
    SetPathChooser chooser;
    RecordedMessages messages;
    std::unique_ptr<CMainFrame> frame;
};

}  // namespace framefixture
