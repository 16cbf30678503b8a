#include "SceneTestSupport.h"

#include <TestMedia.h>
#include <framelift.h>

#include <QFile>
#include <QTest>
#include <QVBoxLayout>

#include <map>
#include <numeric>

namespace {
std::map<std::string, int>& counts()
{
    static std::map<std::string, int> calls;
    return calls;
}
}  // namespace

// The linker sends the renderer's calls here (--wrap); each counts and calls the library.
#define COUNTED(Result, name, params, args) \
    extern "C" Result __real_##name params;    \
    extern "C" Result __wrap_##name params     \
    {                                          \
        ++counts()[#name];                     \
        return __real_##name args;             \
    }
COUNTED(bool, UpdateEvent, (VideoTexture* h), (h))
COUNTED(uint8_t*, GetTexture, (VideoTexture* h), (h))
COUNTED(int32_t, GetTexWidth, (VideoTexture* h), (h))
COUNTED(int32_t, GetTexHeight, (VideoTexture* h), (h))
COUNTED(bool, LoadVideo, (VideoTexture* h, const char* path, int32_t mode, int32_t ff),
        (h, path, mode, ff))
COUNTED(bool, Play, (VideoTexture* h), (h))
COUNTED(bool, Stop, (VideoTexture* h), (h))
COUNTED(bool, FreeVideo, (VideoTexture* h), (h))
COUNTED(bool, DeleteVideoTexture, (VideoTexture* h), (h))

namespace scenetest {

int frameliftCalls(const std::string& function)
{
    if (!function.empty())
        return counts()[function];
    return std::accumulate(counts().begin(), counts().end(), 0,
                           [](int sum, const auto& entry) { return sum + entry.second; });
}

bool TestKeys::readKey(ArrowKey key)
{
    const auto i = static_cast<size_t>(key);
    const bool counts = down_[i] || tapped_[i];
    tapped_[i] = false;
    return counts;
}

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
    QFile file(QString::fromStdString(testmedia::custom(
        "scene-bars-" + sizeName(w, h) + ".bgr",
        barsSource(w, h, 1) + " ! videoconvert ! video/x-raw,format=BGR ! filesink location=@OUT@")));
    const QByteArray bytes = file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    const int stride = (w * 3 + 3) / 4 * 4;  // GStreamer pads rows to four bytes
    if (bytes.size() < stride * h)
        return {};
    return QImage(reinterpret_cast<const uchar*>(bytes.constData()), w, h, stride,
                  QImage::Format_BGR888)
        .convertToFormat(QImage::Format_RGB32);
}

SceneHost::SceneHost(int w, int h, KeyStateSource* keys)
    : media_(std::make_unique<MediaSession>()),
      renderer_(std::make_unique<SceneRenderer>(*media_, keys)),
      window_(std::make_unique<QWidget>()),
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
    media_.reset();
}

QImage SceneHost::grab()
{
    return widget_->grabFramebuffer().convertToFormat(QImage::Format_RGB32);
}

QImage SceneHost::step()
{
    renderer_->Step();
    return grab();
}

bool SceneHost::open(const std::string& path)
{
    if (!media_->open(path))
        return false;
    renderer_->SetViewport(0, 0, w_, h_);
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

}  // namespace scenetest
