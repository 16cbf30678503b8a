// A PulseAudio server of the test program's own, so that tests can mute and turn the volume
// of its sinks without disturbing anyone else's sound (or tests) on the machine. It runs in a
// temporary folder with its own socket, runtime and state folders, has one stereo null sink
// "velmora_test" as its default, and is read back and changed with pactl.
//
// useForThisProcess() points the process's sound clients (the player's mixer objects,
// GStreamer's sound sink) at it through PULSE_SERVER; each client reads that when it connects.
#pragma once

#include <QByteArray>
#include <QDir>
#include <QStringList>
#include <QTemporaryDir>
#include <QThread>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include <fcntl.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

extern char** environ;

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
        if (pid_ > 0)
            return true;
        const std::string run = path("run");
        std::vector<std::string> env;
        for (char** e = environ; *e; ++e) {
            const std::string entry(*e);
            const std::string name = entry.substr(0, entry.find('='));
            if (name != "XDG_RUNTIME_DIR" && name != "PULSE_RUNTIME_PATH" &&
                name != "PULSE_STATE_PATH" && name != "PULSE_SERVER")
                env.push_back(entry);
        }
        env.push_back("XDG_RUNTIME_DIR=" + run);
        env.push_back("PULSE_RUNTIME_PATH=" + run);
        env.push_back("PULSE_STATE_PATH=" + path("state"));
        const std::vector<std::string> args = {
            "pulseaudio", "-n", "--daemonize=no", "--use-pid-file=no", "--disallow-exit=yes",
            // A server left behind by a test program that crashed ends by itself.
            "--exit-idle-time=60", "--log-target=newfile:" + path("pulse.log"),
            "--load=module-native-protocol-unix auth-anonymous=1 socket=" + path("native"),
            std::string("--load=module-null-sink sink_name=") + kSink +
                " channels=2 channel_map=front-left,front-right"};
        // Spawned, not forked: forking a process that runs threads is what the thread
        // checker cannot follow.
        posix_spawn_file_actions_t actions;
        posix_spawn_file_actions_init(&actions);
        posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
        posix_spawn_file_actions_addopen(&actions, 2, "/dev/null", O_WRONLY, 0);
        const int failed = posix_spawnp(&pid_, "pulseaudio", &actions, nullptr,
                                        pointers(args).data(), pointers(env).data());
        posix_spawn_file_actions_destroy(&actions);
        if (failed) {
            pid_ = -1;
            return false;
        }
        for (int i = 0; i < 200; ++i) {
            if (pactlStatus({QStringLiteral("info")}) == 0) {
                pactl({QStringLiteral("set-default-sink"), QString::fromLatin1(kSink)});
                return true;
            }
            QThread::msleep(50);
        }
        return false;
    }

    // Ends the server and waits for it (killing it when it does not end within ten seconds).
    void stop()
    {
        if (pid_ <= 0)
            return;
        thaw();
        ::kill(pid_, SIGTERM);
        int status = 0;
        for (int i = 0; i < 200 && ::waitpid(pid_, &status, WNOHANG) == 0; ++i)
            QThread::msleep(50);
        if (::waitpid(pid_, &status, WNOHANG) == 0) {
            ::kill(pid_, SIGKILL);
            ::waitpid(pid_, &status, 0);
        }
        pid_ = -1;
    }

    // A server that hangs: it keeps its connections but answers nothing until thawed.
    void freeze() const { signal(SIGSTOP); }
    void thaw() const { signal(SIGCONT); }

    // Runs pactl against this server; its standard output.
    QString pactl(const QStringList& args) const
    {
        int status = 0;
        return runPactl(args, status);
    }
    int pactlStatus(const QStringList& args) const
    {
        int status = 0;
        runPactl(args, status);
        return status;
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
    std::string path(const char* name) const { return dir_.filePath(QLatin1String(name)).toStdString(); }
    QString socketPath() const { return dir_.filePath(QStringLiteral("native")); }

    static std::vector<char*> pointers(const std::vector<std::string>& strings)
    {
        std::vector<char*> out;
        for (const std::string& s : strings)
            out.push_back(const_cast<char*>(s.c_str()));
        out.push_back(nullptr);
        return out;
    }

    static std::string quoted(const QString& arg)
    {
        QString q = arg;
        q.replace(QLatin1Char('\''), QStringLiteral("'\\''"));
        return "'" + q.toStdString() + "'";
    }

    // Through the shell (popen), which also spawns rather than forks.
    QString runPactl(const QStringList& args, int& status) const
    {
        std::string command = "PULSE_SERVER=" + quoted(QString::fromStdString(address())) + " pactl";
        for (const QString& arg : args)
            command += " " + quoted(arg);
        command += " 2>/dev/null";
        QByteArray out;
        FILE* pipe = ::popen(command.c_str(), "r");
        if (!pipe) {
            status = -1;
            return {};
        }
        char buffer[4096];
        size_t n = 0;
        while ((n = std::fread(buffer, 1, sizeof buffer, pipe)) > 0)
            out.append(buffer, static_cast<qsizetype>(n));
        const int raw = ::pclose(pipe);
        status = WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
        return QString::fromUtf8(out);
    }

    void signal(int sig) const
    {
        if (pid_ > 0)
            ::kill(pid_, sig);
    }

    QTemporaryDir dir_;
    pid_t pid_ = -1;
};
