#include "UpdateCheck.h"

#include "MessagePresenter.h"
#include "UiCallQueue.h"

const QString UpdateCheck::kText =
    QStringLiteral("The current version is the latest version, do not need update");
const QString UpdateCheck::kCaption = QStringLiteral("No Update Messages");

UpdateCheck::UpdateCheck(MessagePresenter& messages, std::chrono::milliseconds delay,
                         QObject* parent)
    : QObject(parent), messages_(messages), delay_(delay),
      uiCalls_(std::make_unique<UiCallQueue>(this))
{
}

UpdateCheck::~UpdateCheck()
{
    gate_.end();
    for (auto& worker : workers_)
        worker.join();
}

void UpdateCheck::start()
{
    workers_.emplace_back([this] {
        if (!gate_.sleep(delay_))
            return;
        // Widgets belong to the UI thread: the message is shown there.
        uiCalls_->post([this] { messages_.notice(kCaption, kText); });
    });
}
