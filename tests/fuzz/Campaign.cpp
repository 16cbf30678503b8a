// framelift-campaign: makes healthy clips of every container the player plays, damages them
// deterministically from a seed, and drives each damaged file through the library in a child
// process of its own under a watchdog, several at once. Reports crashes, hangs, sanitizer
// reports, GLib criticals and warnings from the library's calls, loads that answer true without
// sizes, and how long loads took. Exits 1 when any file failed, 2 when it could not start.
//
//   framelift-campaign [--seed N] [--files N] [--jobs N] [--timeout SECONDS] [--out DIR]
//                      [--keep-failing] [--no-backtraces] [--verbose]
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <iterator>
#include <optional>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

#include <fcntl.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include "ClipMaker.h"
#include "Driver.h"
#include "Mutator.h"
#include "Report.h"

extern char** environ;

namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;

namespace campaign {
namespace {

struct Options {
    uint64_t seed = 1;
    int files = 1000;
    int jobs = 2;
    int timeoutSeconds = 30;
    fs::path out = "framelift-campaign-out";
    bool keepFailing = false;
    bool backtraces = true;
    bool verbose = false;
};

const char kUsage[] =
    "usage: framelift-campaign [options]\n"
    "  --seed N         seed of the damage (default 1); the same seed makes the same files\n"
    "  --files N        number of damaged files to drive (default 1000)\n"
    "  --jobs N         children at once (default: the number of processors)\n"
    "  --timeout S      seconds a child may take before it counts as hung (default 30)\n"
    "  --out DIR        clips, work files, report.tsv and summary.txt (default\n"
    "                   ./framelift-campaign-out)\n"
    "  --keep-failing   keep each failing file with its logs in DIR/failing\n"
    "  --no-backtraces  do not attach gdb to a hung child for its threads' stacks\n"
    "  --verbose        print every file's verdict, not only the failures\n";

std::optional<Options> parse(int argc, char** argv)
{
    Options o;
    o.jobs = std::max(1u, std::thread::hardware_concurrency());
    for (int i = 1; i < argc; ++i) {
        const std::string a = argv[i];
        auto value = [&]() -> const char* { return i + 1 < argc ? argv[++i] : nullptr; };
        const char* v = nullptr;
        if (a == "--keep-failing") {
            o.keepFailing = true;
        } else if (a == "--no-backtraces") {
            o.backtraces = false;
        } else if (a == "--verbose") {
            o.verbose = true;
        } else if (a == "--seed" && (v = value())) {
            o.seed = std::strtoull(v, nullptr, 10);
        } else if (a == "--files" && (v = value())) {
            o.files = std::atoi(v);
        } else if (a == "--jobs" && (v = value())) {
            o.jobs = std::max(1, std::atoi(v));
        } else if (a == "--timeout" && (v = value())) {
            o.timeoutSeconds = std::max(1, std::atoi(v));
        } else if (a == "--out" && (v = value())) {
            o.out = v;
        } else {
            return std::nullopt;
        }
    }
    return o;
}

std::string readAll(const fs::path& p)
{
    std::ifstream in(p, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

Bytes readBytes(const fs::path& p)
{
    const std::string s = readAll(p);
    return Bytes(s.begin(), s.end());
}

bool haveGdb()
{
    return std::system("command -v gdb >/dev/null 2>&1") == 0;
}

// One damaged file being driven by its child.
struct Child {
    pid_t pid = -1;
    Clock::time_point deadline;
    FileResult known;
    fs::path file, out, err, stacks;
};

class Campaign {
public:
    Campaign(const Options& o, std::vector<Clip> clips)
        : o_(o), clips_(std::move(clips)), report_((o.out / "report.tsv").string()),
          backtraces_(o.backtraces && haveGdb()),
          // Read once: a rebuild that replaces the program during a long run turns this link
          // into "... (deleted)", and every later child would fail to start.
          self_(fs::read_symlink("/proc/self/exe").string())
    {
        for (const Clip& c : clips_)
            bytes_.push_back(readBytes(c.path));
        fs::create_directories(o_.out / "work");
        if (o_.keepFailing)
            fs::create_directories(o_.out / "failing");
    }

    bool run()
    {
        int next = 0;
        std::vector<Child> running;
        while (next < o_.files || !running.empty()) {
            while (next < o_.files && static_cast<int>(running.size()) < o_.jobs)
                running.push_back(start(next++));
            std::this_thread::sleep_for(std::chrono::milliseconds(20));
            for (size_t i = 0; i < running.size();) {
                if (poll(running[i])) {
                    running.erase(running.begin() + static_cast<std::ptrdiff_t>(i));
                } else {
                    ++i;
                }
            }
        }
        std::ostringstream totals;
        report_.printTotals(totals);
        std::cout << totals.str();
        std::ofstream(o_.out / "summary.txt") << totals.str();
        return report_.clean();
    }

private:
    Child start(int index)
    {
        // Clip by turns, so every container gets its share; the donor of spliced ranges and
        // the damage itself come from the seed.
        Rng rng(o_.seed * 0x100000001b3ull + static_cast<uint64_t>(index));
        const size_t clip = static_cast<size_t>(index) % clips_.size();
        const size_t donor = static_cast<size_t>(rng.below(clips_.size()));
        const bool pristine = rng.below(16) == 0;
        const Mutant m = mutate(bytes_[clip], bytes_[donor], rng.next(), pristine);

        char prefix[16];
        std::snprintf(prefix, sizeof prefix, "%05d-", index);
        Child c;
        c.file = o_.out / "work" / (prefix + clips_[clip].name);
        c.out = c.file.string() + ".out";
        c.err = c.file.string() + ".err";
        c.stacks = c.file.string() + ".gdb";
        std::ofstream(c.file, std::ios::binary)
            .write(reinterpret_cast<const char*>(m.bytes.data()),
                   static_cast<std::streamsize>(m.bytes.size()));
        c.known.index = index;
        c.known.clip = clips_[clip].name;
        c.known.mutation = m.summary;
        c.pid = spawnDriver(c);
        c.deadline = Clock::now() + std::chrono::seconds(o_.timeoutSeconds);
        return c;
    }

    // Starts this program in driver mode on the child's file, in a process group of its own
    // (so that a hung child and anything it started can be killed together).
    pid_t spawnDriver(const Child& c)
    {
        posix_spawn_file_actions_t files;
        posix_spawn_file_actions_init(&files);
        posix_spawn_file_actions_addopen(&files, STDIN_FILENO, "/dev/null", O_RDONLY, 0);
        posix_spawn_file_actions_addopen(&files, STDOUT_FILENO, c.out.c_str(),
                                         O_WRONLY | O_CREAT | O_TRUNC | O_APPEND, 0644);
        posix_spawn_file_actions_addopen(&files, STDERR_FILENO, c.err.c_str(),
                                         O_WRONLY | O_CREAT | O_TRUNC | O_APPEND, 0644);
        posix_spawnattr_t attr;
        posix_spawnattr_init(&attr);
        posix_spawnattr_setflags(&attr, POSIX_SPAWN_SETPGROUP);
        posix_spawnattr_setpgroup(&attr, 0);
        std::string file = c.file.string();
        char drive[] = "--drive";
        char* args[] = {const_cast<char*>(self_.c_str()), drive, file.data(), nullptr};
        pid_t pid = -1;
        if (posix_spawn(&pid, self_.c_str(), &files, &attr, args, environ) != 0)
            pid = -1;
        posix_spawn_file_actions_destroy(&files);
        posix_spawnattr_destroy(&attr);
        return pid;
    }

    // Whether the child is over (and reported).
    bool poll(Child& c)
    {
        FileResult known = c.known;
        int status = 0;
        if (c.pid < 0) {
            known.end = FileResult::End::Failed;
            known.status = 127;
        } else if (waitpid(c.pid, &status, WNOHANG) == c.pid) {
            if (WIFSIGNALED(status)) {
                known.end = FileResult::End::Crashed;
                known.status = WTERMSIG(status);
            } else {
                known.status = WEXITSTATUS(status);
            }
        } else if (Clock::now() > c.deadline) {
            known.end = FileResult::End::Hung;
            if (backtraces_) {
                const std::string command = "timeout -s KILL 90 gdb -p " + std::to_string(c.pid) +
                                            " -batch -ex 'thread apply all bt' >'" +
                                            c.stacks.string() + "' 2>&1 </dev/null";
                if (std::system(command.c_str()) != 0)
                    std::cerr << "gdb could not take the stacks of hung child " << c.pid << "\n";
            }
            kill(-c.pid, SIGKILL);
            waitpid(c.pid, &status, 0);
        } else {
            return false;
        }
        finish(c, readChild(known, readAll(c.out), readAll(c.err)));
        return true;
    }

    void finish(const Child& c, const FileResult& r)
    {
        report_.add(r);
        ++done_;
        if (r.failed() || o_.verbose)
            std::cout << "[" << done_ << "/" << o_.files << "] " << c.file.filename().string()
                      << " (" << r.mutation << "): " << r.verdict() << std::endl;
        else if (done_ % 100 == 0)
            std::cout << "[" << done_ << "/" << o_.files << "]" << std::endl;
        for (const fs::path& p : {c.file, c.out, c.err, c.stacks}) {
            std::error_code ignored;
            if (r.failed() && o_.keepFailing && fs::exists(p))
                fs::rename(p, o_.out / "failing" / p.filename(), ignored);
            else
                fs::remove(p, ignored);
        }
    }

    Options o_;
    std::vector<Clip> clips_;
    std::vector<Bytes> bytes_;
    Report report_;
    bool backtraces_;
    std::string self_;
    int done_ = 0;
};

}  // namespace
}  // namespace campaign

int main(int argc, char** argv)
{
    if (argc == 3 && std::strcmp(argv[1], "--drive") == 0)
        return campaign::drive(argv[2]);
    const std::optional<campaign::Options> o = campaign::parse(argc, argv);
    if (!o) {
        std::cerr << campaign::kUsage;
        return 2;
    }
    std::error_code failed;
    fs::create_directories(o->out / "clips", failed);
    if (failed) {
        std::cerr << "framelift-campaign: cannot create " << o->out << ": " << failed.message()
                  << "\n";
        return 2;
    }
    std::string problems;
    std::vector<campaign::Clip> clips = campaign::makeClips((o->out / "clips").string(), problems);
    if (!problems.empty())
        std::cerr << "framelift-campaign: clips left out:\n" << problems;
    if (clips.empty()) {
        std::cerr << "framelift-campaign: no clip could be made (are ffmpeg and its encoders "
                     "installed?)\n";
        return 2;
    }
    std::cout << "framelift-campaign: seed " << o->seed << ", " << o->files << " files from "
              << clips.size() << " clips, " << o->jobs << " at once, " << o->timeoutSeconds
              << " s each at most" << std::endl;
    campaign::Campaign campaign(*o, std::move(clips));
    return campaign.run() ? 0 : 1;
}
