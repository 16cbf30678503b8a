// CProgressSlider: the transport bar's seek control. A small scroll bar: a thumb on a track
// between two end buttons, click-to-jump, dragging, auto-repeat on held end buttons, keyboard
// steps and a hover highlight with a hand cursor. Every change is reported through scrolled().
//
// Geometry along the axis (horizontal shown; vertical uses heights): with client width W,
// thumb width t and range R the thumb's left edge x lies in [t, W - 2t], so the track for the
// thumb is W - 3t long. The end buttons are t long at both ends and follow the control's size.
#pragma once

#include <QBasicTimer>
#include <QColor>
#include <QImage>
#include <QRect>
#include <QWidget>

class CProgressSlider : public QWidget {
    Q_OBJECT
public:
    // Scroll notification codes, as a scroll bar reports them.
    enum ScrollCode { LineUp = 0, LineDown = 1, ThumbTrack = 5 };
    // End buttons.
    enum Button { LeftButton = 0, RightButton = 1 };

    // Creates the control over `rect` inside parent.
    CProgressSlider(Qt::Orientation orientation, const QRect& rect, QWidget* parent);

    // Stores the bounds; range = |maximum - minimum|. Returns the control for chaining.
    CProgressSlider& setRange(int minimum, int maximum, bool redraw);
    // Stores the position (not clamped) and places the thumb; returns the previous one.
    int setPos(int position, bool redraw);
    int pos() const { return position_; }
    int range() const { return range_; }

    // A valid colour recolours the thumb and turns the colour-thumb flag on.
    CProgressSlider& setThumbColor(QColor colour);
    CProgressSlider& setColorThumb(bool on);
    void setShadePlayedPart(bool on) { shadePlayed_ = on; update(); }
    void setGreyMarks(bool on);
    QColor thumbColor() const { return thumbColour_; }
    bool colorThumb() const { return colourThumb_; }

    // Geometry, in client co-ordinates.
    QRect thumbRect() const;
    QRect buttonRect(Button which) const;
    QSize thumbSize() const { return thumbSize_; }
    bool isHorizontal() const { return horizontal_; }
    bool isHovered() const { return hover_; }
    bool isButtonPressed(Button which) const { return pressed_[which]; }
    bool isButtonHovered(Button which) const { return buttonHover_[which]; }

    // The pictures the control draws its thumb from (normal and hot), for inspection.
    const QImage& thumbImage(bool hot) const { return hot ? thumbHot_ : thumbNormal_; }
    QImage playedStrip() const;

    // Periods of the auto-repeat timers.
    static constexpr int kRepeatMs = 50;
    int repeatDelayMs() const { return horizontal_ ? 200 : 150; }

signals:
    // code is a ScrollCode; position the control's position after the change.
    void scrolled(int code, int position);

protected:
    void paintEvent(QPaintEvent*) override;
    void mousePressEvent(QMouseEvent*) override;
    void mouseDoubleClickEvent(QMouseEvent*) override;
    void mouseMoveEvent(QMouseEvent*) override;
    void mouseReleaseEvent(QMouseEvent*) override;
    void leaveEvent(QEvent*) override;
    void keyPressEvent(QKeyEvent*) override;
    void resizeEvent(QResizeEvent*) override;
    void focusInEvent(QFocusEvent*) override;
    void focusOutEvent(QFocusEvent*) override;
    void timerEvent(QTimerEvent*) override;

private:
    int along(const QPoint& p) const { return horizontal_ ? p.x() : p.y(); }
    int length() const { return horizontal_ ? width() : height(); }
    int thumbLength() const { return horizontal_ ? thumbSize_.width() : thumbSize_.height(); }

    void buildThumbImages();
    void layoutButtons();
    void placeThumbFromPosition();          // position -> thumb, repaint
    void placeThumbAt(int edge);            // thumb edge (clamped) -> position
    int buttonAt(const QPoint& p) const;    // -1 for none
    void updateButtonHover(const QPoint& p);
    void decrement();
    void increment();
    void notify(int code);
    void stopRepeat();
    void paintEndButton(class QPainter& painter, Button which) const;

    bool horizontal_;
    int position_ = 0;
    int minimum_ = 0, maximum_ = 0, range_ = 0;
    int thumbEdge_ = 0;                     // left (top) edge of the thumb
    QSize thumbSize_{25, 12};
    QRect buttons_[2];

    QImage thumbSource_, thumbNormal_, thumbHot_;
    QImage buttonImages_[2];
    QImage track_;

    QColor thumbColour_{0, 0, 0};
    QColor hotThumbColour_{255, 204, 0};
    QColor frameColour_{120, 197, 249};
    bool colourThumb_ = false;
    bool shadePlayed_ = true;
    bool greyMarks_ = true;

    bool hover_ = false;
    bool buttonHover_[2] = {false, false};
    bool pressed_[2] = {false, false};
    bool dragging_ = false;
    bool dragged_ = false;
    QPoint lastPointer_{-1, -1};
    bool pointerInside_ = false;

    QBasicTimer repeatTimer_;       // 1: auto-repeat of a held end button
    QBasicTimer delayTimer_;        // 2: delay before the auto-repeat starts
    QBasicTimer thumbLeaveTimer_;   // 3: watches for the pointer leaving the thumb
    QBasicTimer buttonLeaveTimer_;  // 4: watches for the pointer leaving the end buttons
};
