// Sanitizer support for the library's test programs (the defaults themselves are in
// tests/support/SanitizerDefaults.cpp, which every program compiles in).
#include "StreamingThreads.h"

#include <gtest/gtest.h>

namespace {

class JoinStreamingThreads : public testing::Environment {
public:
    void TearDown() override { streamingthreads::stopAll(); }
};

const auto* registered = testing::AddGlobalTestEnvironment(new JoinStreamingThreads);

}  // namespace
