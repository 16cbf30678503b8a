// Helpers for the scene tests: a counted view of the renderer's Framelift calls, a key source
// the test holds keys on, clips with a known picture, and a shown scene widget to grab.
#pragma once

#include "KeyStateSource.h"
#include "LeakCheckSupport.h"
#include "MediaSession.h"
#include "SceneRenderer.h"
#include "SceneWidget.h"

#include <QImage>
#include <QWidget>

#include <array>
#include <memory>
#include <string>

namespace scenetest {

// How many calls of the named Framelift function were made since the program started (the
// real functions run); with no name, of all the counted ones.
int frameliftCalls(const std::string& function = {});

// Keys the test holds down or taps.
class TestKeys : public KeyStateSource {
public:
    bool readKey(ArrowKey key) override;
    void hold(ArrowKey key, bool down = true) { down_[static_cast<size_t>(key)] = down; }
    void tap(ArrowKey key) { tapped_[static_cast<size_t>(key)] = true; }
    void releaseAll() { down_ = {}; }

private:
    std::array<bool, 4> down_{};
    std::array<bool, 4> tapped_{};
};

// A still SMPTE colour-bar clip of w by h (uncompressed I420 in AVI), and the same picture
// converted to 8-bit RGB by GStreamer as the reference for what the screen should show.
std::string barsClip(int w, int h);
QImage barsReference(int w, int h);

// A shown scene widget of w by h drawing with a renderer and a media session the test owns.
class SceneHost {
public:
    SceneHost(int w, int h, KeyStateSource* keys = nullptr);
    ~SceneHost();

    SceneRenderer& renderer() { return *renderer_; }
    MediaSession& media() { return *media_; }
    SceneWidget& widget() { return *widget_; }
    QWidget& window() { return *window_; }
    // Draws one frame and returns it as RGB32.
    QImage grab();
    // One tick of the scene's clock (the spin, the arrow keys), then a grab.
    QImage step();
    // Opens the clip and sets the viewport to the whole widget, as the view does.
    bool open(const std::string& path);

private:
    std::unique_ptr<MediaSession> media_;
    std::unique_ptr<SceneRenderer> renderer_;
    std::unique_ptr<QWidget> window_;
    SceneWidget* widget_ = nullptr;
    int w_, h_;
};

using leakcheck::keepGlDriverLoaded;

// Bounding box of the pixels brighter than threshold in any channel.
QRect litArea(const QImage& image, int threshold = 16);
inline bool isBlack(const QImage& image, int tolerance = 0)
{
    return litArea(image, tolerance).isEmpty();
}
int maxChannelDifference(QRgb a, QRgb b);

}  // namespace scenetest
