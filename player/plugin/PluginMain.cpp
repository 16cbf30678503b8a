// plugin: the codec downloader that VelmoraPlayer starts beside itself. It reads the download
// record plugin.mp from its own folder (or the file given as its one argument), checks it, and
// hands the record's URL to the desktop's web browser, where the user gets the download.
//
// The browser is the desktop's choice through xdg-open; where there is no xdg-open, the
// commands listed in $BROWSER (separated by ':', "%s" standing for the URL) are tried in
// turn. Exit status: 0 when the URL went to a browser, 1 when the record was refused, 2 when
// no browser took the URL. Every refusal is explained on standard error.
#include "PluginRecord.h"

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <sstream>
#include <string>
#include <vector>

#include <limits.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

extern char** environ;

namespace {

// Folder of this program, with a trailing '/'; empty when it cannot be found.
std::string programFolder()
{
    char path[PATH_MAX];
    const ssize_t n = readlink("/proc/self/exe", path, sizeof path - 1);
    if (n <= 0)
        return {};
    std::string exe(path, static_cast<size_t>(n));
    return exe.substr(0, exe.rfind('/') + 1);
}

// Runs argv (looked up on PATH) and waits. Its exit status, or -1 when it could not start.
int run(const std::vector<std::string>& argv)
{
    std::vector<char*> args;
    for (const std::string& a : argv)
        args.push_back(const_cast<char*>(a.c_str()));
    args.push_back(nullptr);
    pid_t pid = 0;
    if (posix_spawnp(&pid, args[0], nullptr, nullptr, args.data(), environ) != 0)
        return -1;
    int status = 0;
    while (waitpid(pid, &status, 0) < 0)
        if (errno != EINTR)
            return -1;
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

// The $BROWSER entries for url: each a command of blank-separated words, "%s" in them
// replaced by the URL, or the URL added as the last word when none holds "%s".
std::vector<std::vector<std::string>> browsersFromEnvironment(const std::string& url)
{
    std::vector<std::vector<std::string>> commands;
    const char* list = std::getenv("BROWSER");
    if (!list)
        return commands;
    std::istringstream entries(list);
    for (std::string entry; std::getline(entries, entry, ':');) {
        std::istringstream words(entry);
        std::vector<std::string> command;
        bool placed = false;
        for (std::string word; words >> word;) {
            if (const size_t at = word.find("%s"); at != std::string::npos) {
                word.replace(at, 2, url);
                placed = true;
            }
            command.push_back(word);
        }
        if (command.empty())
            continue;
        if (!placed)
            command.push_back(url);
        commands.push_back(command);
    }
    return commands;
}

bool openInBrowser(const std::string& url)
{
    if (run({"xdg-open", url}) == 0)
        return true;
    for (const auto& command : browsersFromEnvironment(url))
        if (run(command) == 0)
            return true;
    return false;
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc > 2) {
        std::fprintf(stderr, "usage: plugin [RECORD]\n");
        return 1;
    }
    const std::string path =
        argc == 2 ? std::string(argv[1]) : programFolder() + pluginrecord::kFileName;
    std::string problem;
    const auto download = pluginrecord::read(path, &problem);
    if (!download) {
        std::fprintf(stderr, "plugin: %s: %s; nothing was opened.\n", path.c_str(),
                     problem.c_str());
        return 1;
    }
    if (!openInBrowser(download->url)) {
        std::fprintf(stderr,
                     "plugin: no web browser took %s (for %s); install xdg-utils or set "
                     "BROWSER.\n",
                     download->url.c_str(), download->displayName.c_str());
        return 2;
    }
    return 0;
}
