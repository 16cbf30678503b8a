// OnScreenNote: a short line of text shown for a moment over the picture's top-left corner
// ("Volume: 40 %", where a screenshot went), as players show what a key just did. A small
// window of its own that takes neither the focus nor the pointer, so it shows above the
// native OpenGL window and leaves the keys and the mouse to the player. A new note replaces
// the one shown; each stays kShowMs after it was last shown.
#pragma once

#include <QLabel>
#include <QPointer>
#include <QTimer>

class OnScreenNote : public QLabel {
    Q_OBJECT
public:
    static constexpr int kShowMs = 2500;
    static constexpr int kMargin = 12;

    // anchor: the widget whose top-left corner the note sits in; the note is its window's
    // child window and goes with it.
    explicit OnScreenNote(QWidget* anchor);

    void showNote(const QString& text);

private:
    QPointer<QWidget> anchor_;
    QTimer hideTimer_;
};
