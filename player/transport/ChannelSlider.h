// CChannelSlider: a slider drawn wholly from bitmaps: a channel, and optionally an active
// channel that shows the part between the channel's start and the position. Bitmaps can carry
// a transparent colour, through which the parent shows. The volume pop-up uses two vertical
// ones without a thumb.
//
// The range maps linearly onto the slider's length, the minimum at the top (vertical) or at
// the left. The slider tells its parent of the user's changes by posting (never calling
// back at once) two notifications, each with its control id and its position at the time:
// dragged() each time a drag moves the position, released() when the left button comes up
// and after each handled key.
#pragma once

#include <QImage>
#include <QWidget>

#include <optional>

// Position <-> pixel along the slider's axis, with margins kept free at both ends and a
// thumb of `thumb` pixels. maximum and minimum must differ.
struct ChannelAxis {
    int length = 0;
    int startMargin = 0;
    int endMargin = 0;
    int thumb = 0;
    int minimum = 0;
    int maximum = 100;

    int pixelFor(int position) const;
    int positionFor(int pixel) const;
};

class CChannelSlider : public QWidget {
    Q_OBJECT
public:
    // Message numbers of the two notifications, as the parent's handlers know them.
    static constexpr int kDraggedMessage = 10449;
    static constexpr int kReleasedMessage = 10450;

    CChannelSlider(int controlId, QWidget* parent);

    // Loads the channel bitmap and, when activePath is not empty, the active channel; the
    // slider takes the channel's size. With `transparent`, pixels of the transparent colour
    // are see-through; without a colour it is taken from the channel's pixel at `pixel`.
    // False when a bitmap cannot be loaded: a missing channel changes nothing, a missing
    // active channel leaves the slider without any channel.
    bool SetChannelBitmaps(const QString& channelPath, const QString& activePath,
                           bool transparent, std::optional<QRgb> colour = std::nullopt,
                           QPoint pixel = QPoint(0, 0));

    // Bounds; neither clamps the position. SetRange sets the minimum without redrawing.
    void SetMinimum(int value, bool redraw);
    void SetMaximum(int value, bool redraw);
    void SetRange(int minimum, int maximum, bool redraw);
    // Clamps to the maximum, then to the minimum.
    void SetPosition(int value);
    void SetPage(int value) { page_ = value; }
    void SetVertical(bool vertical);

    int controlId() const { return controlId_; }
    int minimum() const { return minimum_; }
    int maximum() const { return maximum_; }
    int position() const { return position_; }
    int page() const { return page_; }
    bool isVertical() const { return vertical_; }
    bool isDragging() const { return dragging_; }
    bool hasChannel() const { return !channel_.isNull(); }
    bool hasActiveChannel() const { return !active_.isNull(); }
    // The pixel of the position along the axis.
    int positionPixel() const { return axis().pixelFor(position_); }

signals:
    void dragged(int controlId, int position);
    void released(int controlId, int position);

protected:
    void paintEvent(QPaintEvent*) override;
    void mousePressEvent(QMouseEvent*) override;
    void mouseMoveEvent(QMouseEvent*) override;
    void mouseReleaseEvent(QMouseEvent*) override;
    void keyPressEvent(QKeyEvent*) override;
    void focusInEvent(QFocusEvent*) override;
    void focusOutEvent(QFocusEvent*) override;

private:
    ChannelAxis axis() const;
    int along(const QPoint& p) const { return vertical_ ? p.y() : p.x(); }
    void moveTo(int pointer);
    void postDragged();
    void postReleased();

    const int controlId_;
    int maximum_ = 100;
    int minimum_ = 0;
    int position_ = 0;
    int page_ = 20;
    int dragOffset_ = 0;
    bool vertical_ = false;
    bool dragging_ = false;
    // The channel pictures as drawn: the whole channel, the active part's source (the active
    // bitmap seen through the channel's mask) and the rest's source (the channel seen through
    // the active bitmap's mask).
    QImage channel_;
    QImage active_;
    QImage channelPart_;
};
