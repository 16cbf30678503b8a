// The six scene settings the control panel sends. The main frame implements this and passes
// each call unchanged to its active view; the panel knows nothing more of the frame.
#pragma once

#include "SceneTypes.h"

// Where the picture goes in the view.
enum class SizeMode {
    OriginalSize = 0,  // the video's own size scaled by the proportion
    FullView = 1,      // the whole picture area above the transport bar
};

class SceneSettingsSink {
public:
    virtual ~SceneSettingsSink() = default;

    virtual void SetSizeMode(SizeMode mode) = 0;
    // 0 to 800; 400 is scale 1.0.
    virtual void SetProportion(int value) = 0;
    virtual void SetSurface(const SurfaceSettings& surface) = 0;
    virtual void SetShape(ShapeKind kind) = 0;
    // 0 to 200; the playback rate is value x 0.01.
    virtual void SetPlayRate(int value) = 0;
    // enabled 1 or 0, speed 1 to 10.
    virtual void SetRotation(int enabled, int speed) = 0;
};
