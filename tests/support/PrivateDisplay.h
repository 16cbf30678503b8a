// An X display of the test program's own. On a display shared with other programs (ctest runs
// two at a time) their windows may lie over the player's, and their windows mapping, moving
// and raising under the one pointer send crossing and motion events to whatever popup menu is
// open, which then hovers, opens a submenu or closes on its own. The Qt test main starts one
// for every GUI test program; a test file that needs another screen size declares its own
// object at namespace scope, which starts Xvfb before main() and is then the one used. The
// server ends when the program exits. Listing the tests starts nothing, and
// VELMORA_SHARED_DISPLAY=1 keeps DISPLAY as it is (to watch the tests run).
#pragma once

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <fstream>
#include <iterator>
#include <string>

#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

extern char** environ;

class PrivateDisplay {
public:
    PrivateDisplay(int width, int height)
    {
        if (listingOnly() || sharedWanted() || running())
            return;
        int fds[2];
        if (::pipe(fds) != 0)
            return;
        const std::string fd = std::to_string(fds[1]);
        const std::string screen = std::to_string(width) + "x" + std::to_string(height) + "x24";
        // -terminate: the server ends with its last client, so even a test program that
        // crashes leaves no server behind.
        const char* argv[] = {"Xvfb",     "-displayfd", fd.c_str(),  "-screen", "0",
                              screen.c_str(), "-nolisten", "tcp", "-terminate", nullptr};
        posix_spawn_file_actions_t actions;
        posix_spawn_file_actions_init(&actions);
        posix_spawn_file_actions_addclose(&actions, fds[0]);
        posix_spawn_file_actions_addopen(&actions, 2, "/dev/null", O_WRONLY, 0);
        const int failed = posix_spawnp(&pid_, "Xvfb", &actions, nullptr,
                                        const_cast<char* const*>(argv), environ);
        posix_spawn_file_actions_destroy(&actions);
        ::close(fds[1]);
        if (failed) {
            pid_ = -1;
            ::close(fds[0]);
            std::fprintf(stderr, "PrivateDisplay: cannot start Xvfb; using DISPLAY as it is\n");
            return;
        }
        // Xvfb writes its display number once it accepts clients.
        std::string number;
        pollfd p{fds[0], POLLIN, 0};
        char c = 0;
        while (::poll(&p, 1, 20000) > 0 && ::read(fds[0], &c, 1) == 1 && c != '\n')
            number += c;
        ::close(fds[0]);
        if (number.empty()) {
            std::fprintf(stderr, "PrivateDisplay: Xvfb gave no display; using DISPLAY as it is\n");
            return;
        }
        ::setenv("DISPLAY", (":" + number).c_str(), 1);
        running() = true;
    }

    ~PrivateDisplay()
    {
        if (pid_ <= 0)
            return;
        ::kill(pid_, SIGTERM);
        int status = 0;
        ::waitpid(pid_, &status, 0);
    }

    PrivateDisplay(const PrivateDisplay&) = delete;
    PrivateDisplay& operator=(const PrivateDisplay&) = delete;

    // True once a private server runs in this program.
    static bool& running()
    {
        static bool started = false;
        return started;
    }

private:
    static bool sharedWanted()
    {
        const char* shared = std::getenv("VELMORA_SHARED_DISPLAY");
        return shared && std::strcmp(shared, "1") == 0;
    }
    static bool listingOnly()
    {
        std::ifstream in("/proc/self/cmdline", std::ios::binary);
        const std::string args((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
        return args.find("--gtest_list_tests") != std::string::npos;
    }

    pid_t pid_ = -1;
};
