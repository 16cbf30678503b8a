// The speakers' mute switch and volume on the system mixer, which on this platform is the
// sound server's default sink (PulseAudio, or PipeWire's PulseAudio service). Each object
// holds its own connection (PulseSinkClient), follows the default sink when the user picks
// another, and survives a server that goes away and comes back. With no server the objects
// hold no connection and every call does nothing and reports so.
#pragma once

#include <memory>
#include <string>

class PulseSinkClient;

// CMixerMuteControl: the speakers' mute switch.
class CMixerMuteControl {
public:
    CMixerMuteControl();
    virtual ~CMixerMuteControl();

    // Connects to the sound server. 0 when connected; otherwise a non-zero code, and the
    // object keeps looking for a server in the background.
    int Open();
    bool isOpen() const;
    // Sets the mute switch (non-zero: muted). True when the server took it.
    bool SetMute(int value);

private:
    std::unique_ptr<PulseSinkClient> client_;
};

// CMixerVolumeControl: the speakers' per-channel volume, from 0 (silent) to the server's
// normal volume (100 %, 65536). A stereo sink's channels are left and right; a mono sink has
// only the left; on a sink with more channels every channel on the left side takes the left
// value, every one on the right the right value, and the others the louder of the two.
class CMixerVolumeControl {
public:
    static const int kMinimum;
    static const int kMaximum;

    CMixerVolumeControl();
    virtual ~CMixerVolumeControl();

    // As CMixerMuteControl::Open.
    int Open();
    bool isOpen() const;

    // Reads the default sink's volumes: 1, with left and right set (right -1 on a mono sink),
    // or -1 with both outputs -1 when no server answers.
    int GetValues(int& left, int& right);
    // Writes both channels of the default sink, clamped to the bounds (right is unused on a
    // mono sink). 0 when sent, -1 when there is no server or no sink.
    int SetValues(int left, int right);

    int minimum() const { return kMinimum; }
    int maximum() const { return kMaximum; }
    // Channel count and name of the sink read last (0 and empty before any read).
    int channels() const { return channels_; }
    const std::string& name() const { return name_; }

private:
    std::unique_ptr<PulseSinkClient> client_;
    int channels_ = 0;
    std::string name_;
};
