// The program's stored files when they are damaged or cannot be written: the settings file,
// lang.dat and plugin.mp. Good values are read from a partly damaged file, a failed save keeps
// the old file, and the real program starts and plays a clip with every such file damaged.
#include "Eventually.h"
#include "LanguageFile.h"
#include "PluginRecord.h"
#include "SettingsStore.h"
#include "TestMedia.h"

#include <QDir>
#include <QFile>
#include <QImage>
#include <QProcess>
#include <QSettings>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

QByteArray readAll(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<unreadable>");
}

void writeFile(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate)) << path.toStdString();
    ASSERT_EQ(file.write(bytes), bytes.size());
}

int runQuietly(const QString& program, const QStringList& args)
{
    QProcess process;
    process.start(program, args);
    if (!process.waitForFinished(20000))
        return -1;
    return process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
}

// A mount over a folder for the length of a test: read-only, or a tiny tmpfs filled up.
class Mount {
public:
    static std::unique_ptr<Mount> readOnly(const QString& folder)
    {
        if (runQuietly("mount", {"--bind", folder, folder}) != 0)
            return nullptr;
        auto mount = std::unique_ptr<Mount>(new Mount(folder));
        if (runQuietly("mount", {"-o", "remount,bind,ro", folder}) != 0)
            return nullptr;
        return mount;
    }
    static std::unique_ptr<Mount> tinyTmpfs(const QString& folder)
    {
        if (runQuietly("mount", {"-t", "tmpfs", "-o", "size=64k", "tmpfs", folder}) != 0)
            return nullptr;
        return std::unique_ptr<Mount>(new Mount(folder));
    }
    ~Mount() { runQuietly("umount", {folder_}); }

private:
    explicit Mount(QString folder) : folder_(std::move(folder)) {}
    QString folder_;
};

// Writes until the file system refuses.
void fill(const QString& folder)
{
    QFile filler(folder + "/filler");
    ASSERT_TRUE(filler.open(QIODevice::WriteOnly));
    const QByteArray block(4096, 'x');
    while (filler.write(block) == block.size() && filler.flush()) {
    }
}

const QByteArray kDamagedSettings =
    QByteArray("[Settings]\nGood=7\n\x01\xff\xfe garbage =\x00\x80 line\n=\n[ListCtrls\n", 44) +
    QByteArray("Width=\"unterminated\n[ListCtrls]\nColumn0=120\n");

class StoredFiles : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(dir_.isValid());
        config_ = dir_.filePath("config");
        ASSERT_TRUE(QDir().mkpath(config_ + "/MediaVelmora"));
        QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, config_);
    }
    QString settingsFile() const { return config_ + "/MediaVelmora/settings.ini"; }

    QTemporaryDir dir_;
    QString config_;
};

}  // namespace

TEST_F(StoredFiles, APartlyDamagedSettingsFileKeepsItsGoodValues)
{
    writeFile(settingsFile(), kDamagedSettings);
    SettingsStore store;
    EXPECT_EQ(store.getInt("Settings", "Good", -1), 7);
    EXPECT_EQ(store.getInt("Settings", "Missing", -1), -1);
    // A save adds to what was there.
    store.writeInt("Settings", "Added", 3);
    store.sync();
    SettingsStore again;
    EXPECT_EQ(again.getInt("Settings", "Good", -1), 7);
    EXPECT_EQ(again.getInt("Settings", "Added", -1), 3);
}

TEST_F(StoredFiles, AReadOnlyConfigurationFolderFailsTheSaveAndKeepsTheFile)
{
    writeFile(settingsFile(), "[Settings]\nGood=7\n");
    const auto mount = Mount::readOnly(config_ + "/MediaVelmora");
    if (!mount)
        GTEST_SKIP() << "no read-only mount here";
    SettingsStore store;
    EXPECT_EQ(store.getInt("Settings", "Good", -1), 7);
    store.writeInt("Settings", "Good", 8);
    EXPECT_FALSE(store.sync());
    EXPECT_EQ(readAll(settingsFile()), "[Settings]\nGood=7\n");
    EXPECT_FALSE(langfile::write(config_ + "/MediaVelmora/", 2));
}

// On a full disk neither lang.dat nor plugin.mp loses its old contents to a failed save.
TEST_F(StoredFiles, AFullFolderKeepsTheOldLanguageAndDownloadRecord)
{
    const QString folder = dir_.filePath("full");
    ASSERT_TRUE(QDir().mkpath(folder));
    const auto mount = Mount::tinyTmpfs(folder);
    if (!mount)
        GTEST_SKIP() << "no tmpfs mount here";
    const std::string record = (folder + "/plugin.mp").toStdString();
    const pluginrecord::Download old{"Old codec", "old.exe", "https://example.org/old.exe"};
    ASSERT_TRUE(pluginrecord::write(record, old));
    ASSERT_TRUE(langfile::write(folder + "/", 4));
    fill(folder);

    EXPECT_FALSE(pluginrecord::write(record, {"New", "new.exe", "https://example.org/new.exe"}));
    const auto kept = pluginrecord::read(record);
    ASSERT_TRUE(kept.has_value());
    EXPECT_EQ(kept->url, old.url);
    langfile::write(folder + "/", 1);
    EXPECT_EQ(langfile::read(folder + "/"), std::optional<int>(4));
    // No half-written files are left beside them.
    EXPECT_EQ(QDir(folder).entryList(QDir::Files, QDir::Name),
              (QStringList{"filler", "lang.dat", "plugin.mp"}));
}

TEST_F(StoredFiles, ShortLongAndOutOfRangeLanguageFilesReadAsAbsent)
{
    const QString folder = dir_.path() + "/";
    for (const QByteArray& bytes : {QByteArray(), QByteArray("\x02\x00", 2),
                                    QByteArray("\x09\x00\x00\x00", 4), QByteArray(4, '\xff')}) {
        writeFile(folder + "lang.dat", bytes);
        EXPECT_EQ(langfile::read(folder), std::nullopt) << bytes.toHex().constData();
    }
    // Extra bytes after the index are not read; a huge file is not read whole.
    writeFile(folder + "lang.dat", QByteArray("\x03\x00\x00\x00", 4) + QByteArray(8 << 20, '\xee'));
    EXPECT_EQ(langfile::read(folder), std::optional<int>(3));
}

// The real program, copied into a folder of its own (so that lang.dat and plugin.mp beside it
// are the test's), with damaged files everywhere: it opens and plays a clip given to it and
// leaves the files it only reads as they were.
class DamagedFilesProgram : public StoredFiles, public ::testing::WithParamInterface<bool> {};

TEST_P(DamagedFilesProgram, StartsAndPlays)
{
    const bool readOnlyConfig = GetParam();
    const QString bin = dir_.filePath("bin");
    ASSERT_TRUE(QDir().mkpath(bin));
    ASSERT_TRUE(QFile::copy(VELMORA_PLAYER_PROGRAM, bin + "/VelmoraPlayer"));
    QFile::setPermissions(bin + "/VelmoraPlayer", QFile::ReadOwner | QFile::WriteOwner |
                                                      QFile::ExeOwner);
    writeFile(settingsFile(), kDamagedSettings);
    writeFile(config_ + "/MediaVelmora/settings.conf", QByteArray(300, '\x00') + "\xff[[[=");
    const QByteArray lang = readOnlyConfig ? QByteArray(4 << 20, '\x7f') : QByteArray();
    writeFile(bin + "/lang.dat", lang);
    const QByteArray plugin = QByteArray(100, '\xff');
    writeFile(bin + "/plugin.mp", plugin);
    std::unique_ptr<Mount> mount;
    if (readOnlyConfig) {
        mount = Mount::readOnly(config_ + "/MediaVelmora");
        if (!mount)
            GTEST_SKIP() << "no read-only mount here";
    }

    testmedia::ClipRequest wanted;
    wanted.name = "stored-files-green.avi";
    wanted.pattern = "green";
    wanted.frames = 250;
    const QString clip = QString::fromStdString(testmedia::clip(wanted));
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("HOME", dir_.filePath("home"));
    env.insert("XDG_CONFIG_HOME", config_);
    env.insert("XDG_DATA_HOME", dir_.filePath("data"));
    QProcess player;
    player.setProcessEnvironment(env);
    player.start(bin + "/VelmoraPlayer", {clip});
    ASSERT_TRUE(player.waitForStarted(10000));

    auto tool = [&](const QString& program, const QStringList& args) {
        QProcess process;
        process.start(program, args);
        process.waitForFinished(20000);
        return process.readAllStandardOutput();
    };
    QString window;
    auto findWindow = [&] {
        int largest = 0;
        const QByteArray ids =
            tool("xdotool", {"search", "--onlyvisible", "--pid", QString::number(player.processId())});
        for (const QByteArray& id : ids.split('\n')) {
            const QByteArray shape = tool("xdotool", {"getwindowgeometry", QString::fromUtf8(id)});
            const QString size =
                QString::fromUtf8(shape.mid(shape.indexOf("Geometry: ") + 10).trimmed());
            const int area = size.section('x', 0, 0).toInt() * size.section('x', 1, 1).toInt();
            if (!id.isEmpty() && area > largest) {
                largest = area;
                window = QString::fromUtf8(id);
            }
        }
        return !window.isEmpty();
    };
    EXPECT_TRUE(VELMORA_WAIT_FOR(findWindow(), 60000)) << "no window";
    int green = 0;
    auto showsGreen = [&] {
        const QImage shot = QImage::fromData(tool("import", {"-window", window, "png:-"}));
        green = 0;
        for (int y = 0; y < shot.height(); y += 2)
            for (int x = 0; x < shot.width(); x += 2) {
                const QRgb p = shot.pixel(x, y);
                green += qGreen(p) > 200 && qRed(p) < 60 && qBlue(p) < 60;
            }
        return green > 2000;
    };
    if (!window.isEmpty()) {
        EXPECT_TRUE(VELMORA_WAIT_FOR(showsGreen(), 60000)) << green << " green samples";
    }
    EXPECT_EQ(player.state(), QProcess::Running) << player.readAllStandardError().constData();
    player.terminate();
    if (!player.waitForFinished(20000)) {
        player.kill();
        player.waitForFinished();
    }
    const QByteArray err = player.readAllStandardError();
    EXPECT_FALSE(err.contains("Sanitizer")) << err.constData();
    EXPECT_FALSE(err.contains("runtime error:")) << err.constData();
    EXPECT_EQ(readAll(settingsFile()), kDamagedSettings);
    EXPECT_EQ(readAll(bin + "/lang.dat"), lang);
    EXPECT_EQ(readAll(bin + "/plugin.mp"), plugin);
}

INSTANTIATE_TEST_SUITE_P(ConfigFolder, DamagedFilesProgram, ::testing::Values(false, true),
                         [](const auto& info) { return info.param ? "ReadOnly" : "Writable"; });
