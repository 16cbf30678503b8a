#include "SkinButton.h"

SkinButton::SkinButton(const CVisualManager& skin, QWidget* parent)
    : QAbstractButton(parent), skin_(skin)
{
    setFocusPolicy(Qt::NoFocus);
    setAttribute(Qt::WA_Hover);
}

void SkinButton::enterEvent(QEnterEvent* event)
{
    QAbstractButton::enterEvent(event);
    update();
}

void SkinButton::leaveEvent(QEvent* event)
{
    QAbstractButton::leaveEvent(event);
    update();
}
