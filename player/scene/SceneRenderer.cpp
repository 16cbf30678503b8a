// The renderer's lifetime, its fixed scene state and the viewport with its projection.
#include "SceneState.h"
#include "SceneMath.h"

#include <framelift.h>

#include <cmath>

SceneRenderer::SceneRenderer(KeyStateSource* keys) : d(new State)
{
    d->keys = keys;
    // GLU keeps a quadric's settings in plain memory: no context is needed yet.
    d->quadric = gluNewQuadric();
}

SceneRenderer::~SceneRenderer()
{
    // The handle stops and releases any open video itself.
    if (d->videoHandle)
        DeleteVideoTexture(d->videoHandle);
    // The texture belongs to the context and goes with it; the quadric is plain memory.
    if (d->quadric)
        gluDeleteQuadric(d->quadric);
    delete d;
}

void SceneRenderer::InitScene()
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

    if (!d->quadric)
        d->quadric = gluNewQuadric();
    if (d->quadric) {
        gluQuadricNormals(d->quadric, GLU_FLAT);
        gluQuadricTexture(d->quadric, GL_TRUE);
    }

    // A new context (the widget may have been moved to another window) holds none of the
    // objects and maps of the old one: rebuild them at the next frame.
    d->evaluatorsStale = d->surfaceBuilt;
    d->textureStale = d->videoReady;
    d->sceneInitialised = true;

    if (!d->videoHandle)
        d->videoHandle = CreateVideoTexture();
}

void SceneRenderer::ReleaseGL()
{
    if (d->textureName != 0)
        glDeleteTextures(1, &d->textureName);
    d->textureName = 0;
    d->textureStale = d->videoReady;
    if (d->quadric)
        gluDeleteQuadric(d->quadric);
    d->quadric = nullptr;
    d->sceneInitialised = false;
}

void SceneRenderer::SetViewport(int x, int y, int w, int h)
{
    d->hasViewport = true;
    d->viewX = x;
    d->viewY = y;
    d->viewW = w;
    d->viewH = h;
    d->viewportRect = ViewportRect{0, 0, w, h};
}

void SceneRenderer::SetDevicePixelRatio(double ratio)
{
    if (std::isfinite(ratio) && ratio > 0.0)
        d->devicePixelRatio = ratio;
}

namespace scene {

void applyViewport(const SceneRenderer::State& s)
{
    if (s.hasViewport) {
        const double r = s.devicePixelRatio;
        auto px = [r](int v) { return static_cast<GLint>(std::lround(v * r)); };
        // A negative size is an error to GL; an empty viewport simply draws nothing.
        glViewport(px(s.viewX), px(s.viewY), px(s.viewW > 0 ? s.viewW : 0),
                   px(s.viewH > 0 ? s.viewH : 0));
        glMatrixMode(GL_PROJECTION);
        glLoadIdentity();
        gluPerspective(45.0, viewportAspect(s.viewW, s.viewH), 0.1, 1500.0);
    } else {
        glMatrixMode(GL_PROJECTION);
        glLoadIdentity();
    }
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
}

}  // namespace scene

bool SceneRenderer::videoReady() const { return d->videoReady; }
SurfaceMode SceneRenderer::surfaceMode() const { return d->surfaceMode; }
ShapeKind SceneRenderer::shapeKind() const { return d->shapeKind; }
int SceneRenderer::spinDegrees() const { return d->spinDegrees; }
int SceneRenderer::yawDegrees() const { return d->yawDegrees; }
int SceneRenderer::depthOffset() const { return d->depthOffset; }
ViewportRect SceneRenderer::viewportRect() const { return d->viewportRect; }
const std::array<float, 27>& SceneRenderer::controlGrid() const { return d->controlGrid; }
VideoTexture* SceneRenderer::videoHandle() const { return d->videoHandle; }
int SceneRenderer::spinEnabled() const { return d->spinEnabled; }
int SceneRenderer::spinStep() const { return d->spinStep; }
int SceneRenderer::texWidth() const { return d->texWidth; }
int SceneRenderer::texHeight() const { return d->texHeight; }
const std::array<float, 16>& SceneRenderer::texScale() const { return d->texScale; }
unsigned SceneRenderer::textureName() const { return d->textureName; }
long long SceneRenderer::uploadedBytesLastFrame() const { return d->uploadedBytesLastFrame; }
