#include "Report.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <map>
#include <sstream>

namespace campaign {
namespace {

bool startsWith(const std::string& s, const char* prefix)
{
    return s.rfind(prefix, 0) == 0;
}

int intAfter(const std::string& s, const std::string& key)
{
    const size_t at = s.find(key);
    return at == std::string::npos ? 0 : std::atoi(s.c_str() + at + key.size());
}

// "WxH" after key.
void sizeAfter(const std::string& s, const std::string& key, int& w, int& h)
{
    w = intAfter(s, key);
    const size_t at = s.find(key);
    const size_t x = at == std::string::npos ? std::string::npos : s.find('x', at + key.size());
    h = x == std::string::npos ? 0 : std::atoi(s.c_str() + x + 1);
}

// The headlines sanitizers open their reports with.
const char* const kSanitizerMarks[] = {"ERROR: AddressSanitizer", "ERROR: LeakSanitizer",
                                       "WARNING: ThreadSanitizer", "ERROR: ThreadSanitizer",
                                       "runtime error:"};

struct Spread {
    size_t count = 0;
    double median = 0, p95 = 0, max = 0;
    size_t over1s = 0, over5s = 0;
};

Spread spreadOf(std::vector<double> ms)
{
    Spread s;
    s.count = ms.size();
    if (ms.empty())
        return s;
    std::sort(ms.begin(), ms.end());
    auto at = [&](double q) {
        return ms[std::min(ms.size() - 1, static_cast<size_t>(q * (ms.size() - 1) + 0.5))];
    };
    s.median = at(0.5);
    s.p95 = at(0.95);
    s.max = ms.back();
    s.over1s = size_t(std::count_if(ms.begin(), ms.end(), [](double v) { return v > 1000; }));
    s.over5s = size_t(std::count_if(ms.begin(), ms.end(), [](double v) { return v > 5000; }));
    return s;
}

void printSpread(std::ostream& out, const char* what, const Spread& s)
{
    char text[240];
    std::snprintf(text, sizeof text,
                  "  %-9s %5zu   median %7.0f ms   95%% %7.0f ms   max %7.0f ms   "
                  "over 1 s: %zu   over 5 s: %zu\n",
                  what, s.count, s.median, s.p95, s.max, s.over1s, s.over5s);
    out << text;
}

}  // namespace

bool FileResult::loadedWithoutSizes() const
{
    return loaded == 1 &&
           (videoWidth <= 0 || videoHeight <= 0 || texWidth <= 0 || texHeight <= 0);
}

bool FileResult::failed() const
{
    return end != End::Finished || !sanitizer.empty() || criticalsOurs > 0 || warningsOurs > 0 ||
           loadedWithoutSizes() || badSnapshot;
}

std::string FileResult::verdict() const
{
    std::string v;
    auto add = [&](const std::string& s) { v += (v.empty() ? "" : ", ") + s; };
    switch (end) {
    case End::Crashed:
        add("crash (signal " + std::to_string(status) + ") in " + lastStep);
        break;
    case End::Hung:
        add("hang in " + lastStep);
        break;
    case End::Failed:
        add("exit " + std::to_string(status) + " in " + lastStep);
        break;
    case End::Finished:
        break;
    }
    if (!sanitizer.empty())
        add("sanitizer: " + sanitizer);
    if (criticalsOurs || warningsOurs)
        add("GLib from our calls: " + firstGLibProblem);
    if (loadedWithoutSizes())
        add("loaded true without sizes");
    if (badSnapshot)
        add("inconsistent snapshot");
    return v.empty() ? "ok" : v;
}

FileResult readChild(FileResult r, const std::string& out, const std::string& err)
{
    std::istringstream lines(out);
    bool done = false;
    for (std::string l; std::getline(lines, l);) {
        if (startsWith(l, "step ")) {
            r.lastStep = l.substr(5);
        } else if (startsWith(l, "load ")) {
            r.loaded = intAfter(l, "ok=");
            r.loadMs = std::atof(l.c_str() + l.find("ms=") + 3);
            sizeAfter(l, "video=", r.videoWidth, r.videoHeight);
            sizeAfter(l, "texture=", r.texWidth, r.texHeight);
        } else if (startsWith(l, "frame none")) {
            r.noFrame = true;
        } else if (startsWith(l, "snapshot bad")) {
            r.badSnapshot = true;
        } else if (startsWith(l, "glib ")) {
            const bool critical = startsWith(l, "glib critical");
            const bool ours = l.find(" ours ") != std::string::npos;
            (critical ? (ours ? r.criticalsOurs : r.criticalsElsewhere)
                      : (ours ? r.warningsOurs : r.warningsElsewhere))++;
            std::string& first = ours ? r.firstGLibProblem : r.firstGLibElsewhere;
            if (first.empty())
                first = l.substr(5);
        } else if (l == "done") {
            done = true;
        }
    }
    for (const char* mark : kSanitizerMarks) {
        const size_t at = err.find(mark);
        if (at == std::string::npos)
            continue;
        const size_t from = err.rfind('\n', at) == std::string::npos ? 0 : err.rfind('\n', at) + 1;
        r.sanitizer = err.substr(from, std::min<size_t>(err.find('\n', at) - from, 200));
        break;
    }
    if (r.end == FileResult::End::Finished && (r.status != 0 || !done))
        r.end = FileResult::End::Failed;
    return r;
}

Report::Report(const std::string& tablePath) : table_(tablePath)
{
    table_ << "index\tclip\tmutation\tverdict\tloaded\tload_ms\tvideo\ttexture\tframe\t"
              "criticals_ours\tcriticals_elsewhere\twarnings_ours\twarnings_elsewhere\n";
}

void Report::add(const FileResult& r)
{
    results_.push_back(r);
    table_ << r.index << '\t' << r.clip << '\t' << r.mutation << '\t' << r.verdict() << '\t'
           << r.loaded << '\t' << r.loadMs << '\t' << r.videoWidth << 'x' << r.videoHeight << '\t'
           << r.texWidth << 'x' << r.texHeight << '\t' << (r.noFrame ? "none" : "yes") << '\t'
           << r.criticalsOurs << '\t' << r.criticalsElsewhere << '\t' << r.warningsOurs << '\t'
           << r.warningsElsewhere << '\n';
    table_.flush();
}

bool Report::clean() const
{
    return std::none_of(results_.begin(), results_.end(),
                        [](const FileResult& r) { return r.failed(); });
}

void Report::printTotals(std::ostream& out) const
{
    size_t crashes = 0, hangs = 0, exits = 0, sanitizer = 0, ours = 0, elsewhere = 0;
    size_t noSizes = 0, badSnapshots = 0, noFrame = 0, failed = 0;
    std::vector<double> refusedMs, acceptedMs;
    std::map<std::string, size_t> hangSteps, glibProblems;
    struct ByClip {
        size_t files = 0, refused = 0, failed = 0;
    };
    std::map<std::string, ByClip> byClip;
    for (const FileResult& r : results_) {
        crashes += r.end == FileResult::End::Crashed;
        exits += r.end == FileResult::End::Failed;
        if (r.end == FileResult::End::Hung) {
            ++hangs;
            ++hangSteps[r.lastStep];
        }
        sanitizer += !r.sanitizer.empty();
        ours += r.criticalsOurs + r.warningsOurs > 0;
        elsewhere += r.criticalsElsewhere + r.warningsElsewhere > 0;
        for (const std::string* p : {&r.firstGLibProblem, &r.firstGLibElsewhere}) {
            // The step only tells where the caller was; the same fault shows at several.
            const size_t cut = p->find(' ', p->find("step="));
            if (!p->empty())
                ++glibProblems[p->substr(0, p->find("step=")) + p->substr(cut + 1)];
        }
        noSizes += r.loadedWithoutSizes();
        badSnapshots += r.badSnapshot;
        noFrame += r.loaded == 1 && r.noFrame;
        failed += r.failed();
        if (r.loaded == 1)
            acceptedMs.push_back(r.loadMs);
        else if (r.loaded == 0)
            refusedMs.push_back(r.loadMs);
        ByClip& c = byClip[r.clip];
        ++c.files;
        c.refused += r.loaded == 0;
        c.failed += r.failed();
    }
    out << "files: " << results_.size() << "   failed: " << failed << "\n"
        << "  crashes: " << crashes << "   hangs: " << hangs << "   other bad exits: " << exits
        << "   sanitizer reports: " << sanitizer << "\n"
        << "  files with GLib criticals/warnings from our calls: " << ours
        << "   from plugins' own threads: " << elsewhere << "\n"
        << "  loaded true without sizes: " << noSizes << "   inconsistent snapshots: "
        << badSnapshots << "   loaded but no frame: " << noFrame << "\n";
    for (const auto& [stepName, count] : hangSteps)
        out << "  hangs in " << stepName << ": " << count << "\n";
    if (!glibProblems.empty())
        out << "GLib criticals and warnings (the first of each file):\n";
    for (const auto& [text, count] : glibProblems)
        out << "  " << count << " x " << text << "\n";
    out << "by clip (files / refused / failed):\n";
    for (const auto& [clip, c] : byClip)
        out << "  " << clip << ": " << c.files << " / " << c.refused << " / " << c.failed << "\n";
    out << "load times:\n";
    printSpread(out, "accepted", spreadOf(acceptedMs));
    printSpread(out, "refused", spreadOf(refusedMs));
}

}  // namespace campaign
