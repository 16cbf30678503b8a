// The main window's own caption, drawn by the skin: the caption background and the line
// under it, the window icon, the title in white on one line (elided when too long), and the
// group of system buttons (minimise, maximise/restore, close) at the right. Dragging the
// caption moves the window through the window system; a double click maximises or restores.
#pragma once

#include "SkinButton.h"

#include <QWidget>

class CVisualManager;

// A caption system button: its symbol, and over a highlighted or pressed button its background
// strip drawn first (cell 0 highlighted, cell 1 pressed).
class SkinSystemButton : public SkinButton {
    Q_OBJECT
public:
    enum class Kind { Minimize, Maximize, Close };
    SkinSystemButton(Kind kind, const CVisualManager& skin, QWidget* parent);
    Kind kind() const { return kind_; }
    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    Kind kind_;
};

class SkinCaption : public QWidget {
    Q_OBJECT
public:
    static constexpr int kHeight = 28;  // the caption's background and the line under it

    SkinCaption(const CVisualManager& skin, QWidget* window);

    SkinSystemButton* minimizeButton() const { return minimize_; }
    SkinSystemButton* maximizeButton() const { return maximize_; }
    SkinSystemButton* closeButton() const { return close_; }

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void toggleMaximized();
    QRect systemGroupRect() const;

    const CVisualManager& skin_;
    QWidget* window_;
    SkinSystemButton* minimize_;
    SkinSystemButton* maximize_;
    SkinSystemButton* close_;
    // A drag the window system did not take over: the window follows the pointer itself.
    bool pressed_ = false;
    bool ownDrag_ = false;
    QPoint pressPos_;
    QPoint dragOffset_;
};
