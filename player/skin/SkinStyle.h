// The skin's drawing of what Qt's docking draws through the style: the captions of docked
// panels (black, with white text) and their close buttons from the skin's strip, and the
// splitters between the docks and the rest of the window; floating docks get the skin's
// floating-panel caption and borders. Set on the main window (whose
// layout draws the splitters) and on each dock widget; children keep their own style.
#pragma once

#include <QProxyStyle>

class CVisualManager;

class SkinStyle : public QProxyStyle {
    Q_OBJECT
public:
    explicit SkinStyle(const CVisualManager& skin);

    void drawControl(ControlElement element, const QStyleOption* option, QPainter* painter,
                     const QWidget* widget = nullptr) const override;
    void drawPrimitive(PrimitiveElement element, const QStyleOption* option, QPainter* painter,
                       const QWidget* widget = nullptr) const override;
    // Floating docks have the skin's border width.
    int pixelMetric(PixelMetric metric, const QStyleOption* option = nullptr,
                    const QWidget* widget = nullptr) const override;
    QIcon standardIcon(StandardPixmap icon, const QStyleOption* option = nullptr,
                       const QWidget* widget = nullptr) const override;

    // The close button's icon: the strip's normal cell, the highlighted one when active.
    QIcon closeIcon() const;

private:
    const CVisualManager& skin_;
};
