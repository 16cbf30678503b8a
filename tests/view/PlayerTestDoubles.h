// Stand-ins for the two things a person answers in the player: the file dialog and the
// message boxes. The chooser gives the answers queued in it (an empty answer is a cancel);
// the presenter records what would have been shown.
#pragma once

#include "FileChooser.h"
#include "MessagePresenter.h"

#include <QString>

#include <deque>
#include <vector>

class QueuedFileChooser : public FileChooser {
public:
    QString chooseMediaFile(QWidget*) override
    {
        ++asked;
        if (answers.empty())
            return QString();
        QString answer = answers.front();
        answers.pop_front();
        return answer;
    }

    QString chooseSubtitleFile(QWidget*, const QString&, const QString&) override
    {
        return subtitleAnswer;
    }

    std::deque<QString> answers;
    QString subtitleAnswer;
    int asked = 0;
};

class RecordingMessages : public MessagePresenter {
public:
    struct Shown {
        QString title;
        QString text;
        bool hadParent = false;
    };

    void information(QWidget* parent, const QString& title, const QString& text) override
    {
        boxes.push_back({title, text, parent != nullptr});
    }
    void notice(const QString& title, const QString& text) override
    {
        notices.push_back({title, text, false});
    }

    std::vector<Shown> boxes;
    std::vector<Shown> notices;
};
