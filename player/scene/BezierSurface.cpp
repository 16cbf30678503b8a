// The curved screens: control points of the Bezier patch and the evaluators that mesh it.
#include "ControlGrid.h"
#include "SceneRendererImpl.h"

#include "SceneMath.h"

#include <cmath>

void SceneRenderer::Impl::buildSurface(const SurfaceSettings& surface)
{
    if (isSurfaceMode(surface.mode)) {
        surfaceMode_ = surface.mode;
        surface_ = surface;
        refitSurface();
    }
    // The maps are loaded on every call, whatever the mode; GL work waits for the next frame.
    surfaceBuilt_ = true;
    evaluatorsStale_ = true;
    changed_ = true;
}

void SceneRenderer::Impl::refitSurface()
{
    // The patch spans the flat picture's rectangle, so a curved screen shows the picture as
    // large and in the same shape as the flat one.
    const float unit = scene::flatPictureScale(format_.videoHeight, flatPictureHeight());
    const auto width = static_cast<int>(
        std::lround(static_cast<float>(format_.videoWidth) * unit * format_.pixelWidening()));
    const auto height = static_cast<int>(std::lround(static_cast<float>(format_.videoHeight) * unit));
    if (scene::fillControlGrid(controlGrid_, surface_, width, height)) {
        evaluatorsStale_ = true;
        changed_ = true;
    }
}

float SceneRenderer::Impl::flatPictureHeight() const
{
    if (format_.videoWidth <= 0 || format_.videoHeight <= 0)
        return static_cast<float>(scene::kFlatPictureHeight);
    const double picture = static_cast<double>(format_.videoWidth) * format_.pixelWidening() /
                           static_cast<double>(format_.videoHeight);
    const double view = hasViewport_ ? scene::viewportAspect(viewW_, viewH_) : 0.0;
    return scene::flatPictureHeight(picture, view);
}

void SceneRenderer::Impl::applyEvaluators() const
{
    using scene::kMeshParameterEnd;
    glMap2f(GL_MAP2_VERTEX_3, 0.0f, kMeshParameterEnd, 3, 3, 0.0f, kMeshParameterEnd, 9, 3,
            controlGrid_.data());
    glMap2f(GL_MAP2_TEXTURE_COORD_2, 0.0f, kMeshParameterEnd, 2, 2, 0.0f, kMeshParameterEnd, 4,
            2, scene::kTextureCorners.data());
    glEnable(GL_MAP2_TEXTURE_COORD_2);
    glEnable(GL_MAP2_VERTEX_3);
    glMapGrid2f(scene::kMeshSteps, 0.0f, kMeshParameterEnd, scene::kMeshSteps, 0.0f,
                kMeshParameterEnd);
    glTexEnvi(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, GL_MODULATE);
    glEnable(GL_AUTO_NORMAL);
}
