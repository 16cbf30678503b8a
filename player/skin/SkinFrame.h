// The main window's own frame, drawn by the skin in place of the desktop's: the caption at the
// top (SkinCaption), the side borders (a segment beside the explorer toolbar, the middle, a
// segment beside the navigation bar) and the bottom border, in the wide style (window wider
// than 479 pixels) with an ornament. Outside the maximised state the window has rounded
// corners and its borders resize it through the window system.
//
// The frame keeps the window's contents inside its borders by setting the window's contents
// margins; everything else of the window (bars, docks, full screen) works as before.
#pragma once

#include <QMargins>
#include <QObject>

class CVisualManager;
class QPainter;
class QPoint;
class QWidget;
class SkinCaption;

class SkinFrame : public QObject {
    Q_OBJECT
public:
    // Makes window frameless and frames it; skin must outlive the frame.
    SkinFrame(const CVisualManager& skin, QWidget* window);

    SkinCaption* caption() const { return caption_; }
    // The borders and caption around the contents in the window's present state.
    QMargins frameMargins() const;
    // Which window edges a press at pos (window co-ordinates) resizes; none inside the contents.
    Qt::Edges edgesAt(const QPoint& pos) const;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    bool framed() const;  // not maximised and not full screen
    void layoutFrame();
    void paintBorders(QPainter& painter) const;

    const CVisualManager& skin_;
    QWidget* window_;
    SkinCaption* caption_;
};
