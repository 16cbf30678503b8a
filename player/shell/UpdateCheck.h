// "Check for update": each request starts a worker that waits (six seconds) and then has the
// UI thread show "The current version is the latest version, do not need update". No network
// access takes place. Requests overlap freely; the workers end with the program.
#pragma once

#include "WorkerGate.h"

#include <QObject>

#include <chrono>
#include <memory>
#include <thread>
#include <vector>

class MessagePresenter;
class UiCallQueue;

class UpdateCheck : public QObject {
    Q_OBJECT
public:
    static const QString kText;
    static const QString kCaption;

    explicit UpdateCheck(MessagePresenter& messages,
                         std::chrono::milliseconds delay = std::chrono::milliseconds(6000),
                         QObject* parent = nullptr);
    ~UpdateCheck() override;  // ends waiting workers without showing their messages

    void start();
    int started() const { return static_cast<int>(workers_.size()); }

private:
    MessagePresenter& messages_;
    std::chrono::milliseconds delay_;
    std::unique_ptr<UiCallQueue> uiCalls_;
    WorkerGate gate_;
    std::vector<std::thread> workers_;
};
