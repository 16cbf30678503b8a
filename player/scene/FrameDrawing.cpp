// One frame: the picture's surface, the translucent shape beside it, then the next video
// frame into the texture.
#include "CubeTable.h"
#include "SceneMath.h"
#include "SceneRendererImpl.h"

#include <utility>

void SceneRenderer::Impl::setShapeKind(ShapeKind kind)
{
    if (isShapeKind(kind) && kind != shapeKind_) {
        shapeKind_ = kind;
        changed_ = true;
    }
}

void SceneRenderer::Impl::setSpin(int enabled, int step)
{
    spinEnabled_ = enabled;
    spinStep_ = step;
}

bool SceneRenderer::Impl::drawsShape() const
{
    switch (shapeKind_) {
    case ShapeKind::Cube:
    case ShapeKind::Sphere:
    case ShapeKind::Cylinder:
    case ShapeKind::Taper:
        return true;
    default:
        return false;
    }
}

bool SceneRenderer::Impl::step()
{
    bool moved = std::exchange(changed_, false);
    // Only a drawn picture moves: without a video nothing of the scene shows.
    if (!videoReady_)
        return moved;
    moved = pollArrowKeys() || moved;
    if (drawsShape()) {
        const int before = spinDegrees_;
        spinDegrees_ = scene::wrapSpin(scene::advanceSpin(spinDegrees_, spinEnabled_, spinStep_));
        moved = moved || spinDegrees_ != before;
    }
    return moved;
}

void SceneRenderer::Impl::drawFrame()
{
    uploadedBytesLastFrame_ = 0;
    applyViewport();
    if (evaluatorsStale_) {
        applyEvaluators();
        evaluatorsStale_ = false;
    }

    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    glLoadIdentity();
    // A texture to be made again needs a frame; while a file loads there is none.
    if (!videoReady_ || (textureStale_ && !lastFrame_)) {
        glFlush();
        return;
    }
    if (textureStale_)
        createVideoTexture();
    // The newest frame goes in before the picture is drawn, so a frame that arrived is
    // shown by the draw it asked for.
    feedVideoTexture();

    glPushMatrix();
    // Crop the power-of-two texture to the part that holds the video.
    glMatrixMode(GL_TEXTURE);
    glLoadIdentity();
    glMultMatrixf(format_.scale.data());
    glMatrixMode(GL_MODELVIEW);
    glEnable(GL_TEXTURE_2D);
    glBindTexture(GL_TEXTURE_2D, textureName_);

    glPushMatrix();
    // Turn about a vertical axis near the flat picture's centre and move by the depth.
    // Each of the three moves carries the depth, so the picture moves three units per unit
    // of depthOffset_, and the axis of the turn lies depthOffset_ units from its centre: the
    // arrow keys' step and limits (kDepthStep, kDepthNearLimit, kDepthFarLimit) were set
    // for that.
    const float z = static_cast<float>(depthOffset_);
    const float pivot = static_cast<float>(scene::kPictureDistance);
    glTranslatef(0.0f, 0.0f, z);
    glTranslatef(0.0f, 0.0f, z - pivot);
    glRotatef(static_cast<float>(yawDegrees_), 0.0f, 1.0f, 0.0f);
    glTranslatef(0.0f, 0.0f, z + pivot);
    drawSurface();
    // The shape stands apart from the arrow keys' turn and move.
    glPopMatrix();
    glPushMatrix();
    drawShape();
    glPopMatrix();

    glDisable(GL_TEXTURE_2D);
    glPopMatrix();
    glFlush();
}

void SceneRenderer::Impl::drawSurface() const
{
    glPushMatrix();
    glColor4f(1.0f, 1.0f, 1.0f, 1.0f);
    // The picture is opaque (white at full alpha times an RGB texture): blending it would
    // give the same pixels, at the cost of reading every one back first.
    glDisable(GL_BLEND);
    // Face the light, whatever normal the previous frame's shape left behind.
    glNormal3f(0.0f, 0.0f, 1.0f);
    if (surfaceMode_ == SurfaceMode::Normal) {
        // Sized to the view whatever the video's lines (see flatPictureHeight); a 480-line
        // square-pixel video no wider than the view is drawn one unit per pixel, with the
        // same calls and values as before the scaling. Pixels that are not square widen it.
        const float unit = scene::flatPictureScale(format_.videoHeight, flatPictureHeight());
        const float across = unit * format_.pixelWidening();
        const float w = static_cast<float>(format_.videoWidth) * across;
        const float h = static_cast<float>(format_.videoHeight) * unit;
        glTranslatef(static_cast<float>(scene::flatPictureShift(format_.videoWidth)) * across,
                     static_cast<float>(scene::flatPictureShift(format_.videoHeight)) * unit,
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
    } else if (drawsMesh(surfaceMode_)) {
        glTranslatef(0.0f, 0.0f, -static_cast<float>(scene::meshDistance(surfaceMode_)));
        glEvalMesh2(GL_FILL, 0, scene::kMeshSteps, 0, scene::kMeshSteps);
    }
    glEnable(GL_BLEND);  // the shape is translucent
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

void SceneRenderer::Impl::drawShape() const
{
    glPushMatrix();
    using namespace scene;
    glColor4f(1.0f, 1.0f, 1.0f, kShapeOpacity);
    const int angle = spinDegrees_;
    switch (shapeKind_) {
    case ShapeKind::Cube:
        glTranslatef(0.0f, 0.0f, -kCubeDistance);
        glRotatef(static_cast<float>(angle), 1.0f, 1.0f, 1.0f);
        drawCube();
        break;
    case ShapeKind::Sphere:
        glTranslatef(0.0f, 0.0f, -kQuadricDistance);
        standUpright(angle);
        if (quadric_)
            gluSphere(quadric_, kSphereRadius, kQuadricSlices, kQuadricStacks);
        break;
    case ShapeKind::Cylinder:
        glTranslatef(0.0f, kCylinderDrop, -kQuadricDistance);
        standUpright(angle);
        if (quadric_)
            gluCylinder(quadric_, kCylinderRadius, kCylinderRadius, kQuadricLength,
                        kQuadricSlices, kQuadricStacks);
        break;
    case ShapeKind::Taper:
        glTranslatef(0.0f, kTaperDrop, -kQuadricDistance);
        standUpright(angle);
        if (quadric_)
            gluCylinder(quadric_, kTaperBaseRadius, 0.0, kQuadricLength, kQuadricSlices,
                        kQuadricStacks);
        break;
    default:
        break;
    }
    glPopMatrix();
}
