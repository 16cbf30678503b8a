// How long SceneRenderer::DrawFrame takes for a 640 by 480 and a 1920 by 1080 video with each
// surface and each shape, drawn into an offscreen framebuffer of the scene's context kind
// (on a headless machine: Mesa's software renderer), and how many bytes it uploads per frame.
//
// The reference, measured in the same run, is what every frame would cost without the scene:
// a clear and a sub-image upload of the whole texture image. Each DrawFrame is reported as a
// ratio against the reference of its video size.
//
//   bench-scene-drawframe [--benchmark_filter=...]     (needs a display: X or Wayland)
#include "MediaSession.h"
#include "SceneRenderer.h"
#include "SceneWidget.h"

#include <TestMedia.h>

#include <GL/gl.h>

#include <QGuiApplication>
#include <QOffscreenSurface>
#include <QOpenGLContext>
#include <QOpenGLFramebufferObject>

#include <benchmark/benchmark.h>

#include <cstdio>
#include <map>
#include <memory>
#include <string>
#include <vector>

namespace {

struct VideoSize {
    int width, height;
    std::string label() const { return std::to_string(width) + "x" + std::to_string(height); }
};
const VideoSize kSizes[] = {{640, 480}, {1920, 1080}};

// One GL context current on an offscreen surface, drawing into a framebuffer with depth.
class OffscreenTarget {
public:
    bool create(int w, int h)
    {
        surface_.setFormat(SceneWidget::sceneFormat());
        surface_.create();
        context_.setFormat(SceneWidget::sceneFormat());
        if (!context_.create() || !context_.makeCurrent(&surface_))
            return false;
        QOpenGLFramebufferObjectFormat format;
        format.setAttachment(QOpenGLFramebufferObject::Depth);
        fbo_ = std::make_unique<QOpenGLFramebufferObject>(w, h, format);
        return fbo_->isValid() && fbo_->bind();
    }
    ~OffscreenTarget()
    {
        if (context_.makeCurrent(&surface_))
            fbo_.reset();
    }

private:
    QOffscreenSurface surface_;
    QOpenGLContext context_;
    std::unique_ptr<QOpenGLFramebufferObject> fbo_;
};

std::string clipFor(const VideoSize& size)
{
    testmedia::ClipRequest clip;
    clip.name = "bench-scene-" + size.label() + ".avi";
    clip.width = size.width;
    clip.height = size.height;
    clip.frames = 50;
    return testmedia::clip(clip);
}

// The picture area: the video at its own size fitted into a 1280 by 720 window area.
constexpr int kViewW = 1280;
constexpr int kViewH = 720;

// A renderer with the clip open, drawn once so that the texture exists.
struct OpenScene {
    OffscreenTarget target;
    MediaSession media;
    SceneRenderer renderer{media};
    bool ready = false;

    explicit OpenScene(const VideoSize& size)
    {
        if (!target.create(kViewW, kViewH))
            return;
        renderer.InitScene();
        if (!media.open(clipFor(size)))
            return;
        renderer.SetViewport(0, 0, kViewW, kViewH);
        renderer.DrawFrame();
        ready = true;
    }
    ~OpenScene()
    {
        media.close();
        renderer.ReleaseGL();
    }
};

void drawFrame(benchmark::State& state, VideoSize size, int surface, int shape)
{
    OpenScene scene(size);
    if (!scene.ready) {
        state.SkipWithError("no GL context or the clip does not open");
        return;
    }
    SceneRenderer& r = scene.renderer;
    r.BuildSurface({static_cast<SurfaceMode>(surface), 250,
                    {1000, 1000, 1000, 1000, 1000, 1300, 1000, 1000}});
    r.SetShapeKind(static_cast<ShapeKind>(shape));
    r.SetSpin(1, 3);
    long long bytes = 0;
    for (auto _ : state) {
        r.DrawFrame();
        glFinish();  // the software renderer draws when asked to finish
        bytes += r.uploadedBytesLastFrame();
    }
    state.counters["upload_bytes_per_frame"] =
        benchmark::Counter(double(bytes) / double(state.iterations()));
    state.SetBytesProcessed(bytes);
}

// The reference: a clear and a whole-texture upload from the library's texture image size.
void wholeTextureUpload(benchmark::State& state, VideoSize size)
{
    OpenScene scene(size);
    if (!scene.ready) {
        state.SkipWithError("no GL context or the clip does not open");
        return;
    }
    const int tw = scene.renderer.texWidth();
    const int th = scene.renderer.texHeight();
    std::vector<unsigned char> image(size_t(tw) * size_t(th) * 3, 0x40);
    GLuint texture = 0;
    glGenTextures(1, &texture);
    glBindTexture(GL_TEXTURE_2D, texture);
    glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
    glTexImage2D(GL_TEXTURE_2D, 0, GL_RGB, tw, th, 0, GL_BGR, GL_UNSIGNED_BYTE, image.data());
    for (auto _ : state) {
        glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
        glTexSubImage2D(GL_TEXTURE_2D, 0, 0, 0, tw, th, GL_BGR, GL_UNSIGNED_BYTE, image.data());
        glFinish();
    }
    glDeleteTextures(1, &texture);
    state.counters["upload_bytes_per_frame"] = benchmark::Counter(double(image.size()));
    state.SetBytesProcessed(int64_t(image.size()) * state.iterations());
}

const char* const kSurfaceNames[] = {"Normal", "Bethel1", "Bethel2", "Bethel3",
                                     "Bethel4", "None", "Freedom"};
const char* const kShapeNames[] = {"Flat", "Cube", "Sphere", "Cylinder", "Taper"};

void registerAll()
{
    for (const VideoSize& size : kSizes) {
        benchmark::RegisterBenchmark(("Reference/WholeTextureUpload/" + size.label()).c_str(),
                                     wholeTextureUpload, size)
            ->Unit(benchmark::kMillisecond)->UseRealTime();
        for (int surface = 0; surface <= 6; ++surface)
            benchmark::RegisterBenchmark(("DrawFrame/" + size.label() + "/" +
                                          kSurfaceNames[surface] + "/Flat").c_str(),
                                         drawFrame, size, surface, 0)
                ->Unit(benchmark::kMillisecond)->UseRealTime();
        for (int shape = 1; shape <= 4; ++shape)
            benchmark::RegisterBenchmark(("DrawFrame/" + size.label() + "/Normal/" +
                                          kShapeNames[shape]).c_str(),
                                         drawFrame, size, 0, shape)
                ->Unit(benchmark::kMillisecond)->UseRealTime();
    }
}

// Prints the usual table, then each DrawFrame as a ratio against its size's reference.
class RatioReporter : public benchmark::ConsoleReporter {
public:
    void ReportRuns(const std::vector<Run>& runs) override
    {
        for (const Run& run : runs)
            if (!run.error_occurred && run.run_type == Run::RT_Iteration)
                times_[run.run_name.function_name] = run.GetAdjustedRealTime();
        ConsoleReporter::ReportRuns(runs);
    }
    void Finalize() override
    {
        ConsoleReporter::Finalize();
        std::printf("\nDrawFrame time / reference (clear + whole-texture upload), same run:\n");
        for (const auto& [name, time] : times_) {
            if (name.rfind("DrawFrame/", 0) != 0)
                continue;
            const std::string size = name.substr(10, name.find('/', 10) - 10);
            const auto ref = times_.find("Reference/WholeTextureUpload/" + size);
            if (ref != times_.end() && ref->second > 0)
                std::printf("  %-40s %6.2f\n", name.c_str() + 10, time / ref->second);
        }
    }

private:
    std::map<std::string, double> times_;
};

}  // namespace

int main(int argc, char** argv)
{
    QSurfaceFormat::setDefaultFormat(SceneWidget::sceneFormat());
    QGuiApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    registerAll();
    RatioReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    benchmark::Shutdown();
    return 0;
}
