#include "MixerControls.h"

#include "PulseSinkClient.h"

#include <algorithm>

namespace {

// The code Open returns when no server answered.
constexpr int kNoServer = -1;

bool isLeft(pa_channel_position_t p)
{
    switch (p) {
    case PA_CHANNEL_POSITION_FRONT_LEFT:
    case PA_CHANNEL_POSITION_REAR_LEFT:
    case PA_CHANNEL_POSITION_FRONT_LEFT_OF_CENTER:
    case PA_CHANNEL_POSITION_SIDE_LEFT:
    case PA_CHANNEL_POSITION_TOP_FRONT_LEFT:
    case PA_CHANNEL_POSITION_TOP_REAR_LEFT:
        return true;
    default:
        return false;
    }
}

bool isRight(pa_channel_position_t p)
{
    switch (p) {
    case PA_CHANNEL_POSITION_FRONT_RIGHT:
    case PA_CHANNEL_POSITION_REAR_RIGHT:
    case PA_CHANNEL_POSITION_FRONT_RIGHT_OF_CENTER:
    case PA_CHANNEL_POSITION_SIDE_RIGHT:
    case PA_CHANNEL_POSITION_TOP_FRONT_RIGHT:
    case PA_CHANNEL_POSITION_TOP_REAR_RIGHT:
        return true;
    default:
        return false;
    }
}

bool isMono(const pa_channel_map& map)
{
    return map.channels == 1;
}

pa_cvolume volumesFor(const pa_channel_map& map, int left, int right)
{
    pa_cvolume volume;
    pa_cvolume_init(&volume);
    volume.channels = map.channels;
    const auto l = static_cast<pa_volume_t>(left);
    const auto r = static_cast<pa_volume_t>(right);
    for (unsigned i = 0; i < map.channels; ++i) {
        const pa_channel_position_t position = map.map[i];
        if (isMono(map) || isLeft(position))
            volume.values[i] = l;
        else if (isRight(position))
            volume.values[i] = r;
        else
            volume.values[i] = std::max(l, r);
    }
    return volume;
}

// The first channel on the given side; the only channel of a mono sink counts as left.
int sideVolume(const SinkState& sink, bool leftSide)
{
    const pa_channel_map& map = sink.channelMap;
    if (isMono(map))
        return leftSide ? static_cast<int>(sink.volume.values[0]) : -1;
    for (unsigned i = 0; i < map.channels && i < sink.volume.channels; ++i) {
        const bool matches = leftSide ? isLeft(map.map[i])
                                      : isRight(map.map[i]);
        if (matches)
            return static_cast<int>(sink.volume.values[i]);
    }
    // No channel on that side: the left value is the first channel's.
    return leftSide && sink.volume.channels > 0 ? static_cast<int>(sink.volume.values[0]) : -1;
}

}  // namespace

// ---- Mute ------------------------------------------------------------------------------

CMixerMuteControl::CMixerMuteControl() = default;
CMixerMuteControl::~CMixerMuteControl() = default;

int CMixerMuteControl::Open()
{
    client_ = std::make_unique<PulseSinkClient>();
    return client_->isConnected() ? 0 : kNoServer;
}

bool CMixerMuteControl::isOpen() const
{
    return client_ && client_->isConnected();
}

bool CMixerMuteControl::SetMute(int value)
{
    return client_ && client_->setDefaultSinkMute(value != 0);
}

// ---- Volume ----------------------------------------------------------------------------

const int CMixerVolumeControl::kMinimum = static_cast<int>(PA_VOLUME_MUTED);
const int CMixerVolumeControl::kMaximum = static_cast<int>(PA_VOLUME_NORM);

CMixerVolumeControl::CMixerVolumeControl() = default;
CMixerVolumeControl::~CMixerVolumeControl() = default;

int CMixerVolumeControl::Open()
{
    client_ = std::make_unique<PulseSinkClient>();
    return client_->isConnected() ? 0 : kNoServer;
}

bool CMixerVolumeControl::isOpen() const
{
    return client_ && client_->isConnected();
}

int CMixerVolumeControl::GetValues(int& left, int& right)
{
    left = -1;
    right = -1;
    if (!client_)
        return -1;
    const std::optional<SinkState> sink = client_->readDefaultSink();
    if (!sink || sink->volume.channels == 0)
        return -1;
    channels_ = sink->channelMap.channels;
    name_ = sink->name;
    left = sideVolume(*sink, true);
    right = sideVolume(*sink, false);
    return 1;
}

int CMixerVolumeControl::SetValues(int left, int right)
{
    if (!client_)
        return -1;
    const std::optional<SinkState> sink = client_->knownDefaultSink();
    if (!sink || sink->channelMap.channels == 0)
        return -1;
    const int l = std::clamp(left, kMinimum, kMaximum);
    const int r = std::clamp(right, kMinimum, kMaximum);
    return client_->setSinkVolume(sink->name, volumesFor(sink->channelMap, l, r)) ? 0 : -1;
}
