// The program as `cmake --install` puts it in place: every installed file, the desktop entry
// and AppStream data as desktops read them, the installed program started through its desktop
// entry's Exec line on a clip, and the files it keeps when its folder is read-only.
#include "../view/PlayerTestDoubles.h"
#include "ColorChooserBar.h"
#include "CommandIds.h"
#include "Eventually.h"
#include "LeakCheckSupport.h"
#include "MainFrame.h"
#include "PlayerApp.h"
#include "StorageFolders.h"
#include "TestMedia.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QProcess>
#include <QSettings>
#include <QStandardPaths>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <memory>

namespace {

const QString kAppId = QStringLiteral("com.mediavelmora.VelmoraPlayer");
const QString kLibDir = QStringLiteral(VELMORA_INSTALL_LIBDIR);

struct Outcome {
    int status = -1;  // -1: did not start or did not end in time
    QByteArray out, err;
};

Outcome run(const QString& program, const QStringList& args,
            const QProcessEnvironment& env = QProcessEnvironment::systemEnvironment(),
            int timeoutMs = 180000)
{
    QProcess process;
    process.setProcessEnvironment(env);
    process.start(program, args);
    Outcome outcome;
    if (!process.waitForStarted(10000))
        return outcome;
    if (process.waitForFinished(timeoutMs) && process.exitStatus() == QProcess::NormalExit) {
        outcome.status = process.exitCode();
    } else {
        process.kill();
        process.waitForFinished();
    }
    outcome.out = process.readAllStandardOutput();
    outcome.err = process.readAllStandardError();
    return outcome;
}

QByteArray readAll(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// The value of key in a desktop entry's text.
QString entryValue(const QByteArray& entry, const QString& key)
{
    for (const QByteArray& line : entry.split('\n'))
        if (line.startsWith(key.toUtf8() + '='))
            return QString::fromUtf8(line.mid(key.size() + 1));
    return {};
}

class InstalledTree : public ::testing::Test {
protected:
    static void SetUpTestSuite()
    {
        root_ = new QTemporaryDir;
        QDir().mkpath(home());
        const Outcome install = run(QStringLiteral(VELMORA_CMAKE),
                                    {"--install", VELMORA_BUILD_DIR, "--prefix", prefix()});
        installed_ = install.status == 0;
        installLog_ = new QByteArray(install.out + install.err);
        if (installed_)
            readOnly_ = makeReadOnly(bin());
    }
    static void TearDownTestSuite()
    {
        // The mount goes first, or the temporary folder could not be emptied.
        if (mounted_)
            run("umount", {bin()});
        QFile(bin()).setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        delete root_;
        delete installLog_;
    }
    void SetUp() override { ASSERT_TRUE(installed_) << installLog_->constData(); }

    static QString prefix() { return root_->path() + "/usr"; }
    static QString bin() { return prefix() + "/bin"; }
    static QString home() { return root_->path() + "/home"; }

    // The folder as an installed program's is to its user: a read-only bind mount (in this
    // test's own mount namespace), or without write permission where this process is no
    // superuser.
    static bool makeReadOnly(const QString& folder)
    {
        mounted_ = run("mount", {"--bind", "-o", "ro", folder, folder}).status == 0;
        if (!mounted_)
            QFile(folder).setPermissions(QFile::ReadOwner | QFile::ExeOwner |
                                         QFile::ReadGroup | QFile::ExeGroup);
        return !storage::isWritableFolder(folder);
    }
    void requireReadOnly() const
    {
        if (!readOnly_)
            GTEST_SKIP() << "the installed folder cannot be made read-only here: no mount "
                            "namespace (unshare -rm) and the process is the superuser";
    }

    static QTemporaryDir* root_;
    static bool installed_, readOnly_, mounted_;
    static QByteArray* installLog_;
};

QTemporaryDir* InstalledTree::root_ = nullptr;
bool InstalledTree::installed_ = false;
bool InstalledTree::readOnly_ = false;
bool InstalledTree::mounted_ = false;
QByteArray* InstalledTree::installLog_ = nullptr;

}  // namespace

// Exactly these files: the programs, the library with its soname links, header and pkg-config
// file, the desktop entry, the AppStream data and the icon as SVG and at eight PNG sizes. The
// programs find the library beside them in the tree, and pkg-config finds the tree wherever
// it lies.
TEST_F(InstalledTree, EveryFileInItsPlace)
{
    QStringList expected = {
        "bin/VelmoraPlayer",
        "bin/framelift-probe",
        "bin/plugin",
        "include/framelift.h",
        kLibDir + "/libFramelift.so",
        kLibDir + "/libFramelift.so.1",
        kLibDir + "/libFramelift.so.1.3.0",
        kLibDir + "/pkgconfig/framelift.pc",
        "share/applications/" + kAppId + ".desktop",
        "share/icons/hicolor/scalable/apps/" + kAppId + ".svg",
        "share/metainfo/" + kAppId + ".metainfo.xml",
    };
    for (int size : {16, 24, 32, 48, 64, 128, 256, 512})
        expected << QString("share/icons/hicolor/%1x%1/apps/%2.png").arg(size).arg(kAppId);
    expected.sort();
    QStringList found;
    QDirIterator it(prefix(), QDir::Files | QDir::System | QDir::Hidden,
                    QDirIterator::Subdirectories);
    while (it.hasNext())
        found << QDir(prefix()).relativeFilePath(it.next());
    found.sort();
    EXPECT_EQ(found, expected);

    const QString lib = prefix() + "/" + kLibDir;
    EXPECT_EQ(QFileInfo(lib + "/libFramelift.so.1").symLinkTarget(), lib + "/libFramelift.so.1.3.0");
    EXPECT_EQ(QFileInfo(lib + "/libFramelift.so").symLinkTarget(), lib + "/libFramelift.so.1");
    for (const char* program : {"VelmoraPlayer", "plugin", "framelift-probe"})
        EXPECT_TRUE(QFileInfo(bin() + "/" + program).isExecutable()) << program;
    // The installed program takes the library of its own tree.
    const QString ldd = QString::fromUtf8(run("ldd", {bin() + "/VelmoraPlayer"}).out);
    const QString resolved = ldd.section("libFramelift.so.1 => ", 1).section(' ', 0, 0);
    EXPECT_EQ(QDir::cleanPath(resolved), lib + "/libFramelift.so.1") << ldd.toStdString();

    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("PKG_CONFIG_PATH", lib + "/pkgconfig");
    const Outcome flags = run("pkg-config", {"--cflags-only-I", "--libs-only-L", "framelift"}, env);
    EXPECT_EQ(flags.status, 0) << flags.err.constData();
    EXPECT_EQ(QDir::cleanPath(QString::fromUtf8(flags.out).section(' ', 0, 0).mid(2)),
              prefix() + "/include")
        << flags.out.constData();

    for (int size : {16, 48, 256, 512}) {
        const QImage icon(
            QString("%1/share/icons/hicolor/%2x%2/apps/%3.png").arg(prefix()).arg(size).arg(kAppId));
        EXPECT_EQ(icon.size(), QSize(size, size));
        EXPECT_TRUE(icon.hasAlphaChannel());
    }
    const QByteArray svg = readAll(prefix() + "/share/icons/hicolor/scalable/apps/" + kAppId + ".svg");
    EXPECT_TRUE(svg.contains("<svg") && svg.contains("viewBox=\"0 0 256 256\""));
}

// The desktop entry and the AppStream data pass the desktops' own validators, and the entry
// says what a launcher and a file manager need.
TEST_F(InstalledTree, DesktopEntryAndMetainfoValidate)
{
    const QString desktop = prefix() + "/share/applications/" + kAppId + ".desktop";
    const QString metainfo = prefix() + "/share/metainfo/" + kAppId + ".metainfo.xml";
    const Outcome entryCheck = run("desktop-file-validate", {desktop});
    EXPECT_EQ(entryCheck.status, 0) << entryCheck.out.constData() << entryCheck.err.constData();
    EXPECT_TRUE(entryCheck.out.isEmpty()) << entryCheck.out.constData();  // not even a hint
    const Outcome dataCheck = run("appstreamcli", {"validate", "--no-net", metainfo});
    EXPECT_EQ(dataCheck.status, 0) << dataCheck.out.constData() << dataCheck.err.constData();

    const QByteArray entry = readAll(desktop);
    EXPECT_EQ(entryValue(entry, "Name"), "VelmoraPlayer");
    EXPECT_EQ(entryValue(entry, "GenericName"), "Video Player");
    EXPECT_EQ(entryValue(entry, "Exec"), "VelmoraPlayer %F");
    EXPECT_EQ(entryValue(entry, "Icon"), kAppId);
    EXPECT_EQ(entryValue(entry, "Categories"), "AudioVideo;Video;Player;");
    const QStringList types = entryValue(entry, "MimeType").split(';', Qt::SkipEmptyParts);
    for (const char* type : {"video/x-msvideo", "video/quicktime", "video/mp4", "video/mpeg",
                             "video/mp2t", "video/x-matroska", "video/webm", "video/ogg",
                             "application/vnd.rn-realmedia"})
        EXPECT_TRUE(types.contains(type)) << type;

    const QByteArray data = readAll(metainfo);
    EXPECT_TRUE(data.contains("<launchable type=\"desktop-id\">" + kAppId.toUtf8() + ".desktop"));
    EXPECT_TRUE(data.contains("<description>"));
    EXPECT_TRUE(data.contains("<caption>"));
}

// --help and --version answer without a display and end with 0; an unknown option or a web
// address is refused on standard error with status 2.
TEST_F(InstalledTree, CommandLineAnswersWithoutADisplay)
{
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.remove("DISPLAY");
    env.remove("WAYLAND_DISPLAY");
    const QString program = bin() + "/VelmoraPlayer";
    const Outcome help = run(program, {"--help"}, env);
    EXPECT_EQ(help.status, 0);
    EXPECT_TRUE(help.out.startsWith("Usage: VelmoraPlayer [OPTION] [FILE]...\n")) << help.out.constData();
    const Outcome version = run(program, {"--version"}, env);
    EXPECT_EQ(version.status, 0);
    EXPECT_EQ(version.out, "VelmoraPlayer 3.6.0.0\n");
    const Outcome unknown = run(program, {"--frobnicate"}, env);
    EXPECT_EQ(unknown.status, 2);
    EXPECT_TRUE(unknown.err.startsWith("VelmoraPlayer: unknown option '--frobnicate'\n"))
        << unknown.err.constData();
    EXPECT_TRUE(unknown.out.isEmpty());
    const Outcome remote = run(program, {"https://example.org/clip.avi"}, env);
    EXPECT_EQ(remote.status, 2);
    EXPECT_TRUE(remote.err.contains("only local files")) << remote.err.constData();
}

// Started the way a desktop starts it, through the Exec line of its installed entry with a
// clip, from its read-only folder: the window comes up and shows the clip's green picture;
// the program writes nothing beside itself.
TEST_F(InstalledTree, StartedThroughItsDesktopEntryItPlaysAClip)
{
    requireReadOnly();
    testmedia::ClipRequest wanted;
    wanted.name = "install-green.avi";
    wanted.pattern = "green";
    wanted.frames = 100;
    const QString clip = QString::fromStdString(testmedia::clip(wanted));

    const QByteArray entry = readAll(prefix() + "/share/applications/" + kAppId + ".desktop");
    QStringList exec = entryValue(entry, "Exec").split(' ', Qt::SkipEmptyParts);
    ASSERT_EQ(exec.size(), 2);
    exec.replace(exec.indexOf("%F"), clip);
    const QString program = QStandardPaths::findExecutable(exec.takeFirst(), {bin()});
    ASSERT_EQ(program, bin() + "/VelmoraPlayer");

    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("HOME", home());
    env.remove("XDG_DATA_HOME");
    env.remove("XDG_CONFIG_HOME");
    QProcess player;
    player.setProcessEnvironment(env);
    player.start(program, exec);
    ASSERT_TRUE(player.waitForStarted(10000));

    // Its window, found by its process id; the largest one mapped is the main window.
    QString window;
    auto findWindow = [&] {
        const Outcome found = run("xdotool", {"search", "--onlyvisible", "--pid",
                                              QString::number(player.processId())});
        int largest = 0;
        for (const QByteArray& id : found.out.split('\n')) {
            const Outcome shape = run("xdotool", {"getwindowgeometry", QString::fromUtf8(id)});
            const QString size = QString::fromUtf8(
                shape.out.mid(shape.out.indexOf("Geometry: ") + 10).trimmed());
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
        const QImage shot = QImage::fromData(run("import", {"-window", window, "png:-"}).out);
        green = 0;
        for (int y = 0; y < shot.height(); y += 2)
            for (int x = 0; x < shot.width(); x += 2) {
                const QRgb p = shot.pixel(x, y);
                green += qGreen(p) > 200 && qRed(p) < 60 && qBlue(p) < 60;
            }
        return green > 5000;
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

    EXPECT_EQ(QDir(bin()).entryList(QDir::Files, QDir::Name),
              (QStringList{"VelmoraPlayer", "framelift-probe", "plugin"}));
}

// Run from the installed, read-only folder, the program keeps lang.dat and plugin.mp in the
// user's data folder and the screenshots in the pictures folder; the downloader beside the
// program reads the record there. A second start finds the language again.
TEST_F(InstalledTree, FromAReadOnlyFolderFilesGoToTheUsersFolders)
{
    requireReadOnly();
    const QString data = home() + "/data";
    qputenv("HOME", home().toLocal8Bit());
    qputenv("XDG_DATA_HOME", data.toLocal8Bit());
    qputenv("XDG_CONFIG_HOME", (home() + "/config").toLocal8Bit());
    // The installed downloader hands the record's address to xdg-open; this one notes it.
    const QString tools = home() + "/tools";
    ASSERT_TRUE(QDir().mkpath(tools));
    QFile opener(tools + "/xdg-open");
    ASSERT_TRUE(opener.open(QIODevice::WriteOnly));
    opener.write(QString("#!/bin/sh\necho \"$1\" >> %1/opened.txt\n").arg(home()).toUtf8());
    opener.close();
    opener.setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    qputenv("PATH", (tools + ":" + qgetenv("PATH")).toLocal8Bit());

    const QString appData = QStandardPaths::writableLocation(QStandardPaths::AppDataLocation);
    ASSERT_TRUE(appData.startsWith(data + "/")) << appData.toStdString();
    EXPECT_EQ(storage::screenshotFolderFor(bin()), home() + "/Pictures/VelmoraPlayer");

    RecordingMessages messages;
    QueuedFileChooser chooser;
    auto app = std::make_unique<CPlayerApp>(bin());
    app->setMessagePresenter(&messages);
    app->setFileChooser(&chooser);
    ASSERT_TRUE(app->InitInstance({"VelmoraPlayer"}));
    leakcheck::keepGlDriverLoaded();
    EXPECT_EQ(app->state().moduleDirectory, (bin() + "/").toStdString());
    EXPECT_EQ(app->state().dataFolder(), (appData + "/").toStdString());

    ASSERT_TRUE(app->mainFrame()->dispatchCommand(Command::LanguageGerman));
    EXPECT_EQ(readAll(appData + "/lang.dat"), QByteArray("\x01\x00\x00\x00", 4));
    ASSERT_TRUE(app->mainFrame()->dispatchCommand(Command::DownloadKLite));
    EXPECT_EQ(readAll(appData + "/plugin.mp").size(), 316);
    EXPECT_EVENTUALLY_WITHIN(readAll(home() + "/opened.txt") ==
                                 "https://wiki.debian.org/MultimediaCodecs\n",
                             30000);
    EXPECT_TRUE(messages.boxes.empty());
    app->ExitInstance(0);
    app.reset();

    app = std::make_unique<CPlayerApp>(bin());
    app->setMessagePresenter(&messages);
    app->setFileChooser(&chooser);
    ASSERT_TRUE(app->InitInstance({"VelmoraPlayer"}));
    EXPECT_EQ(app->mainFrame()->controlPanel()->windowTitle(), "Meida konvertieren");
    app->ExitInstance(0);
    app.reset();

    EXPECT_EQ(QDir(bin()).entryList(QDir::Files, QDir::Name),
              (QStringList{"VelmoraPlayer", "framelift-probe", "plugin"}));
}
