// The curved screens: control points of the Bezier patch and the evaluators that mesh it.
#include "ControlGrid.h"
#include "SceneRendererImpl.h"

void SceneRenderer::Impl::buildSurface(const SurfaceSettings& surface)
{
    if (isSurfaceMode(surface.mode)) {
        surfaceMode_ = surface.mode;
        scene::fillControlGrid(controlGrid_, surface, format_.videoWidth, format_.videoHeight);
    }
    // The maps are loaded on every call, whatever the mode; GL work waits for the next frame.
    surfaceBuilt_ = true;
    evaluatorsStale_ = true;
    changed_ = true;
}

void SceneRenderer::Impl::applyEvaluators() const
{
    glMap2f(GL_MAP2_VERTEX_3, 0.0f, 100.0f, 3, 3, 0.0f, 100.0f, 9, 3, controlGrid_.data());
    glMap2f(GL_MAP2_TEXTURE_COORD_2, 0.0f, 100.0f, 2, 2, 0.0f, 100.0f, 4, 2,
            scene::kTextureCorners.data());
    glEnable(GL_MAP2_TEXTURE_COORD_2);
    glEnable(GL_MAP2_VERTEX_3);
    glMapGrid2f(100, 0.0f, 100.0f, 100, 0.0f, 100.0f);
    glTexEnvi(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, GL_MODULATE);
    glEnable(GL_AUTO_NORMAL);
}
