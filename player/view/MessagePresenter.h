// Shows the program's modal messages. Widgets take one by reference so that tests can see
// what would have been shown without a modal loop.
#pragma once

#include <QString>

class QWidget;

class MessagePresenter {
public:
    virtual ~MessagePresenter() = default;
    // A message box with an OK button.
    virtual void information(QWidget* parent, const QString& title, const QString& text) = 0;
    // A message box with OK and Cancel that does not block: it belongs to no window and the
    // program goes on while it is shown.
    virtual void notice(const QString& title, const QString& text) = 0;
};

// The real one: QMessageBox.
class BoxMessagePresenter : public MessagePresenter {
public:
    void information(QWidget* parent, const QString& title, const QString& text) override;
    void notice(const QString& title, const QString& text) override;
};
