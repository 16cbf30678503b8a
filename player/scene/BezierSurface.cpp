// The curved screens: control points of the Bezier patch and the evaluators that mesh it.
#include "ControlGrid.h"
#include "SceneState.h"

void SceneRenderer::BuildSurface(const SurfaceSettings& surface)
{
    if (isSurfaceMode(surface.mode)) {
        d->surfaceMode = surface.mode;
        scene::fillControlGrid(d->controlGrid, surface, d->videoWidth, d->videoHeight);
    }
    // The maps are loaded on every call, whatever the mode; GL work waits for the next frame.
    d->surfaceBuilt = true;
    d->evaluatorsStale = true;
}

namespace scene {

void applyEvaluators(const SceneRenderer::State& s)
{
    glMap2f(GL_MAP2_VERTEX_3, 0.0f, 100.0f, 3, 3, 0.0f, 100.0f, 9, 3, s.controlGrid.data());
    glMap2f(GL_MAP2_TEXTURE_COORD_2, 0.0f, 100.0f, 2, 2, 0.0f, 100.0f, 4, 2,
            kTextureCorners.data());
    glEnable(GL_MAP2_TEXTURE_COORD_2);
    glEnable(GL_MAP2_VERTEX_3);
    glMapGrid2f(100, 0.0f, 100.0f, 100, 0.0f, 100.0f);
    glTexEnvi(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, GL_MODULATE);
    glEnable(GL_AUTO_NORMAL);
}

}  // namespace scene
