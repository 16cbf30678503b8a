// Records the scene settings the control panel sends, one readable line per call, so a test
// can compare them with the values a view should receive.
#pragma once

#include "SceneSettingsSink.h"

#include <string>
#include <vector>

class RecordingSceneSink : public SceneSettingsSink {
public:
    std::vector<std::string> calls;

    std::string last() const { return calls.empty() ? std::string() : calls.back(); }

    void SetSizeMode(int mode) override { add("SetSizeMode(" + std::to_string(mode) + ")"); }
    void SetProportion(int value) override { add("SetProportion(" + std::to_string(value) + ")"); }
    void SetSurface(int mode, int depth, int p1, int p2, int p3, int p4, int p5, int p6, int p7,
                    int p8) override
    {
        std::string text = "SetSurface(" + std::to_string(mode) + "," + std::to_string(depth);
        for (int p : {p1, p2, p3, p4, p5, p6, p7, p8})
            text += "," + std::to_string(p);
        add(text + ")");
    }
    void SetShape(int kind) override { add("SetShape(" + std::to_string(kind) + ")"); }
    void SetPlayRate(int value) override { add("SetPlayRate(" + std::to_string(value) + ")"); }
    void SetRotation(int enabled, int speed) override
    {
        add("SetRotation(" + std::to_string(enabled) + "," + std::to_string(speed) + ")");
    }

private:
    void add(std::string call) { calls.push_back(std::move(call)); }
};
