#include "SkinFloatCaption.h"

#include "FloatPanelSkin.h"
#include "VisualManager.h"

#include <QFontMetrics>
#include <QPainter>

#include <algorithm>

namespace {

// The close button's distance from the caption's right end.
constexpr int kCloseRightGap = 3;
// Room between the title and the close button.
constexpr int kTextGap = 4;

}  // namespace

SkinPanelCloseButton::SkinPanelCloseButton(const CVisualManager& skin, QWidget* parent)
    : SkinButton(skin, parent)
{
    setObjectName(QStringLiteral("floatCloseButton"));
    resize(sizeHint());
}

QSize SkinPanelCloseButton::sizeHint() const
{
    return skin_.size(SkinStrip::PanelClose);
}

void SkinPanelCloseButton::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    const bool hot = underMouse() || isDown();
    skin_.paintPanelCloseButton(painter, rect(), hot, isDown());
}

SkinFloatCaption::SkinFloatCaption(const CVisualManager& skin, QWidget* parent)
    : QWidget(parent), close_(new SkinPanelCloseButton(skin, this))
{
    setObjectName(QStringLiteral("floatCaption"));
    connect(close_, &QAbstractButton::clicked, this, &SkinFloatCaption::closeClicked);
}

QSize SkinFloatCaption::sizeHint() const
{
    const int text = fontMetrics().height() + 2;
    const int button = close_->sizeHint().height() + 4;
    return QSize(minimumSizeHint().width(),
                 std::max({floatpanelskin::kCaptionHeight, text, button}));
}

QSize SkinFloatCaption::minimumSizeHint() const
{
    return QSize(close_->sizeHint().width() + kCloseRightGap + floatpanelskin::kTextIndent +
                     fontMetrics().averageCharWidth() * 4,
                 floatpanelskin::kCaptionHeight);
}

QRect SkinFloatCaption::textRect() const
{
    const int left = floatpanelskin::kTextIndent;
    return QRect(left, 0, close_->x() - kTextGap - left, height());
}

void SkinFloatCaption::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    const QSize button = close_->sizeHint();
    close_->setGeometry(width() - kCloseRightGap - button.width(),
                        (height() - button.height()) / 2, button.width(), button.height());
}
