// FrameWatch: wakes the view when the media session has a new video frame. It watches the
// session's frame descriptor in the UI thread's event loop, empties it and reports once per
// wake-up, however many frames came meanwhile: the view then asks for one draw, which takes
// the newest frame.
#pragma once

#include <QObject>

#include <functional>
#include <memory>

class QSocketNotifier;

class FrameWatch : public QObject {
    Q_OBJECT
public:
    explicit FrameWatch(std::function<void()> arrived, QObject* parent = nullptr);
    ~FrameWatch() override;

    // Watches fd from now on (the same one again changes nothing); -1 watches nothing.
    void watch(int fd);
    int watchedFd() const { return fd_; }

private:
    void drain();

    std::function<void()> arrived_;
    std::unique_ptr<QSocketNotifier> notifier_;
    int fd_ = -1;
};
