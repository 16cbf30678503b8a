// One frame: the picture's surface, the translucent shape beside it, then the next video
// frame into the texture.
#include "CubeTable.h"
#include "ControlGrid.h"
#include "SceneMath.h"
#include "SceneState.h"

void SceneRenderer::SetShapeKind(ShapeKind kind)
{
    if (isShapeKind(kind))
        d->shapeKind = kind;
}

void SceneRenderer::SetSpin(int enabled, int step)
{
    d->spinEnabled = enabled;
    d->spinStep = step;
}

void SceneRenderer::DrawFrame()
{
    State& s = *d;
    s.uploadedBytesLastFrame = 0;
    scene::applyViewport(s);
    if (s.evaluatorsStale) {
        scene::applyEvaluators(s);
        s.evaluatorsStale = false;
    }

    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    glLoadIdentity();
    if (!s.videoReady) {
        glFlush();
        return;
    }
    if (s.textureStale)
        scene::createVideoTexture(s);

    glPushMatrix();
    // Crop the power-of-two texture to the part that holds the video.
    glMatrixMode(GL_TEXTURE);
    glLoadIdentity();
    glMultMatrixf(s.texScale.data());
    glMatrixMode(GL_MODELVIEW);
    glEnable(GL_TEXTURE_2D);
    glBindTexture(GL_TEXTURE_2D, s.textureName);

    glPushMatrix();
    PollArrowKeys();
    // Turn about a vertical axis through the flat picture's centre and move by the depth.
    const float z = static_cast<float>(s.depthOffset);
    const float pivot = static_cast<float>(scene::kPictureDistance);
    glTranslatef(0.0f, 0.0f, z);
    glTranslatef(0.0f, 0.0f, z - pivot);
    glRotatef(static_cast<float>(s.yawDegrees), 0.0f, 1.0f, 0.0f);
    glTranslatef(0.0f, 0.0f, z + pivot);
    DrawSurface();
    // The shape stands apart from the arrow keys' turn and move.
    glPopMatrix();
    glPushMatrix();
    DrawShape();
    glPopMatrix();

    glDisable(GL_TEXTURE_2D);
    glPopMatrix();

    scene::feedVideoTexture(s);
    glFlush();
}

void SceneRenderer::DrawSurface()
{
    const State& s = *d;
    glPushMatrix();
    glColor4f(1.0f, 1.0f, 1.0f, 1.0f);
    // Face the light, whatever normal the previous frame's shape left behind.
    glNormal3f(0.0f, 0.0f, 1.0f);
    if (s.surfaceMode == SurfaceMode::Normal) {
        const float w = static_cast<float>(s.videoWidth);
        const float h = static_cast<float>(s.videoHeight);
        glTranslatef(static_cast<float>(scene::flatPictureShift(s.videoWidth)),
                     static_cast<float>(scene::flatPictureShift(s.videoHeight)),
                     -static_cast<float>(scene::kPictureDistance));
        glBegin(GL_QUADS);
        glTexCoord2f(0.0f, 0.0f);
        glVertex3f(0.0f, 0.0f, 0.0f);
        glTexCoord2f(1.0f, 0.0f);
        glVertex3f(w, 0.0f, 0.0f);
        glTexCoord2f(1.0f, 1.0f);
        glVertex3f(w, h, 0.0f);
        glTexCoord2f(0.0f, 1.0f);
        glVertex3f(0.0f, h, 0.0f);
        glEnd();
    } else if (drawsMesh(s.surfaceMode)) {
        glTranslatef(0.0f, 0.0f, -static_cast<float>(scene::meshDistance(s.surfaceMode)));
        glEvalMesh2(GL_FILL, 0, 100, 0, 100);
    }
    glPopMatrix();
}

namespace {

void drawCube()
{
    glNormal3f(0.0f, 0.0f, 1.0f);
    glBegin(GL_QUADS);
    for (const scene::CubeVertex& v : scene::kCubeVertices) {
        glTexCoord2f(v.s, v.t);
        glVertex3f(v.x, v.y, v.z);
    }
    glEnd();
}

// Stands a quadric's axis upright and turns it about that axis by the spin angle.
void standUpright(int spinDegrees)
{
    glRotatef(-90.0f, 1.0f, 0.0f, 0.0f);
    glRotatef(static_cast<float>(spinDegrees), 0.0f, 0.0f, 1.0f);
}

}  // namespace

void SceneRenderer::DrawShape()
{
    State& s = *d;
    glPushMatrix();
    glColor4f(1.0f, 1.0f, 1.0f, 0.6f);  // 60 % opaque over the picture
    const int angle = s.spinDegrees;
    bool drawn = true;
    switch (s.shapeKind) {
    case ShapeKind::Cube:
        glTranslatef(0.0f, 0.0f, -50.0f);
        glRotatef(static_cast<float>(angle), 1.0f, 1.0f, 1.0f);
        drawCube();
        break;
    case ShapeKind::Sphere:
        glTranslatef(0.0f, 0.0f, -100.0f);
        standUpright(angle);
        if (s.quadric)
            gluSphere(s.quadric, 30.0, 50, 100);
        break;
    case ShapeKind::Cylinder:
        glTranslatef(0.0f, 0.0f, -100.0f);
        glTranslatef(0.0f, -25.0f, 0.0f);
        standUpright(angle);
        if (s.quadric)
            gluCylinder(s.quadric, 30.0, 30.0, 50.0, 50, 100);
        break;
    case ShapeKind::Taper:
        glTranslatef(0.0f, 0.0f, -100.0f);
        glTranslatef(0.0f, -20.0f, 0.0f);
        standUpright(angle);
        if (s.quadric)
            gluCylinder(s.quadric, 35.0, 0.0, 50.0, 50, 100);
        break;
    default:
        drawn = false;
        break;
    }
    // The new angle shows in the next frame.
    if (drawn)
        s.spinDegrees = scene::advanceSpin(s.spinDegrees, s.spinEnabled, s.spinStep);
    s.spinDegrees = scene::wrapSpin(s.spinDegrees);
    glPopMatrix();
}
