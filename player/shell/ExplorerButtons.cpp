#include "ExplorerButtons.h"

#include "VisualManager.h"

#include <QMenu>
#include <QPainter>
#include <QPainterPath>

namespace {

// The face of a hot or pressed button: the skin's button face (cell 0 hot, 1 pressed), or
// without a skin a soft glossy highlight.
void drawFace(QPainter& painter, const QRectF& rect, bool pressed)
{
    if (const CVisualManager* skin = CVisualManager::instance()) {
        const QRect face = rect.toRect();
        const int h = skin->size(SkinElement::ExplorerButton).height();
        skin->drawElement(painter, SkinElement::ExplorerButton,
                          QRect(face.left(), face.top() + (face.height() - h) / 2, face.width(), h),
                          pressed ? 1 : 0);
        return;
    }
    QLinearGradient gloss(rect.topLeft(), rect.bottomLeft());
    if (pressed) {
        gloss.setColorAt(0.0, QColor(20, 28, 40, 220));
        gloss.setColorAt(1.0, QColor(52, 70, 96, 220));
    } else {
        gloss.setColorAt(0.0, QColor(150, 180, 220, 110));
        gloss.setColorAt(0.5, QColor(90, 120, 165, 90));
        gloss.setColorAt(1.0, QColor(60, 90, 130, 110));
    }
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QPen(QColor(200, 220, 255, pressed ? 60 : 120), 1));
    painter.setBrush(gloss);
    painter.drawRoundedRect(rect.adjusted(1.5, 2.5, -1.5, -2.5), 4, 4);
}

}  // namespace

CExplorerToolbarMenuButton::CExplorerToolbarMenuButton(const QString& caption, QMenu* menu,
                                                       QWidget* parent)
    : QToolButton(parent)
{
    setText(caption);
    setAutoRaise(true);
    setAttribute(Qt::WA_Hover);
    setFixedWidth(kWidth);
    setFocusPolicy(Qt::NoFocus);
    setPopupMode(QToolButton::InstantPopup);
    if (menu) {
        menu->setParent(this, menu->windowFlags());
        setMenu(menu);
    }
}

void CExplorerToolbarMenuButton::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    if (!isEnabled())
        return;  // a disabled button has no face
    const bool pressed = isDown() || (menu() && menu()->isVisible());
    if (pressed || underMouse())
        drawFace(painter, rect(), pressed);

    // Caption centred on one line in the upper three quarters, the arrow in the lowest quarter.
    const int captionHeight = height() * 3 / 4;
    painter.setPen(QColor(255, 255, 255));
    painter.drawText(QRect(0, 0, width(), captionHeight),
                     Qt::AlignCenter | Qt::TextSingleLine | Qt::TextShowMnemonic, text());
    if (const CVisualManager* skin = CVisualManager::instance()) {
        skin->drawStripCentered(painter, SkinStrip::ArrowDown,
                                QRect(0, captionHeight, width(), height() - captionHeight), 0);
        return;
    }
    const QPointF tip(width() / 2.0, captionHeight + (height() - captionHeight) * 0.75);
    QPainterPath arrow;
    arrow.moveTo(tip);
    arrow.lineTo(tip + QPointF(-3.5, -3.5));
    arrow.lineTo(tip + QPointF(3.5, -3.5));
    arrow.closeSubpath();
    painter.setRenderHint(QPainter::Antialiasing);
    painter.fillPath(arrow, QColor(220, 230, 245));
}

CExplorerToolbarButton::CExplorerToolbarButton(Command commandId, bool narrow, QWidget* parent)
    : QToolButton(parent), commandId_(commandId), narrow_(narrow)
{
    setAutoRaise(true);
    setAttribute(Qt::WA_Hover);
    setFocusPolicy(Qt::NoFocus);
    setFixedWidth(narrow ? 33 : 100);
}

void CExplorerToolbarButton::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    if (!isEnabled())
        return;
    painter.setRenderHint(QPainter::Antialiasing);
    if (!narrow_) {
        if (isDown() || underMouse())
            drawFace(painter, rect(), isDown());
        return;
    }
    // The logo: a glossy disc with a play triangle; brighter when hot, darker when pressed.
    const int cell = isDown() ? 2 : underMouse() ? 1 : 0;
    if (const CVisualManager* skin = CVisualManager::instance()) {
        const QSize logo = skin->size(SkinElement::ExplorerLogo);
        skin->drawElement(painter, SkinElement::ExplorerLogo,
                          QRect(QPoint((width() - logo.width()) / 2, (height() - logo.height()) / 2),
                                logo),
                          cell);
        return;
    }
    const QColor base = cell == 1 ? QColor(90, 170, 255) : cell == 2 ? QColor(30, 90, 160)
                                                                     : QColor(60, 130, 210);
    const qreal side = std::min(width(), height()) - 8;
    const QRectF disc(QPointF((width() - side) / 2.0, (height() - side) / 2.0), QSizeF(side, side));
    QRadialGradient shine(disc.center() - QPointF(side / 5, side / 4), side * 0.8);
    shine.setColorAt(0.0, base.lighter(170));
    shine.setColorAt(1.0, base.darker(140));
    painter.setPen(QPen(QColor(230, 240, 255, 160), 1));
    painter.setBrush(shine);
    painter.drawEllipse(disc);
    QPainterPath play;
    const QPointF c = disc.center();
    play.moveTo(c + QPointF(-side / 6, -side / 4.5));
    play.lineTo(c + QPointF(side / 4, 0));
    play.lineTo(c + QPointF(-side / 6, side / 4.5));
    play.closeSubpath();
    painter.fillPath(play, Qt::white);
}

CExplorerNavigationButton::CExplorerNavigationButton(Command commandId, QWidget* parent)
    : QToolButton(parent), commandId_(commandId)
{
    setAutoRaise(true);
    setAttribute(Qt::WA_Hover);
    setFocusPolicy(Qt::NoFocus);
    setFixedSize(30, 36);
    setToolTip(commandId == Command::Back ? QStringLiteral("Back") : QStringLiteral("Forward"));
}

void CExplorerNavigationButton::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    if (const CVisualManager* skin = CVisualManager::instance()) {
        // Four cells a direction: normal, hot, pressed, disabled; back first.
        const int state = !isEnabled() ? 3 : isDown() ? 2 : underMouse() ? 1 : 0;
        skin->drawStripCentered(painter, SkinStrip::ExplorerBackForward, rect(),
                                (commandId_ == Command::Back ? 0 : 4) + state);
        return;
    }
    painter.setRenderHint(QPainter::Antialiasing);
    const qreal side = 26;
    const QRectF disc(QPointF((width() - side) / 2.0, (height() - side) / 2.0), QSizeF(side, side));
    QColor base = !isEnabled() ? QColor(70, 78, 90)
                  : isDown()   ? QColor(30, 80, 150)
                  : underMouse() ? QColor(80, 160, 245)
                                 : QColor(50, 115, 200);
    QRadialGradient shine(disc.center() - QPointF(4, 6), side * 0.8);
    shine.setColorAt(0.0, base.lighter(160));
    shine.setColorAt(1.0, base.darker(150));
    painter.setPen(QPen(QColor(220, 230, 250, isEnabled() ? 170 : 70), 1));
    painter.setBrush(shine);
    painter.drawEllipse(disc);

    const qreal dir = commandId_ == Command::Back ? -1.0 : 1.0;
    const QPointF c = disc.center();
    QPainterPath arrow;
    arrow.moveTo(c + QPointF(dir * 7, 0));
    arrow.lineTo(c + QPointF(0, -6));
    arrow.lineTo(c + QPointF(0, -2.5));
    arrow.lineTo(c + QPointF(-dir * 6, -2.5));
    arrow.lineTo(c + QPointF(-dir * 6, 2.5));
    arrow.lineTo(c + QPointF(0, 2.5));
    arrow.lineTo(c + QPointF(0, 6));
    arrow.closeSubpath();
    painter.fillPath(arrow, isEnabled() ? QColor(255, 255, 255) : QColor(130, 138, 150));
}
