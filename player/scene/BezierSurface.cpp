// The curved screens: control points of the Bezier patch and the evaluators that mesh it.
#include "ControlGrid.h"
#include "SceneState.h"

void SceneRenderer::BuildSurface(int mode, int depth, int p1, int p2, int p3, int p4, int p5,
                                 int p6, int p7, int p8)
{
    if (scene::isSurfaceMode(mode)) {
        d->surfaceMode = mode;
        scene::SurfaceValues values;
        values.depth = depth;
        values.free = {p1, p2, p3, p4, p5, p6, p7, p8};
        scene::fillControlGrid(d->controlGrid, mode, d->videoWidth, d->videoHeight, values);
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
