// The arrow keys turn the picture about a vertical axis and move it nearer or farther.
#include "KeyStateSource.h"
#include "SceneMath.h"
#include "SceneState.h"

void SceneRenderer::PollArrowKeys()
{
    KeyStateSource* keys = d->keys;
    if (!keys)
        return;
    // Every key is read on every poll, so each one's "pressed since" latch is consumed.
    if (keys->readKey(ArrowKey::Right))
        d->yawDegrees = scene::turnYaw(d->yawDegrees, scene::kYawStep);
    if (keys->readKey(ArrowKey::Left))
        d->yawDegrees = scene::turnYaw(d->yawDegrees, -scene::kYawStep);
    if (keys->readKey(ArrowKey::Up))
        d->depthOffset = scene::moveDepth(d->depthOffset, scene::kDepthStep);
    if (keys->readKey(ArrowKey::Down))
        d->depthOffset = scene::moveDepth(d->depthOffset, -scene::kDepthStep);
}
