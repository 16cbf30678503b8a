#include "SkinCaption.h"

#include "VisualManager.h"

#include <QApplication>
#include <QEvent>
#include <QIcon>
#include <QMouseEvent>
#include <QPainter>
#include <QWindow>

namespace {

constexpr int kCaptionBackHeight = 25;  // then the 3-pixel line under it
constexpr int kIconLeft = 8;
constexpr int kIconSize = 16;
constexpr int kTitleGap = 6;
constexpr int kGroupRightGap = 6;
// The buttons' places inside the system-button group.
constexpr int kButtonLefts[3] = {1, 26, 51};
constexpr int kButtonTop = 1;
constexpr int kTopGrip = 3;

}  // namespace

SkinSystemButton::SkinSystemButton(Kind kind, const CVisualManager& skin, QWidget* parent)
    : SkinButton(skin, parent), kind_(kind)
{
    resize(sizeHint());
}

QSize SkinSystemButton::sizeHint() const
{
    switch (kind_) {
    case Kind::Minimize: return skin_.size(SkinStrip::MinimizeBack);
    case Kind::Maximize: return skin_.size(SkinStrip::MaximizeBack);
    case Kind::Close: break;
    }
    return skin_.size(SkinStrip::CloseBack);
}

void SkinSystemButton::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    const Qt::WindowStates state = window()->windowState();
    SkinStrip back = SkinStrip::CloseBack, icon = SkinStrip::CloseIcon;
    switch (kind_) {
    case Kind::Minimize:
        back = SkinStrip::MinimizeBack;
        icon = state & Qt::WindowMinimized ? SkinStrip::RestoreIcon : SkinStrip::MinimizeIcon;
        break;
    case Kind::Maximize:
        back = SkinStrip::MaximizeBack;
        icon = state & Qt::WindowMaximized ? SkinStrip::RestoreIcon : SkinStrip::MaximizeIcon;
        break;
    case Kind::Close:
        break;
    }
    if (isDown())
        skin_.drawStrip(painter, back, QPoint(0, 0), 1);
    else if (underMouse())
        skin_.drawStrip(painter, back, QPoint(0, 0), 0);
    skin_.drawStripCentered(painter, icon, rect(), 0);
}

SkinCaption::SkinCaption(const CVisualManager& skin, QWidget* window)
    : QWidget(window), skin_(skin), window_(window)
{
    setObjectName(QStringLiteral("skinCaption"));
    setAttribute(Qt::WA_OpaquePaintEvent);
    minimize_ = new SkinSystemButton(SkinSystemButton::Kind::Minimize, skin, this);
    maximize_ = new SkinSystemButton(SkinSystemButton::Kind::Maximize, skin, this);
    close_ = new SkinSystemButton(SkinSystemButton::Kind::Close, skin, this);
    minimize_->setObjectName(QStringLiteral("minimizeButton"));
    maximize_->setObjectName(QStringLiteral("maximizeButton"));
    close_->setObjectName(QStringLiteral("closeButton"));
    connect(minimize_, &QAbstractButton::clicked, this, [this] {
        if (window_->windowState() & Qt::WindowMinimized)
            window_->setWindowState(window_->windowState() & ~Qt::WindowMinimized);
        else
            window_->showMinimized();
    });
    connect(maximize_, &QAbstractButton::clicked, this, &SkinCaption::toggleMaximized);
    connect(close_, &QAbstractButton::clicked, window_, &QWidget::close);
    // Title, icon and state changes repaint the caption.
    window_->installEventFilter(this);
}

bool SkinCaption::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == window_) {
        switch (event->type()) {
        case QEvent::WindowTitleChange:
        case QEvent::WindowIconChange:
        case QEvent::WindowStateChange:
        case QEvent::ActivationChange:
            update();
            maximize_->update();
            minimize_->update();
            break;
        default:
            break;
        }
    }
    return QWidget::eventFilter(watched, event);
}

void SkinCaption::toggleMaximized()
{
    if (window_->windowState() & Qt::WindowMaximized)
        window_->showNormal();
    else
        window_->showMaximized();
}

QRect SkinCaption::systemGroupRect() const
{
    const QSize group = skin_.size(SkinStrip::SystemGroup);
    return QRect(QPoint(width() - kGroupRightGap - group.width(), 0), group);
}

void SkinCaption::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    const QRect group = systemGroupRect();
    SkinSystemButton* buttons[3] = {minimize_, maximize_, close_};
    for (int i = 0; i < 3; ++i)
        buttons[i]->move(group.left() + kButtonLefts[i], group.top() + kButtonTop);
}

void SkinCaption::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.fillRect(rect(), CVisualManager::captionFill());
    skin_.drawElement(painter, SkinElement::Caption, QRect(0, 0, width(), kCaptionBackHeight));
    skin_.drawStrip(painter, SkinStrip::SystemGroup, systemGroupRect().topLeft(), 0);
    skin_.drawElement(painter, SkinElement::CaptionLine,
                      QRect(0, kCaptionBackHeight, width(), height() - kCaptionBackHeight));
    const QIcon icon = window_->windowIcon();
    const QRect iconRect(kIconLeft, (kCaptionBackHeight - kIconSize) / 2, kIconSize, kIconSize);
    if (!icon.isNull())
        icon.paint(&painter, iconRect);
    const int textLeft = iconRect.right() + 1 + kTitleGap;
    const QRect textRect(textLeft, 0, systemGroupRect().left() - kTitleGap - textLeft,
                         kCaptionBackHeight);
    if (textRect.width() > 0) {
        painter.setPen(CVisualManager::captionText());
        const QString title =
            painter.fontMetrics().elidedText(window_->windowTitle(), Qt::ElideRight, textRect.width());
        painter.drawText(textRect, Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine, title);
    }
}

void SkinCaption::mousePressEvent(QMouseEvent* event)
{
    ownDrag_ = false;
    // The caption's top rows are the window's top border: they resize.
    QWindow* handle = window_->windowHandle();
    if (event->button() == Qt::LeftButton && event->position().y() < kTopGrip && handle &&
        !(window_->windowState() & (Qt::WindowMaximized | Qt::WindowFullScreen)) &&
        handle->startSystemResize(Qt::TopEdge)) {
        pressed_ = false;
        return;
    }
    pressed_ = event->button() == Qt::LeftButton;
    pressPos_ = event->globalPosition().toPoint();
    dragOffset_ = pressPos_ - window_->frameGeometry().topLeft();
}

void SkinCaption::mouseMoveEvent(QMouseEvent* event)
{
    if (ownDrag_) {
        window_->move(event->globalPosition().toPoint() - dragOffset_);
        return;
    }
    if (!pressed_ || !(event->buttons() & Qt::LeftButton) ||
        (event->globalPosition().toPoint() - pressPos_).manhattanLength() <
            QApplication::startDragDistance())
        return;
    pressed_ = false;
    // The window system moves the window (X11 and Wayland alike). The move starts only once
    // the pointer has moved, so a double click still reaches the caption; a platform without
    // system moves lets the window follow the pointer here.
    QWindow* handle = window_->windowHandle();
    if (handle && handle->startSystemMove())
        return;
    ownDrag_ = !(window_->windowState() & Qt::WindowMaximized);
}

void SkinCaption::mouseReleaseEvent(QMouseEvent*)
{
    ownDrag_ = false;
    pressed_ = false;
}

void SkinCaption::mouseDoubleClickEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton)
        toggleMaximized();
}
