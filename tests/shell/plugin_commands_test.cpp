// The plug-in menu and the web commands in the running program: the codec downloads write
// plugin.mp and start the downloader beside the program (here a stand-in script, or the real
// `plugin` with a stand-in browser), "Show Plugins" opens the filter list, and "Home Page",
// the product-site button and the About dialog's links open the browser.
#include "Eventually.h"
#include "../view/PlayerTestDoubles.h"
#include "AboutDialog.h"
#include "CommandIds.h"
#include "ExplorerBar.h"
#include "ExplorerButtons.h"
#include "FilterListDialog.h"
#include "LeakCheckSupport.h"
#include "MainFrame.h"
#include "MenuDriver.h"
#include "PlayerApp.h"

#include <QApplication>
#include <QDesktopServices>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QTimer>

#include <gtest/gtest.h>

#include <memory>

namespace {

// Settings go to a private folder, never to the user's.
const bool settingsIsolated = [] {
    static QTemporaryDir dir;
    qputenv("XDG_CONFIG_HOME", dir.path().toLocal8Bit());
    return true;
}();

// Receives the URLs the program asks the desktop to open, for https and mailto addresses
// while it lives.
class UrlRecorder : public QObject {
    Q_OBJECT
public:
    UrlRecorder()
    {
        QDesktopServices::setUrlHandler("https", this, "open");
        QDesktopServices::setUrlHandler("mailto", this, "open");
    }
    ~UrlRecorder() override
    {
        QDesktopServices::unsetUrlHandler("https");
        QDesktopServices::unsetUrlHandler("mailto");
    }
    QStringList urls;
public slots:
    void open(const QUrl& url) { urls << url.toString(); }
};

class PluginCommandsTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(programDir.isValid());
        app = std::make_unique<CPlayerApp>(QCoreApplication::applicationDirPath());
        // The program folder, where plugin.mp and the downloader are, is this test's own.
        app->state().moduleDirectory = programDir.path().toStdString() + "/";
        app->setMessagePresenter(&messages);
        app->setFileChooser(&chooser);
        ASSERT_TRUE(app->InitInstance({"VelmoraPlayer"}));
        ASSERT_TRUE(QTest::qWaitForWindowExposed(frame()));
        leakcheck::keepGlDriverLoaded();
    }
    void TearDown() override
    {
        if (app)
            app->ExitInstance(0);
    }

    CMainFrame* frame() const { return app->mainFrame(); }
    QString inProgramDir(const QString& name) const { return programDir.filePath(name); }
    QByteArray record() const
    {
        QFile file(inProgramDir("plugin.mp"));
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }
    static QByteArray field(const QByteArray& record, int offset)
    {
        return QByteArray(record.constData() + offset);  // up to its NUL
    }
    // A stand-in downloader that writes one line to started.log each time it runs.
    void standInDownloader()
    {
        writeScript(inProgramDir("plugin"),
                    "echo started >> \"$(dirname \"$0\")/started.log\"\n");
    }
    static void writeScript(const QString& path, const QByteArray& body)
    {
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        file.write("#!/bin/sh\n" + body);
        file.close();
        file.setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    }
    int startedCount() const
    {
        QFile log(inProgramDir("started.log"));
        return log.open(QIODevice::ReadOnly) ? log.readAll().count('\n') : 0;
    }
    QToolButton* menuButton(int index) const { return frame()->explorerBar()->menuButtons().at(index); }

    QTemporaryDir programDir;
    RecordingMessages messages;
    QueuedFileChooser chooser;
    std::unique_ptr<CPlayerApp> app;
};

}  // namespace

// Two downloads in a row: plugin.mp holds only the second record, 316 bytes with its three
// fields at 0, 30 and 60, and the downloader ran twice.
TEST_F(PluginCommandsTest, TwoDownloadsInARowLeaveTheSecondRecordAndStartTheDownloaderTwice)
{
    standInDownloader();
    ASSERT_TRUE(menudriver::clickPath(menuButton(2), {"K-Lite Mega Codec Pack(Recommend)"}));
    ASSERT_TRUE(menudriver::clickPath(menuButton(2), {"Download Others", "Xvid Codec pack"}));
    const QByteArray bytes = record();
    ASSERT_EQ(bytes.size(), 316);
    EXPECT_EQ(field(bytes, 0), "Xvid Codec Pack");
    EXPECT_EQ(field(bytes, 30), "Xvid.exe");
    EXPECT_EQ(field(bytes, 60), "https://packages.debian.org/stable/gstreamer1.0-libav");
    EXPECT_EVENTUALLY(startedCount() == 2);
    EXPECT_TRUE(messages.boxes.empty());
}

// Every download command's record: the names it has always had and a web address that helps
// a user of this system.
TEST_F(PluginCommandsTest, EachDownloadWritesItsOwnRecord)
{
    struct Expected {
        Command id;
        const char* name;
        const char* file;
        const char* url;
    };
    const Expected downloads[] = {
        {Command::DownloadPerfectDecoder, "Pure Codec 2009", "PureCodec20091001.exe",
         "https://packages.debian.org/stable/gstreamer1.0-libav"},
        {Command::DownloadKLite, "K-Lite Mega Codec Pack", "klmcodec.exe",
         "https://wiki.debian.org/MultimediaCodecs"},
        {Command::DownloadFfdshow, "FFDShow MPEG4 Video Decoder", "ffdshow.exe",
         "https://packages.debian.org/stable/gstreamer1.0-libav"},
        {Command::DownloadDivx, "Divx Codec Pack", "DivXInstaller.exe",
         "https://packages.debian.org/stable/gstreamer1.0-libav"},
        {Command::DownloadXvid, "Xvid Codec Pack", "Xvid.exe",
         "https://packages.debian.org/stable/gstreamer1.0-libav"},
        {Command::DownloadQuickTime, "Apple Quick Time Full", "quicktimefull.exe",
         "https://packages.debian.org/stable/gstreamer1.0-plugins-good"},
        {Command::DownloadDvdDecoder, "DVD Decoder", "DVDDecoder.exe",
         "https://packages.debian.org/stable/gstreamer1.0-plugins-ugly"},
    };
    // No downloader in the folder: nothing is said about it.
    for (const Expected& d : downloads) {
        SCOPED_TRACE(d.name);
        EXPECT_TRUE(frame()->router().update(d.id).enabled);
        ASSERT_TRUE(frame()->dispatchCommand(d.id));
        const QByteArray bytes = record();
        ASSERT_EQ(bytes.size(), 316);
        EXPECT_EQ(field(bytes, 0), d.name);
        EXPECT_EQ(field(bytes, 30), d.file);
        EXPECT_EQ(field(bytes, 60), d.url);
    }
    EXPECT_TRUE(messages.boxes.empty());
}

// A record that cannot be written: "ERROR", and the downloader is not started.
TEST_F(PluginCommandsTest, ARecordThatCannotBeWrittenSaysErrorAndStartsNothing)
{
    standInDownloader();
    ASSERT_TRUE(QDir(programDir.path()).mkdir("plugin.mp"));  // a folder where the file goes
    ASSERT_TRUE(frame()->dispatchCommand(Command::DownloadDivx));
    ASSERT_EQ(messages.boxes.size(), 1u);
    EXPECT_EQ(messages.boxes[0].text, "ERROR");
    EXPECT_EQ(messages.boxes[0].title, "MediaVelmora Player");

    app->state().moduleDirectory = programDir.filePath("missing/folder/").toStdString();
    ASSERT_TRUE(frame()->dispatchCommand(Command::DownloadDvdDecoder));
    ASSERT_EQ(messages.boxes.size(), 2u);
    EXPECT_EQ(messages.boxes[1].text, "ERROR");

    QTest::qWait(1000);  // time enough for a wrongly started downloader to leave its line
    EXPECT_EQ(startedCount(), 0);
}

// From the menu to the browser: the real downloader, started beside the program, reads the
// record and hands its URL to the desktop's browser (a stand-in xdg-open on the PATH).
TEST_F(PluginCommandsTest, TheDownloaderHandsTheRecordsUrlToTheBrowser)
{
    ASSERT_TRUE(QFile::copy(VELMORA_PLUGIN_HELPER, inProgramDir("plugin")));
    QFile::setPermissions(inProgramDir("plugin"), QFile::ReadOwner | QFile::ExeOwner);
    ASSERT_TRUE(QDir(programDir.path()).mkdir("bin"));
    writeScript(inProgramDir("bin/xdg-open"),
                "echo \"$1\" >> \"$(dirname \"$0\")/../browser.log\"\n");
    const QByteArray path = qgetenv("PATH");
    qputenv("PATH", QFile::encodeName(inProgramDir("bin")) + ":" + path);
    ASSERT_TRUE(menudriver::clickPath(menuButton(2), {"Download Perfect decoder(The Best)"}));
    qputenv("PATH", path);
    QFile log(inProgramDir("browser.log"));
    EXPECT_EVENTUALLY(log.exists() && log.size() > 0);
    ASSERT_TRUE(log.open(QIODevice::ReadOnly));
    EXPECT_EQ(log.readAll(), "https://packages.debian.org/stable/gstreamer1.0-libav\n");
    EXPECT_TRUE(messages.boxes.empty());
}

// "Show Plugins" opens the filter list, filled, as a modal dialog of the main window.
TEST_F(PluginCommandsTest, ShowPluginsOpensTheFilterList)
{
    bool seen = false;
    // Looks for the dialog every 50 ms without waiting itself: the dialog runs its own loop
    // inside the menu's click.
    QTimer watch;
    QObject::connect(&watch, &QTimer::timeout, [&] {
        auto* dialog = qobject_cast<FilterListDialog*>(QApplication::activeModalWidget());
        if (!dialog || !dialog->isVisible())
            return;
        watch.stop();
        EXPECT_EQ(dialog->windowTitle(), "Filters");
        EXPECT_EQ(dialog->parentWidget(), frame());
        EXPECT_GT(dialog->list()->rowCount(), 100);
        seen = true;
        QTest::mouseClick(dialog->okButton(), Qt::LeftButton);
    });
    watch.start(50);
    ASSERT_TRUE(menudriver::clickPath(menuButton(2), {"Show Plugins"}));
    EXPECT_TRUE(seen);
    EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
}

// "Home Page", the narrow product-site button and the About dialog's links ask the desktop to
// open their addresses.
TEST_F(PluginCommandsTest, WebCommandsAndLinksOpenTheBrowser)
{
    UrlRecorder browser;

    EXPECT_TRUE(menudriver::showState(menuButton(3), Command::HomePage).enabled);
    ASSERT_TRUE(menudriver::clickPath(menuButton(3), {"Home Page"}));
    EXPECT_EQ(browser.urls, QStringList{"https://www.mediavelmora.com/"});

    CExplorerToolbarButton* site = frame()->explorerBar()->homeLinkButton();
    ASSERT_NE(site, nullptr);
    QTest::mouseClick(site, Qt::LeftButton);
    EXPECT_EQ(browser.urls.size(), 2);
    EXPECT_EQ(browser.urls.value(1), "https://www.mediavelmora.com/");

    QTimer::singleShot(0, [&] {
        ASSERT_TRUE(VELMORA_WAIT_FOR(qobject_cast<AboutDialog*>(QApplication::activeModalWidget()), 5000));
        auto* about = qobject_cast<AboutDialog*>(QApplication::activeModalWidget());
        QTest::mouseClick(about->webLink(), Qt::LeftButton);
        QTest::mouseClick(about->mailLink(), Qt::LeftButton);
        QTest::mouseClick(about->findChild<QPushButton*>("okButton"), Qt::LeftButton);
    });
    frame()->dispatchCommand(Command::AppAbout);
    EXPECT_EQ(browser.urls, (QStringList{"https://www.mediavelmora.com/", "https://www.mediavelmora.com/",
                                         "https://www.mediavelmora.com/", "mailto:support@mediavelmora.com"}));
}

#include "plugin_commands_test.moc"
