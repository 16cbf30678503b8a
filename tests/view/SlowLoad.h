// Loads that take as long as a test wants. The library may take ten seconds and more on a
// file that demuxes but never brings a frame; such a file is hard to make on purpose, so the
// view's test programs hold the library's LoadVideo itself (the linker sends the calls
// through here) while the file it loads is a held SlowFile. Let go, the load goes on with the
// real library, which finds a text file: it fails.
#pragma once

#include <chrono>
#include <string>

namespace slowload {

class SlowFile {
public:
    // A load of this file waits until letGo(), or by itself until `latest` has passed (should
    // the UI thread wait for the load, the test could never let go).
    explicit SlowFile(const std::string& name,
                      std::chrono::milliseconds latest = std::chrono::seconds(8));
    ~SlowFile();  // lets go
    SlowFile(const SlowFile&) = delete;
    SlowFile& operator=(const SlowFile&) = delete;

    void letGo();

    const std::string path;
};

}  // namespace slowload
