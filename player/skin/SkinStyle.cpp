#include "SkinStyle.h"

#include "FloatPanelSkin.h"
#include "VisualManager.h"

#include <QDockWidget>
#include <QPainter>
#include <QPixmap>
#include <QStyleOptionDockWidget>

namespace {

// The docked caption is drawn this much taller at the bottom.
constexpr int kCaptionGrow = 2;
constexpr int kCaptionTextIndent = 4;

bool isFloatingDock(const QWidget* widget)
{
    const auto* panel = qobject_cast<const QDockWidget*>(widget);
    return panel && panel->isFloating();
}

}  // namespace

SkinStyle::SkinStyle(const CVisualManager& skin) : skin_(skin) {}

void SkinStyle::drawControl(ControlElement element, const QStyleOption* option, QPainter* painter,
                            const QWidget* widget) const
{
    const auto* dock = qstyleoption_cast<const QStyleOptionDockWidget*>(option);
    if (element != CE_DockWidgetTitle || !dock) {
        QProxyStyle::drawControl(element, option, painter, widget);
        return;
    }
    const QRect text = option->rect.adjusted(kCaptionTextIndent, 0, -kCaptionTextIndent, 0);
    if (isFloatingDock(widget)) {
        floatpanelskin::paintCaption(skin_, *painter, option->rect, text, dock->title);
        return;
    }
    painter->fillRect(option->rect.adjusted(0, 0, 0, kCaptionGrow), CVisualManager::captionFill());
    painter->setPen(CVisualManager::captionText());
    painter->drawText(text, Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine,
                      painter->fontMetrics().elidedText(dock->title, Qt::ElideRight, text.width()));
}

void SkinStyle::drawPrimitive(PrimitiveElement element, const QStyleOption* option,
                              QPainter* painter, const QWidget* widget) const
{
    if (element == PE_IndicatorDockWidgetResizeHandle) {
        skin_.paintSplitter(*painter, option->rect, option->rect.width() > option->rect.height());
        return;
    }
    if (element == PE_FrameDockWidget && isFloatingDock(widget)) {
        floatpanelskin::paintBorders(skin_, *painter, option->rect,
                                     option->rect.top() + floatpanelskin::kBorder);
        return;
    }
    // The panel caption's buttons show only their images, no button panel.
    if (element == PE_PanelButtonTool && widget &&
        widget->inherits("QDockWidgetTitleButton"))
        return;
    QProxyStyle::drawPrimitive(element, option, painter, widget);
}

int SkinStyle::pixelMetric(PixelMetric metric, const QStyleOption* option,
                           const QWidget* widget) const
{
    if (metric == PM_DockWidgetFrameWidth && isFloatingDock(widget))
        return floatpanelskin::kBorder;
    return QProxyStyle::pixelMetric(metric, option, widget);
}

QIcon SkinStyle::closeIcon() const
{
    const QImage strip = skin_.image(SkinStrip::PanelClose);
    const QSize cell = skin_.size(SkinStrip::PanelClose);
    if (cell.isEmpty())
        return QIcon();
    QIcon icon;
    icon.addPixmap(QPixmap::fromImage(strip.copy(QRect(QPoint(0, 0), cell))), QIcon::Normal);
    icon.addPixmap(QPixmap::fromImage(strip.copy(QRect(QPoint(cell.width(), 0), cell))),
                   QIcon::Active);
    return icon;
}

QIcon SkinStyle::standardIcon(StandardPixmap icon, const QStyleOption* option,
                              const QWidget* widget) const
{
    if (icon == SP_TitleBarCloseButton || icon == SP_DockWidgetCloseButton) {
        const QIcon close = closeIcon();
        if (!close.isNull())
            return close;
    }
    return QProxyStyle::standardIcon(icon, option, widget);
}
