// The arrow keys turn the picture about a vertical axis and move it nearer or farther.
#include "KeyStateSource.h"
#include "SceneMath.h"
#include "SceneRendererImpl.h"

bool SceneRenderer::Impl::pollArrowKeys()
{
    if (!keys_)
        return false;
    const int yaw = yawDegrees_, depth = depthOffset_;
    // Every key is read on every poll, so each one's "pressed since" latch is consumed.
    if (keys_->readKey(ArrowKey::Right))
        yawDegrees_ = scene::turnYaw(yawDegrees_, scene::kYawStep);
    if (keys_->readKey(ArrowKey::Left))
        yawDegrees_ = scene::turnYaw(yawDegrees_, -scene::kYawStep);
    if (keys_->readKey(ArrowKey::Up))
        depthOffset_ = scene::moveDepth(depthOffset_, scene::kDepthStep);
    if (keys_->readKey(ArrowKey::Down))
        depthOffset_ = scene::moveDepth(depthOffset_, -scene::kDepthStep);
    return yaw != yawDegrees_ || depth != depthOffset_;
}
