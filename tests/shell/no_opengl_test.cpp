// The real program on displays that give no OpenGL context at all: it shows the display-mode
// message and, once that is answered, ends with its own status, without a crash or a
// sanitizer report.
#include "Eventually.h"

#include <QDir>
#include <QProcess>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

QByteArray runTool(const QString& program, const QStringList& args,
                   const QProcessEnvironment& env)
{
    QProcess process;
    process.setProcessEnvironment(env);
    process.start(program, args);
    if (!process.waitForFinished(10000)) {
        process.kill();
        process.waitForFinished();
    }
    return process.readAllStandardOutput();
}

// An Xvfb of the test's own with the GLX extension switched off. -noreset: without it the
// server resets whenever its last client leaves, and the xdotool searches that look for the
// message box are often its only client before the player connects; a player that connects
// while the server resets is refused ("could not connect to display") and never shows the
// message.
class DisplayWithoutGlx {
public:
    DisplayWithoutGlx()
    {
        server_.start("Xvfb", {"-displayfd", "1", "-extension", "GLX", "-screen", "0",
                               "1024x768x24", "-nolisten", "tcp", "-noreset"});
        if (!server_.waitForStarted(10000))
            return;
        if (!VELMORA_WAIT_FOR(server_.canReadLine() || server_.state() != QProcess::Running, 20000))
            return;
        const QByteArray line = server_.readLine().trimmed();
        if (!line.isEmpty())
            name_ = QStringLiteral(":") + QString::fromLatin1(line);
    }
    ~DisplayWithoutGlx()
    {
        server_.terminate();
        if (!server_.waitForFinished(10000)) {
            server_.kill();
            server_.waitForFinished();
        }
    }
    QString name() const { return name_; }

private:
    QProcess server_;
    QString name_;
};

struct Outcome {
    bool messageSeen = false;
    bool exited = false;
    int status = -1;
    QProcess::ExitStatus how = QProcess::CrashExit;
    QByteArray err;
};

// Starts the player, answers the "Error" box with Return and waits for the end.
Outcome runWithoutContext(const QProcessEnvironment& env)
{
    QTemporaryDir home;
    QProcessEnvironment playerEnv = env;
    playerEnv.insert("HOME", home.path());
    playerEnv.insert("XDG_CONFIG_HOME", home.path() + "/config");
    playerEnv.insert("XDG_DATA_HOME", home.path() + "/data");
    QProcess player;
    player.setProcessEnvironment(playerEnv);
    player.start(VELMORA_PLAYER_PROGRAM, {});
    Outcome outcome;
    if (!player.waitForStarted(10000))
        return outcome;
    const QString pid = QString::number(player.processId());
    QByteArray window;
    outcome.messageSeen = VELMORA_WAIT_FOR(
        (window = runTool("xdotool", {"search", "--onlyvisible", "--pid", pid, "--name", "^Error$"},
                          playerEnv)
                      .split('\n')
                      .value(0)
                      .trimmed(),
         !window.isEmpty() || player.state() != QProcess::Running),
        60000) && !window.isEmpty();
    if (outcome.messageSeen)
        runTool("xdotool", {"key", "--window", QString::fromLatin1(window), "Return"}, playerEnv);
    outcome.exited = player.waitForFinished(30000);
    if (!outcome.exited) {
        player.kill();
        player.waitForFinished();
    }
    outcome.status = player.exitCode();
    outcome.how = player.exitStatus();
    outcome.err = player.readAllStandardError();
    return outcome;
}

void expectMessageThenExit(const Outcome& outcome)
{
    EXPECT_TRUE(outcome.messageSeen) << outcome.err.constData();
    ASSERT_TRUE(outcome.exited) << "still running after the message was answered";
    EXPECT_EQ(outcome.how, QProcess::NormalExit) << outcome.err.constData();
    EXPECT_EQ(outcome.status, 3) << outcome.err.constData();
    EXPECT_FALSE(outcome.err.contains("Sanitizer")) << outcome.err.constData();
    EXPECT_FALSE(outcome.err.contains("runtime error:")) << outcome.err.constData();
}

}  // namespace

// Qt told to use no OpenGL integration on an ordinary display.
TEST(NoOpenGL, WithoutAnIntegrationTheMessageIsShownAndTheProgramEnds)
{
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("QT_XCB_GL_INTEGRATION", "none");
    expectMessageThenExit(runWithoutContext(env));
}

// A display without GLX and no EGL driver to fall back on (Qt tries EGL when GLX fails).
TEST(NoOpenGL, WithoutGlxOrEglTheMessageIsShownAndTheProgramEnds)
{
    DisplayWithoutGlx display;
    if (display.name().isEmpty())
        GTEST_SKIP() << "no Xvfb to start here";
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("DISPLAY", display.name());
    env.insert("__EGL_VENDOR_LIBRARY_FILENAMES", QDir::temp().filePath("no-egl-vendor.json"));
    env.remove("QT_XCB_GL_INTEGRATION");
    expectMessageThenExit(runWithoutContext(env));
}
