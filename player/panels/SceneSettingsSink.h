// The six scene settings the control panel sends. The main frame implements this and passes
// each call unchanged to its active view; the panel knows nothing more of the frame.
#pragma once

class SceneSettingsSink {
public:
    virtual ~SceneSettingsSink() = default;

    // 0 original size scaled by the proportion, 1 full view.
    virtual void SetSizeMode(int mode) = 0;
    // 0 to 800; 400 is scale 1.0.
    virtual void SetProportion(int value) = 0;
    // Surface mode 0 to 6, a depth and the eight "Freedom to adjust" values.
    virtual void SetSurface(int mode, int depth, int p1, int p2, int p3, int p4, int p5, int p6,
                            int p7, int p8) = 0;
    // 0 Flat, 1 Cube, 2 Sphere, 3 Cylinder, 4 Taper.
    virtual void SetShape(int kind) = 0;
    // 0 to 200; the playback rate is value x 0.01.
    virtual void SetPlayRate(int value) = 0;
    // enabled 1 or 0, speed 1 to 10.
    virtual void SetRotation(int enabled, int speed) = 0;
};
