// The arrow keys turn the picture about a vertical axis and move it nearer or farther.
#include "KeyStateSource.h"
#include "SceneMath.h"
#include "SceneRendererImpl.h"

void SceneRenderer::Impl::pollArrowKeys()
{
    if (!keys_)
        return;
    // Every key is read on every poll, so each one's "pressed since" latch is consumed.
    if (keys_->readKey(ArrowKey::Right))
        yawDegrees_ = scene::turnYaw(yawDegrees_, scene::kYawStep);
    if (keys_->readKey(ArrowKey::Left))
        yawDegrees_ = scene::turnYaw(yawDegrees_, -scene::kYawStep);
    if (keys_->readKey(ArrowKey::Up))
        depthOffset_ = scene::moveDepth(depthOffset_, scene::kDepthStep);
    if (keys_->readKey(ArrowKey::Down))
        depthOffset_ = scene::moveDepth(depthOffset_, -scene::kDepthStep);
}
