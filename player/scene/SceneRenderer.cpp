// The renderer's lifetime, its fixed scene state and the viewport with its projection.
#include "SceneMath.h"
#include "SceneRendererImpl.h"

#include <cmath>

SceneRenderer::Impl::Impl(MediaSession& media, KeyStateSource* keys) : media_(media), keys_(keys)
{
    // GLU keeps a quadric's settings in plain memory: no context is needed yet.
    quadric_ = gluNewQuadric();
    media_.setObserver(this);
}

SceneRenderer::Impl::~Impl()
{
    media_.setObserver(nullptr);
    // The texture belongs to the context and goes with it; the quadric is plain memory.
    if (quadric_)
        gluDeleteQuadric(quadric_);
}

void SceneRenderer::Impl::initScene()
{
    glEnable(GL_DEPTH_TEST);
    glFrontFace(GL_CCW);
    glEnable(GL_LIGHTING);

    const GLfloat ambientModel[] = {0.2f, 0.2f, 0.2f, 1.0f};
    glLightModelfv(GL_LIGHT_MODEL_AMBIENT, ambientModel);
    const GLfloat ambient[] = {0.2f, 0.2f, 0.2f, 1.0f};
    const GLfloat diffuse[] = {0.6f, 0.6f, 0.6f, 1.0f};
    const GLfloat specular[] = {0.8f, 0.8f, 0.8f, 1.0f};
    glLightfv(GL_LIGHT0, GL_AMBIENT, ambient);
    glLightfv(GL_LIGHT0, GL_DIFFUSE, diffuse);
    glLightfv(GL_LIGHT0, GL_SPECULAR, specular);
    glEnable(GL_LIGHT0);
    glEnable(GL_COLOR_MATERIAL);

    glClearColor(0.0f, 0.0f, 0.0f, 1.0f);
    glShadeModel(GL_SMOOTH);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
    glEnable(GL_BLEND);

    if (!quadric_)
        quadric_ = gluNewQuadric();
    if (quadric_) {
        gluQuadricNormals(quadric_, GLU_FLAT);
        gluQuadricTexture(quadric_, GL_TRUE);
    }

    // A new context (the widget may have been moved to another window) holds none of the
    // objects and maps of the old one: rebuild them at the next frame.
    evaluatorsStale_ = surfaceBuilt_;
    textureStale_ = videoReady_;

    media_.createHandle();
}

void SceneRenderer::Impl::releaseGL()
{
    if (textureName_ != 0)
        glDeleteTextures(1, &textureName_);
    textureName_ = 0;
    textureStale_ = videoReady_;
    if (quadric_)
        gluDeleteQuadric(quadric_);
    quadric_ = nullptr;
}

void SceneRenderer::Impl::setViewport(int x, int y, int w, int h)
{
    if (!hasViewport_ || x != viewX_ || y != viewY_ || w != viewW_ || h != viewH_)
        changed_ = true;
    const bool reshaped = !hasViewport_ || w * viewH_ != h * viewW_;
    hasViewport_ = true;
    viewX_ = x;
    viewY_ = y;
    viewW_ = w;
    viewH_ = h;
    viewportRect_ = ViewportRect{0, 0, w, h};
    // A wide picture's size follows the view's shape, and the curved screen with it.
    if (reshaped && drawsMesh(surfaceMode_))
        refitSurface();
}

void SceneRenderer::Impl::setDevicePixelRatio(double ratio)
{
    if (std::isfinite(ratio) && ratio > 0.0 && ratio != devicePixelRatio_) {
        devicePixelRatio_ = ratio;
        changed_ = true;
    }
}

void SceneRenderer::Impl::applyViewport() const
{
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    if (hasViewport_) {
        const double r = devicePixelRatio_;
        auto px = [r](int v) { return static_cast<GLint>(std::lround(v * r)); };
        // A negative size is an error to GL; an empty viewport simply draws nothing.
        glViewport(px(viewX_), px(viewY_), px(viewW_ > 0 ? viewW_ : 0),
                   px(viewH_ > 0 ? viewH_ : 0));
        gluPerspective(45.0, scene::viewportAspect(viewW_, viewH_), 0.1, 1500.0);
    }
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
}

// ---- The public face: each call goes to the implementation ------------------------------

SceneRenderer::SceneRenderer(MediaSession& media, KeyStateSource* keys)
    : d(std::make_unique<Impl>(media, keys))
{
}

SceneRenderer::~SceneRenderer() = default;

MediaSession& SceneRenderer::media() const { return d->media_; }
void SceneRenderer::InitScene() { d->initScene(); }
void SceneRenderer::ReleaseGL() { d->releaseGL(); }
void SceneRenderer::SetViewport(int x, int y, int w, int h) { d->setViewport(x, y, w, h); }
void SceneRenderer::SetDevicePixelRatio(double ratio) { d->setDevicePixelRatio(ratio); }
void SceneRenderer::DrawFrame() { d->drawFrame(); }
void SceneRenderer::SetShapeKind(ShapeKind kind) { d->setShapeKind(kind); }
void SceneRenderer::SetSpin(int enabled, int step) { d->setSpin(enabled, step); }
void SceneRenderer::BuildSurface(const SurfaceSettings& surface) { d->buildSurface(surface); }
bool SceneRenderer::PollArrowKeys() { return d->pollArrowKeys(); }
bool SceneRenderer::Step() { return d->step(); }

bool SceneRenderer::videoReady() const { return d->videoReady_; }
SurfaceMode SceneRenderer::surfaceMode() const { return d->surfaceMode_; }
ShapeKind SceneRenderer::shapeKind() const { return d->shapeKind_; }
int SceneRenderer::spinDegrees() const { return d->spinDegrees_; }
int SceneRenderer::yawDegrees() const { return d->yawDegrees_; }
int SceneRenderer::depthOffset() const { return d->depthOffset_; }
ViewportRect SceneRenderer::viewportRect() const { return d->viewportRect_; }
const std::array<float, 27>& SceneRenderer::controlGrid() const { return d->controlGrid_; }
int SceneRenderer::spinEnabled() const { return d->spinEnabled_; }
int SceneRenderer::spinStep() const { return d->spinStep_; }
int SceneRenderer::texWidth() const { return d->format_.texWidth; }
int SceneRenderer::texHeight() const { return d->format_.texHeight; }
const std::array<float, 16>& SceneRenderer::texScale() const { return d->format_.scale; }
unsigned SceneRenderer::textureName() const { return d->textureName_; }
long long SceneRenderer::uploadedBytesLastFrame() const { return d->uploadedBytesLastFrame_; }
long long SceneRenderer::framesShown() const { return d->framesShown_; }
