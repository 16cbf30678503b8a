// A PulseAudio server of the test program's own, so that tests can mute and turn the volume
// of its sinks without disturbing anyone else's sound (or tests) on the machine. It runs in a
// temporary folder with its own socket, runtime and state folders, has one stereo null sink
// "velmora_test" as its default, and is read back and changed with pactl.
//
// useForThisProcess() points the process's sound clients (the player's mixer objects,
// GStreamer's sound sink) at it through PULSE_SERVER; each client reads that when it connects.
#pragma once

#include <QDir>
#include <QProcess>
#include <QStringList>
#include <QTemporaryDir>
#include <QThread>

#include <cstdlib>
#include <string>
#include <vector>

#include <signal.h>

class PrivatePulseServer {
public:
    static constexpr const char* kSink = "velmora_test";

    PrivatePulseServer() { QDir().mkpath(dir_.filePath(QStringLiteral("run"))); }
    ~PrivatePulseServer() { stop(); }
    PrivatePulseServer(const PrivatePulseServer&) = delete;
    PrivatePulseServer& operator=(const PrivatePulseServer&) = delete;

    // The address clients connect to.
    std::string address() const { return "unix:" + socketPath().toStdString(); }
    // An address where no server will ever answer.
    std::string deadAddress() const
    {
        return "unix:" + dir_.filePath(QStringLiteral("nobody-here")).toStdString();
    }

    void useForThisProcess() const { ::setenv("PULSE_SERVER", address().c_str(), 1); }
    void useNoServer() const { ::setenv("PULSE_SERVER", deadAddress().c_str(), 1); }

    // Starts the server (again, after stop()) and waits until it answers. False when it does
    // not come up within ten seconds.
    bool start()
    {
        if (server_.state() != QProcess::NotRunning)
            return true;
        const QString run = dir_.filePath(QStringLiteral("run"));
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("XDG_RUNTIME_DIR"), run);
        env.insert(QStringLiteral("PULSE_RUNTIME_PATH"), run);
        env.insert(QStringLiteral("PULSE_STATE_PATH"), dir_.filePath(QStringLiteral("state")));
        env.remove(QStringLiteral("PULSE_SERVER"));
        server_.setProcessEnvironment(env);
        server_.setStandardOutputFile(QProcess::nullDevice());
        server_.setStandardErrorFile(QProcess::nullDevice());
        server_.start(QStringLiteral("pulseaudio"),
                      {QStringLiteral("-n"), QStringLiteral("--daemonize=no"),
                       QStringLiteral("--exit-idle-time=-1"), QStringLiteral("--use-pid-file=no"),
                       QStringLiteral("--disallow-exit=yes"),
                       QStringLiteral("--log-target=newfile:") + dir_.filePath(QStringLiteral("pulse.log")),
                       QStringLiteral("--load=module-native-protocol-unix auth-anonymous=1 socket=") +
                           socketPath(),
                       QStringLiteral("--load=module-null-sink sink_name=%1 channels=2 "
                                      "channel_map=front-left,front-right")
                           .arg(QLatin1String(kSink))});
        if (!server_.waitForStarted(10000))
            return false;
        for (int i = 0; i < 200; ++i) {
            if (pactlStatus({QStringLiteral("info")}) == 0) {
                pactl({QStringLiteral("set-default-sink"), QString::fromLatin1(kSink)});
                return true;
            }
            QThread::msleep(50);
        }
        return false;
    }

    // Ends the server and waits for it.
    void stop()
    {
        if (server_.state() == QProcess::NotRunning)
            return;
        thaw();
        server_.terminate();
        if (!server_.waitForFinished(10000)) {
            server_.kill();
            server_.waitForFinished(10000);
        }
    }

    // A server that hangs: it keeps its connections but answers nothing until thawed.
    void freeze() const { signal(SIGSTOP); }
    void thaw() const { signal(SIGCONT); }

    // Runs pactl against this server; its standard output.
    QString pactl(const QStringList& args) const
    {
        QProcess p;
        run(p, args);
        return QString::fromUtf8(p.readAllStandardOutput());
    }
    int pactlStatus(const QStringList& args) const
    {
        QProcess p;
        run(p, args);
        return p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1;
    }

    bool isMuted(const QString& sink = QString::fromLatin1(kSink)) const
    {
        return pactl({QStringLiteral("get-sink-mute"), sink}).contains(QStringLiteral("yes"));
    }
    void setMuted(bool muted, const QString& sink = QString::fromLatin1(kSink)) const
    {
        pactl({QStringLiteral("set-sink-mute"), sink, muted ? QStringLiteral("1") : QStringLiteral("0")});
    }
    // The raw volume of each channel ("front-left: 32768 / 50% / ..." gives 32768).
    std::vector<int> volumes(const QString& sink = QString::fromLatin1(kSink)) const
    {
        const QString text = pactl({QStringLiteral("get-sink-volume"), sink});
        const QString first = text.section(QLatin1Char('\n'), 0, 0);
        std::vector<int> values;
        for (const QString& part : first.split(QLatin1Char(','))) {
            const QString afterColon = part.section(QLatin1Char(':'), -1).trimmed();
            bool ok = false;
            const int v = afterColon.section(QLatin1Char(' '), 0, 0).toInt(&ok);
            if (ok)
                values.push_back(v);
        }
        return values;
    }
    void setVolumes(const QStringList& values, const QString& sink = QString::fromLatin1(kSink)) const
    {
        pactl(QStringList{QStringLiteral("set-sink-volume"), sink} + values);
    }

private:
    QString socketPath() const { return dir_.filePath(QStringLiteral("native")); }

    void run(QProcess& p, const QStringList& args) const
    {
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("PULSE_SERVER"), QString::fromStdString(address()));
        p.setProcessEnvironment(env);
        p.start(QStringLiteral("pactl"), args);
        p.waitForFinished(10000);
    }

    void signal(int sig) const
    {
        if (server_.processId() > 0)
            ::kill(static_cast<pid_t>(server_.processId()), sig);
    }

    QTemporaryDir dir_;
    QProcess server_;
};
