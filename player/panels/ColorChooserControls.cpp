#include "ColorChooserControls.h"

#include "CaptionLabel.h"
#include "ColorChooserButton.h"
#include "SkinSlider.h"
#include "VisualManager.h"

#include <QCheckBox>
#include <QFontDatabase>
#include <QFrame>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QSlider>

namespace panel {

QFont panelFont()
{
    QFont font = QFontDatabase::systemFont(QFontDatabase::GeneralFont);
    font.setPointSize(8);
    return font;
}

QWidget* createControl(const ControlTemplate& t, QWidget* parent)
{
    const QString text = t.text ? QString::fromUtf8(t.text) : QString();
    switch (t.kind) {
    case ControlKind::GroupBox:
        return new QGroupBox(text, parent);
    case ControlKind::Static:
        return new CaptionLabel(text, parent);
    case ControlKind::Slider: {
        auto* s = new SkinSlider(t.id == HueSlider, parent);
        s->setTickPosition(QSlider::NoTicks);
        s->setFocusPolicy(Qt::StrongFocus);
        return s;
    }
    case ControlKind::Radio: {
        auto* r = new QRadioButton(parent);
        r->setAutoExclusive(false);
        return r;
    }
    case ControlKind::CheckBox:
        return new QCheckBox(parent);
    case ControlKind::ImageButton:
        return new CColorChooserButton(QSize(kArrowSize, kArrowSize), text, parent);
    case ControlKind::LinkButton: {
        auto* link = new QPushButton(text, parent);
        link->setFlat(true);
        link->setCursor(Qt::PointingHandCursor);
        // Under the skin the link is written in the skin's link colour.
        QString colour = QStringLiteral("palette(link)");
        if (CVisualManager::instance())
            colour = CVisualManager::linkColor().name();
        link->setStyleSheet(QStringLiteral(
            "QPushButton { color: %1; text-decoration: underline; border: none;"
            " text-align: left; padding: 0px; }").arg(colour));
        return link;
    }
    case ControlKind::BlackFrame: {
        auto* frame = new QFrame(parent);
        frame->setAutoFillBackground(true);
        QPalette palette = frame->palette();
        palette.setColor(QPalette::Window, Qt::black);
        frame->setPalette(palette);
        return frame;
    }
    }
    return new QWidget(parent);
}

bool isBackground(ControlKind kind)
{
    return kind == ControlKind::GroupBox || kind == ControlKind::BlackFrame;
}

void setControlText(QWidget* widget, const QString& text)
{
    if (auto* group = qobject_cast<QGroupBox*>(widget))
        group->setTitle(text);
    else if (auto* label = qobject_cast<QLabel*>(widget))
        label->setText(text);
    else if (auto* button = qobject_cast<QAbstractButton*>(widget))
        button->setText(text);
}

PanelClient::PanelClient(QSize wantedSize, std::function<void(const QRect&)> resized)
    : wantedSize_(wantedSize), resized_(std::move(resized))
{
}

void PanelClient::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    resized_(rect());
}

}  // namespace panel
