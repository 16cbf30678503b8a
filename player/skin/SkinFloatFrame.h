// The skin's frame around a dock widget while it floats: its own caption (SkinFloatCaption)
// in place of the window system's, and the borders, all painted from the skin's floating-panel
// images; a recolour of the skin repaints them. Docked, the panel keeps the look the style
// gives docked panels: the caption is taken out again.
//
// The dock widget still moves the floating panel when its caption is dragged (that is what
// lets a drop onto the main window dock it) and docks it back on a double click; where the
// program cannot place windows itself (Wayland), the window system moves it. The borders
// resize the panel through the window system where it offers that.
#pragma once

#include <QObject>
#include <QPoint>

class CVisualManager;
class QDockWidget;
class QPainter;
class SkinFloatCaption;

class SkinFloatFrame : public QObject {
    Q_OBJECT
public:
    // Becomes a child of dock; skin must outlive it.
    SkinFloatFrame(const CVisualManager& skin, QDockWidget* dock);

    SkinFloatCaption* caption() const { return caption_; }
    // Which edges a press at pos (dock co-ordinates) resizes: none outside the borders or
    // while docked.
    Qt::Edges edgesAt(const QPoint& pos) const;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // Puts the caption in or takes it out to suit the dock's present state.
    void fitCaption();
    void paint(QPainter& painter) const;
    bool ownsCaption() const;

    const CVisualManager& skin_;
    QDockWidget* dock_;
    SkinFloatCaption* caption_;
    bool waitForRelease_ = false;  // the dock is being dragged: change nothing until it ends
    bool movePending_ = false;     // a caption press that a drag hands to the window system
    QPoint pressPos_;
};
