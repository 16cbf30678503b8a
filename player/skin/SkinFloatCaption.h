// The caption of a floating panel, set as the dock widget's own title bar while the panel
// floats (so the window system draws no decoration around it). It draws nothing itself: the
// panel's frame paints the caption under it, reaching over the borders. It holds the close
// button (the skin's panel-close strip) and leaves every other press to the dock widget,
// which moves the panel, docks it where it is dropped and docks it back on a double click.
#pragma once

#include "SkinButton.h"

#include <QWidget>

class CVisualManager;

// A panel caption's close button: the strip's normal cell, the highlighted one under the
// pointer, the pressed one while held there.
class SkinPanelCloseButton : public SkinButton {
    Q_OBJECT
public:
    SkinPanelCloseButton(const CVisualManager& skin, QWidget* parent);
    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;
};

class SkinFloatCaption : public QWidget {
    Q_OBJECT
public:
    SkinFloatCaption(const CVisualManager& skin, QWidget* parent);

    SkinPanelCloseButton* closeButton() const { return close_; }
    // Where the title is written, in the caption's co-ordinates: left of the close button.
    QRect textRect() const;

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

signals:
    void closeClicked();

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    SkinPanelCloseButton* close_;
};
