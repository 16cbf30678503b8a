// Helpers for the scene tests: a counted view of the renderer's Framelift calls, a key source
// the test holds keys on, clips with a known picture, and a shown scene widget to grab.
#pragma once

#include "KeyStateSource.h"
#include "SceneRenderer.h"
#include "SceneWidget.h"

#include <QImage>
#include <QWidget>

#include <array>
#include <memory>
#include <string>

namespace scenetest {

// Calls that reached the library since the program started (the real functions run).
struct FrameliftCalls {
    int updateEvent = 0, getTexture = 0, getTexWidth = 0, getTexHeight = 0;
    int loadVideo = 0, play = 0, stop = 0, freeVideo = 0, deleteVideoTexture = 0;
    int total() const
    {
        return updateEvent + getTexture + getTexWidth + getTexHeight + loadVideo + play +
               stop + freeVideo + deleteVideoTexture;
    }
};
FrameliftCalls frameliftCalls();

// Keys the test holds down or taps.
class TestKeys : public KeyStateSource {
public:
    bool readKey(ArrowKey key) override;
    void hold(ArrowKey key, bool down = true);
    void tap(ArrowKey key);
    void releaseAll();

private:
    std::array<bool, 4> down_{};
    std::array<bool, 4> tapped_{};
};

// A still SMPTE colour-bar clip of w by h (uncompressed I420 in AVI), and the same picture
// converted to 8-bit RGB by GStreamer as the reference for what the screen should show.
std::string barsClip(int w, int h);
QImage barsReference(int w, int h);
std::string encodedClip(int w, int h, int frames);

// A shown scene widget of w by h drawing with a renderer the test owns.
class SceneHost {
public:
    SceneHost(int w, int h, KeyStateSource* keys = nullptr);
    ~SceneHost();

    SceneRenderer& renderer() { return *renderer_; }
    SceneWidget& widget() { return *widget_; }
    QWidget& window() { return *window_; }
    // Draws one frame and returns it as RGB32.
    QImage grab();
    // Opens the clip and sets the viewport to the whole widget, as the view does.
    bool open(const std::string& path);

private:
    std::unique_ptr<SceneRenderer> renderer_;
    std::unique_ptr<QWidget> window_;
    SceneWidget* widget_ = nullptr;
    int w_, h_;
};

// Keeps the GL driver that the process has loaded mapped until exit, so that the leak checker
// can still name the driver's own one-time allocations (and the suppressions match them).
void keepGlDriverLoaded();

bool isBlack(const QImage& image, int tolerance = 0);
// Bounding box of the pixels brighter than threshold in any channel.
QRect litArea(const QImage& image, int threshold = 16);
int maxChannelDifference(QRgb a, QRgb b);

// Where the point (u, v) of the video picture (u from its left, v from its top, 0 to 1)
// appears on a screen of sw by sh for a flat picture of vw by vh units facing the eye at the
// given distance, with the 45-degree projection.
QPointF screenPoint(double u, double v, int vw, int vh, double distance, int sw, int sh);

// Whether the reference picture is uniform around (u, v), so that a sample there does not
// depend on sub-pixel placement.
bool uniformAround(const QImage& reference, double u, double v, int radius);
QRgb referenceAt(const QImage& reference, double u, double v);

}  // namespace scenetest
