// What became of each file of a campaign, read from its child's output, and the totals.
#pragma once

#include <fstream>
#include <ostream>
#include <string>
#include <vector>

namespace campaign {

struct FileResult {
    int index = 0;
    std::string clip;      // the healthy clip it was made from
    std::string mutation;  // what was done to it

    // How the child ended.
    enum class End { Finished, Crashed, Hung, Failed } end = End::Finished;
    int status = 0;        // the signal for Crashed, the exit code for Failed
    std::string lastStep;  // the call under way when it ended

    int loaded = -1;  // 1 or 0 as LoadVideo answered; -1 when it never answered
    double loadMs = 0;
    int videoWidth = 0, videoHeight = 0, texWidth = 0, texHeight = 0;
    bool noFrame = false;
    bool badSnapshot = false;
    std::string sanitizer;  // the first sanitizer report's headline
    int criticalsOurs = 0, criticalsElsewhere = 0, warningsOurs = 0, warningsElsewhere = 0;
    std::string firstGLibProblem;       // the first from our calls
    std::string firstGLibElsewhere;     // the first a plugin raised on its own thread

    bool loadedWithoutSizes() const;
    bool failed() const;
    std::string verdict() const;  // "ok", or what went wrong, in a few words
};

// Builds a file's result from its child's standard output and error.
FileResult readChild(FileResult known, const std::string& out, const std::string& err);

class Report {
public:
    // Writes one tab-separated line per file to `tablePath`.
    explicit Report(const std::string& tablePath);

    void add(const FileResult& r);
    bool clean() const;  // no file failed
    void printTotals(std::ostream& out) const;

private:
    std::ofstream table_;
    std::vector<FileResult> results_;
};

}  // namespace campaign
