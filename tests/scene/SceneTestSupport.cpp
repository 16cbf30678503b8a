#include "SceneTestSupport.h"

#include <TestMedia.h>
#include <framelift.h>

#include <QFile>
#include <QTest>
#include <QVBoxLayout>

#include <cmath>
#include <cstring>

#include <dlfcn.h>
#include <link.h>

// The linker sends the renderer's calls here (--wrap); each counts and calls the library.
extern "C" {
bool __real_UpdateEvent(VideoTexture*);
uint8_t* __real_GetTexture(VideoTexture*);
int32_t __real_GetTexWidth(VideoTexture*);
int32_t __real_GetTexHeight(VideoTexture*);
bool __real_LoadVideo(VideoTexture*, const char*, int32_t, int32_t);
bool __real_Play(VideoTexture*);
bool __real_Stop(VideoTexture*);
bool __real_FreeVideo(VideoTexture*);
bool __real_DeleteVideoTexture(VideoTexture*);
}

namespace {
scenetest::FrameliftCalls calls;
}

// Third-party allocations these programs cannot name. GLib and GStreamer keep one-time tables
// from gst_init; built without frame pointers, their leak stacks end at g_malloc here (the
// library's own tests unwind them fully). These programs do not look for leaks in GStreamer.
extern "C" const char* __lsan_default_suppressions()
{
    return "leak:libglib-2.0.so\n"
           "leak:_dl_init\n";
}

extern "C" {
bool __wrap_UpdateEvent(VideoTexture* h)
{
    ++calls.updateEvent;
    return __real_UpdateEvent(h);
}
uint8_t* __wrap_GetTexture(VideoTexture* h)
{
    ++calls.getTexture;
    return __real_GetTexture(h);
}
int32_t __wrap_GetTexWidth(VideoTexture* h)
{
    ++calls.getTexWidth;
    return __real_GetTexWidth(h);
}
int32_t __wrap_GetTexHeight(VideoTexture* h)
{
    ++calls.getTexHeight;
    return __real_GetTexHeight(h);
}
bool __wrap_LoadVideo(VideoTexture* h, const char* path, int32_t mode, int32_t ffdshow)
{
    ++calls.loadVideo;
    return __real_LoadVideo(h, path, mode, ffdshow);
}
bool __wrap_Play(VideoTexture* h)
{
    ++calls.play;
    return __real_Play(h);
}
bool __wrap_Stop(VideoTexture* h)
{
    ++calls.stop;
    return __real_Stop(h);
}
bool __wrap_FreeVideo(VideoTexture* h)
{
    ++calls.freeVideo;
    return __real_FreeVideo(h);
}
bool __wrap_DeleteVideoTexture(VideoTexture* h)
{
    ++calls.deleteVideoTexture;
    return __real_DeleteVideoTexture(h);
}
}

namespace scenetest {

FrameliftCalls frameliftCalls() { return calls; }

bool TestKeys::readKey(ArrowKey key)
{
    const auto i = static_cast<size_t>(key);
    const bool counts = down_[i] || tapped_[i];
    tapped_[i] = false;
    return counts;
}

void TestKeys::hold(ArrowKey key, bool down) { down_[static_cast<size_t>(key)] = down; }

void TestKeys::tap(ArrowKey key) { tapped_[static_cast<size_t>(key)] = true; }

void TestKeys::releaseAll() { down_ = {}; }

namespace {

std::string sizeName(int w, int h) { return std::to_string(w) + "x" + std::to_string(h); }

std::string barsSource(int w, int h, int frames)
{
    return "videotestsrc num-buffers=" + std::to_string(frames) +
           " pattern=smpte ! video/x-raw,format=I420,width=" + std::to_string(w) +
           ",height=" + std::to_string(h) + ",framerate=25/1";
}

}  // namespace

std::string barsClip(int w, int h)
{
    return testmedia::custom("scene-bars-" + sizeName(w, h) + ".avi",
                             barsSource(w, h, 50) + " ! avimux ! filesink location=@OUT@");
}

QImage barsReference(int w, int h)
{
    const std::string path = testmedia::custom(
        "scene-bars-" + sizeName(w, h) + ".bgr",
        barsSource(w, h, 1) + " ! videoconvert ! video/x-raw,format=BGR ! filesink location=@OUT@");
    QFile file(QString::fromStdString(path));
    if (!file.open(QIODevice::ReadOnly))
        return {};
    const QByteArray bytes = file.readAll();
    const int stride = (w * 3 + 3) / 4 * 4;
    if (bytes.size() < stride * h)
        return {};
    QImage image(w, h, QImage::Format_RGB32);
    for (int y = 0; y < h; ++y) {
        const auto* row = reinterpret_cast<const uchar*>(bytes.constData()) + y * stride;
        for (int x = 0; x < w; ++x)
            image.setPixel(x, y, qRgb(row[3 * x + 2], row[3 * x + 1], row[3 * x]));
    }
    return image;
}

std::string encodedClip(int w, int h, int frames)
{
    testmedia::ClipSpec spec;
    spec.name = "scene-mpeg4-" + sizeName(w, h) + ".avi";
    spec.width = w;
    spec.height = h;
    spec.frames = frames;
    return testmedia::clip(spec);
}

SceneHost::SceneHost(int w, int h, KeyStateSource* keys)
    : renderer_(std::make_unique<SceneRenderer>(keys)), window_(std::make_unique<QWidget>()),
      w_(w), h_(h)
{
    widget_ = new SceneWidget(renderer_.get(), window_.get());
    auto* layout = new QVBoxLayout(window_.get());
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(widget_);
    widget_->setFixedSize(w, h);
    window_->show();
    (void)QTest::qWaitForWindowExposed(window_.get(), 10000);
    widget_->grabFramebuffer();  // makes the context
    keepGlDriverLoaded();
}

SceneHost::~SceneHost()
{
    // The widget goes first: it releases the GL objects while the renderer still exists.
    window_.reset();
    renderer_.reset();
}

QImage SceneHost::grab()
{
    return widget_->grabFramebuffer().convertToFormat(QImage::Format_RGB32);
}

bool SceneHost::open(const std::string& path)
{
    if (!renderer_->OpenVideo(path))
        return false;
    renderer_->SetViewport(0, 0, w_, h_);
    return true;
}

void keepGlDriverLoaded()
{
    dl_iterate_phdr(
        [](dl_phdr_info* info, size_t, void*) {
            if (info->dlpi_name && std::strstr(info->dlpi_name, "_dri.so"))
                dlopen(info->dlpi_name, RTLD_NOW | RTLD_NOLOAD | RTLD_NODELETE);
            return 0;
        },
        nullptr);
}

bool isBlack(const QImage& image, int tolerance)
{
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x) {
            const QRgb p = image.pixel(x, y);
            if (qRed(p) > tolerance || qGreen(p) > tolerance || qBlue(p) > tolerance)
                return false;
        }
    return true;
}

QRect litArea(const QImage& image, int threshold)
{
    QRect area;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x) {
            const QRgb p = image.pixel(x, y);
            if (qRed(p) > threshold || qGreen(p) > threshold || qBlue(p) > threshold)
                area = area.united(QRect(x, y, 1, 1));
        }
    return area;
}

int maxChannelDifference(QRgb a, QRgb b)
{
    return std::max({std::abs(qRed(a) - qRed(b)), std::abs(qGreen(a) - qGreen(b)),
                     std::abs(qBlue(a) - qBlue(b))});
}

QPointF screenPoint(double u, double v, int vw, int vh, double distance, int sw, int sh)
{
    // Half the visible height at the picture's distance, with the 45-degree field of view.
    const double halfHeight = distance * std::tan(22.5 * M_PI / 180.0);
    const double halfWidth = halfHeight * sw / sh;
    const double x = (u - 0.5) * vw;  // scene units right of the axis
    const double y = (0.5 - v) * vh;  // scene units above the axis
    return {sw / 2.0 + x / halfWidth * (sw / 2.0), sh / 2.0 - y / halfHeight * (sh / 2.0)};
}

bool uniformAround(const QImage& reference, double u, double v, int radius)
{
    const int cx = static_cast<int>(u * reference.width());
    const int cy = static_cast<int>(v * reference.height());
    const QRgb centre = reference.pixel(cx, cy);
    for (int dy = -radius; dy <= radius; ++dy)
        for (int dx = -radius; dx <= radius; ++dx) {
            const QPoint p(cx + dx, cy + dy);
            if (!reference.rect().contains(p) ||
                maxChannelDifference(reference.pixel(p), centre) > 6)
                return false;
        }
    return true;
}

QRgb referenceAt(const QImage& reference, double u, double v)
{
    return reference.pixel(static_cast<int>(u * reference.width()),
                           static_cast<int>(v * reference.height()));
}

}  // namespace scenetest
