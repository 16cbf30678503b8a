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

    void SetSizeMode(SizeMode mode) override
    {
        add("SetSizeMode(" + std::to_string(int(mode)) + ")");
    }
    void SetProportion(int value) override { add("SetProportion(" + std::to_string(value) + ")"); }
    void SetSurface(const SurfaceSettings& surface) override
    {
        std::string text = "SetSurface(" + std::to_string(int(surface.mode)) + "," +
                           std::to_string(surface.depth);
        for (int p : surface.freedom)
            text += "," + std::to_string(p);
        add(text + ")");
    }
    void SetShape(ShapeKind kind) override { add("SetShape(" + std::to_string(int(kind)) + ")"); }
    void SetPlayRate(int value) override { add("SetPlayRate(" + std::to_string(value) + ")"); }
    void SetRotation(int enabled, int speed) override
    {
        add("SetRotation(" + std::to_string(enabled) + "," + std::to_string(speed) + ")");
    }

private:
    void add(std::string call) { calls.push_back(std::move(call)); }
};
