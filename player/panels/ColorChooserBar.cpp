#include "ColorChooserBar.h"

#include "ColorChooserButton.h"
#include "ColorPresetTable.h"
#include "PanelCaptions.h"
#include "SceneSettingsSink.h"
#include "SkinColor.h"

#include <QApplication>
#include <QCheckBox>
#include <QFontDatabase>
#include <QFrame>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalBlocker>
#include <QSlider>

#include <algorithm>
#include <functional>
#include <memory>
#include <vector>

namespace {

// The panel's dialog template: 210 x 629 dialog units.
constexpr int kTemplateWidth = 210;
constexpr int kTemplateHeight = 629;
constexpr int kArrowSize = 18;

enum class Kind { GroupBox, Static, Slider, Radio, CheckBox, ImageButton, LinkButton, BlackFrame };

struct ControlTemplate {
    int id;  // 0 for the unnumbered black frame
    Kind kind;
    const char* text;  // the caption, or the image strip of an image button
    int x, y, width, height;
};

// Every control of the template with its rectangle in dialog units. Group boxes and the
// black frame are lowered below the rest after creation.
constexpr ControlTemplate kTemplate[] = {
    {1130, Kind::GroupBox, "Window Style", 0, 8, 207, 53},
    {1131, Kind::Static, "Hue:", 3, 19, 40, 8},
    {1051, Kind::Slider, nullptr, 46, 17, 157, 14},
    {1132, Kind::Static, "Saturation:", 3, 31, 43, 8},
    {1052, Kind::Slider, nullptr, 46, 31, 157, 14},
    {1055, Kind::ImageButton, "IDB_BTN_BAR_PREV", 4, 44, 12, 12},
    {1054, Kind::ImageButton, "IDB_BTN_BAR_NEXT", 23, 44, 12, 12},
    {1053, Kind::LinkButton, "Reset", 41, 44, 72, 12},
    {1133, Kind::GroupBox, "Media Base Control", 0, 64, 207, 67},
    {1087, Kind::Radio, nullptr, 7, 76, 10, 8},
    {1134, Kind::Static, "Original size", 19, 76, 112, 8},
    {1135, Kind::Static, "Proportion:", 33, 87, 45, 8},
    {1082, Kind::Slider, nullptr, 82, 87, 120, 12},
    {1091, Kind::Radio, nullptr, 7, 100, 10, 8},
    {1136, Kind::Static, "Full View", 19, 100, 94, 8},
    {1137, Kind::Static, "Play Rate:", 9, 116, 41, 8},
    {1103, Kind::Slider, nullptr, 54, 114, 148, 12},
    {1138, Kind::GroupBox, "Surface Bethel", 0, 134, 206, 203},
    {1153, Kind::Static, "Modify", 116, 143, 44, 8},
    {1092, Kind::Radio, nullptr, 7, 149, 11, 8},
    {1139, Kind::Static, "Normal", 21, 148, 48, 8},
    {1093, Kind::Radio, nullptr, 7, 163, 11, 8},
    {1140, Kind::Static, "Bethel 1", 21, 162, 44, 8},
    {1105, Kind::Slider, nullptr, 67, 160, 135, 15},
    {1094, Kind::Radio, nullptr, 7, 176, 11, 8},
    {1141, Kind::Static, "Bethel 2", 21, 175, 44, 8},
    {1106, Kind::Slider, nullptr, 67, 173, 135, 15},
    {1095, Kind::Radio, nullptr, 7, 190, 11, 8},
    {1142, Kind::Static, "Bethel 3", 21, 190, 45, 8},
    {1107, Kind::Slider, nullptr, 67, 187, 135, 15},
    {1096, Kind::Radio, nullptr, 7, 203, 11, 8},
    {1143, Kind::Static, "Bethel 4", 21, 203, 44, 8},
    {1108, Kind::Slider, nullptr, 67, 200, 135, 15},
    {1102, Kind::Radio, nullptr, 7, 215, 11, 8},
    {1144, Kind::Static, "None", 21, 215, 48, 8},
    {1109, Kind::Radio, nullptr, 7, 226, 12, 8},
    {1145, Kind::Static, "Freedom to adjust", 21, 227, 101, 8},
    {0, Kind::BlackFrame, nullptr, 64, 259, 71, 49},
    {1110, Kind::Slider, nullptr, 10, 252, 51, 11},
    {1111, Kind::Slider, nullptr, 66, 239, 63, 12},
    {1112, Kind::Slider, nullptr, 136, 250, 56, 12},
    {1113, Kind::Slider, nullptr, 151, 279, 54, 12},
    {1114, Kind::Slider, nullptr, 136, 308, 58, 11},
    {1115, Kind::Slider, nullptr, 67, 322, 65, 12},
    {1116, Kind::Slider, nullptr, 11, 308, 52, 11},
    {1117, Kind::Slider, nullptr, 1, 279, 53, 11},
    {1146, Kind::GroupBox, "Three-dimensional", 0, 339, 206, 55},
    {1097, Kind::Radio, nullptr, 8, 351, 11, 8},
    {1147, Kind::Static, "Flat", 22, 351, 48, 8},
    {1098, Kind::Radio, nullptr, 79, 351, 12, 8},
    {1148, Kind::Static, "Cube", 93, 351, 51, 8},
    {1099, Kind::Radio, nullptr, 149, 351, 9, 8},
    {1149, Kind::Static, "Sphere", 163, 351, 38, 8},
    {1100, Kind::Radio, nullptr, 7, 365, 12, 8},
    {1150, Kind::Static, "Cylinder", 21, 365, 53, 8},
    {1101, Kind::Radio, nullptr, 79, 365, 12, 8},
    {1151, Kind::Static, "Taper", 93, 365, 62, 8},
    {1121, Kind::CheckBox, nullptr, 8, 379, 11, 8},
    {1152, Kind::Static, "Rotation", 21, 379, 43, 8},
    {1122, Kind::Slider, nullptr, 66, 381, 135, 10},
    {1084, Kind::ImageButton, "IDB_BTN_BAR_PREV", 179, 5, 18, 13},
    {1085, Kind::ImageButton, "IDB_BTN_BAR_NEXT", 197, 5, 13, 14},
    {1119, Kind::ImageButton, "IDB_BTN_BAR_UP", 193, 359, 16, 14},
    {1120, Kind::ImageButton, "IDB_BTN_BAR_DOWN", 193, 371, 16, 14},
};

// Slider ids in the order their values are exchanged.
constexpr int kExchangeIds[] = {1051, 1052, 1082, 1103, 1105, 1106, 1107, 1108, 1110,
                                1111, 1112, 1113, 1114, 1115, 1116, 1117, 1122};

constexpr int kSurfaceRadios[] = {1092, 1093, 1094, 1095, 1096, 1102, 1109};
constexpr int kSurfaceSliders[] = {1105, 1106, 1107, 1108, 1110, 1111, 1112,
                                   1113, 1114, 1115, 1116, 1117};
constexpr int kShapeRadios[] = {1097, 1098, 1099, 1100, 1101};
constexpr int kPushButtons[] = {1053, 1054, 1055, 1084, 1085, 1119, 1120};

// The desktop's sans-serif font at the template's 8 points.
QFont panelFont()
{
    QFont font = QFontDatabase::systemFont(QFontDatabase::GeneralFont);
    font.setPointSize(8);
    return font;
}

// The area that holds the controls. It asks for the template's size and reports resizes.
class PanelClient : public QWidget {
public:
    PanelClient(QSize templateSize, std::function<void(const QRect&)> resized)
        : templateSize_(templateSize), resized_(std::move(resized))
    {
    }
    QSize sizeHint() const override { return templateSize_; }
    QSize minimumSizeHint() const override { return QSize(kArrowSize * 2, kArrowSize * 3); }

protected:
    void resizeEvent(QResizeEvent* event) override
    {
        QWidget::resizeEvent(event);
        resized_(rect());
    }

private:
    QSize templateSize_;
    std::function<void(const QRect&)> resized_;
};

void setControlText(QWidget* widget, const QString& text)
{
    if (auto* group = qobject_cast<QGroupBox*>(widget))
        group->setTitle(text);
    else if (auto* label = qobject_cast<QLabel*>(widget))
        label->setText(text);
    else if (auto* button = qobject_cast<QAbstractButton*>(widget))
        button->setText(text);
}

}  // namespace

CColorChooserBar::CColorChooserBar(const QString& windowName, SceneSettingsSink* settings,
                                   SkinColorTarget* skin, QWidget* parent)
    : QDockWidget(windowName, parent), settings_(settings), skin_(skin), units_(panelFont())
{
    setObjectName(QStringLiteral("ColorChooserBar"));
    const QRect templateRect = units_.toPixels(0, 0, kTemplateWidth, kTemplateHeight);
    client_ = new PanelClient(templateRect.size(),
                              [this](const QRect& rect) { placeScrollButtons(rect); });
    client_->setFont(panelFont());
    setWidget(client_);
    createControls();
    initialise();
}

void CColorChooserBar::createControls()
{
    std::vector<QWidget*> background;
    for (const ControlTemplate& t : kTemplate) {
        QWidget* widget = nullptr;
        const QString text = t.text ? QString::fromUtf8(t.text) : QString();
        switch (t.kind) {
        case Kind::GroupBox:
            widget = new QGroupBox(text, client_);
            background.push_back(widget);
            break;
        case Kind::Static:
            widget = new QLabel(text, client_);
            break;
        case Kind::Slider: {
            auto* s = new QSlider(Qt::Horizontal, client_);
            s->setTickPosition(QSlider::NoTicks);
            s->setFocusPolicy(Qt::StrongFocus);
            widget = s;
            break;
        }
        case Kind::Radio: {
            // Each radio is a group of its own: the panel sets and clears all check marks.
            auto* r = new QRadioButton(client_);
            r->setAutoExclusive(false);
            widget = r;
            break;
        }
        case Kind::CheckBox:
            widget = new QCheckBox(client_);
            break;
        case Kind::ImageButton:
            widget = new CColorChooserButton(QSize(kArrowSize, kArrowSize), text, client_);
            break;
        case Kind::LinkButton: {
            auto* link = new QPushButton(text, client_);
            link->setFlat(true);
            link->setCursor(Qt::PointingHandCursor);
            link->setStyleSheet(QStringLiteral(
                "QPushButton { color: palette(link); text-decoration: underline; border: none;"
                " text-align: left; padding: 0px; }"));
            widget = link;
            break;
        }
        case Kind::BlackFrame: {
            auto* frame = new QFrame(client_);
            frame->setAutoFillBackground(true);
            QPalette palette = frame->palette();
            palette.setColor(QPalette::Window, Qt::black);
            frame->setPalette(palette);
            widget = frame;
            background.push_back(widget);
            break;
        }
        }
        widget->setGeometry(units_.toPixels(t.x, t.y, t.width, t.height));
        if (t.id != 0) {
            widget->setObjectName(QStringLiteral("control%1").arg(t.id));
            controls_[t.id] = widget;
        }
    }
    for (auto it = background.rbegin(); it != background.rend(); ++it)
        (*it)->lower();

    for (int v = 0; v < ValueCount; ++v)
        exchange_[static_cast<size_t>(v)] = slider(kExchangeIds[v]);

    for (int id : kExchangeIds)
        connect(slider(id), &QSlider::valueChanged, this, [this, id] { onSliderMoved(id); });
    for (int id : {1087, 1091})
        connect(radio(id), &QRadioButton::clicked, this, [this, id] { onSizeModeClicked(id); });
    for (int id : kSurfaceRadios)
        connect(radio(id), &QRadioButton::clicked, this, [this, id] { onSurfaceClicked(id); });
    for (int id : kShapeRadios)
        connect(radio(id), &QRadioButton::clicked, this, [this, id] { onShapeClicked(id); });
    connect(static_cast<QCheckBox*>(control(1121)), &QCheckBox::clicked, this,
            &CColorChooserBar::onRotationClicked);
    for (int id : kPushButtons)
        connect(static_cast<QAbstractButton*>(control(id)), &QAbstractButton::clicked, this,
                [this, id] { emit commandIssued(id); });
}

void CColorChooserBar::initialise()
{
    // Programmatic positions are not user moves: nothing is sent while they are set.
    std::vector<std::unique_ptr<QSignalBlocker>> blockers;
    for (QSlider* s : exchange_)
        blockers.push_back(std::make_unique<QSignalBlocker>(s));

    const double hue = skin_ ? skin_->hue() : 0.0;
    const double saturation = skin_ ? skin_->saturation() : 0.0;
    setSlider(Hue, 0, 360, skincolor::sliderFromHue(hue));
    setSlider(Saturation, 0, 200, skincolor::sliderFromSaturation(saturation));

    radio(1091)->setChecked(true);
    radio(1087)->setChecked(false);
    setSlider(Proportion, 0, 800, 400);
    slider(1082)->setEnabled(radio(1087)->isChecked());

    setSlider(PlayRate, 0, 200, 100);

    setSlider(Depth1, 0, 1000, 250);
    setSlider(Depth2, 0, 400, 250);
    setSlider(Depth3, 0, 300, 250);
    setSlider(Depth4, 0, 500, 250);
    for (int v = Freedom1; v <= Freedom8; ++v)
        setSlider(static_cast<Value>(v), 0, 2000, 1000);

    for (int id : kSurfaceRadios)
        radio(id)->setChecked(id == 1092);
    for (int id : kShapeRadios)
        radio(id)->setChecked(id == 1097);
    for (int id : kSurfaceSliders)
        slider(id)->setEnabled(false);

    for (int id : {1085, 1084, 1119, 1120})
        control(id)->hide();

    static_cast<QCheckBox*>(control(1121))->setChecked(true);
    slider(1122)->setEnabled(true);
    setSlider(RotationSpeed, 1, 10, 1);
}

void CColorChooserBar::setSlider(Value value, int minimum, int maximum, int position)
{
    QSlider* s = exchange_[static_cast<size_t>(value)];
    s->setRange(minimum, maximum);
    // A trackbar's page is a fifth of its range.
    s->setPageStep(std::max(1, (maximum - minimum) / 5));
    s->setSingleStep(1);
    s->setValue(position);
    values_[static_cast<size_t>(value)] = position;
}

void CColorChooserBar::readSliders()
{
    for (size_t v = 0; v < values_.size(); ++v)
        values_[v] = exchange_[v]->value();
}

void CColorChooserBar::writeSliders()
{
    for (size_t v = 0; v < values_.size(); ++v) {
        const QSignalBlocker blocker(exchange_[v]);
        exchange_[v]->setValue(values_[v]);
    }
}

void CColorChooserBar::applySkinColor()
{
    if (skin_)
        skin_->setHueSaturation(skincolor::hueFromSlider(values_[Hue]),
                                skincolor::saturationFromSlider(values_[Saturation]));
    // Repaint the main window and every floating panel in the (possibly new) colour.
    for (QWidget* window : QApplication::topLevelWidgets())
        if (window->isVisible())
            window->update();
}

void CColorChooserBar::ResetSkinColor()
{
    values_[Hue] = 180;
    values_[Saturation] = 100;
    writeSliders();
    applySkinColor();
}

void CColorChooserBar::StepColorPreset(bool forward)
{
    const int count = static_cast<int>(ColorPresetTable.size());
    presetIndex_ = forward ? presetIndex_ + 1 : presetIndex_ - 1;
    if (presetIndex_ >= count)
        presetIndex_ = 0;
    if (presetIndex_ < 0)
        presetIndex_ = count - 1;
    const ColorPreset& preset = ColorPresetTable[static_cast<size_t>(presetIndex_)];
    values_[Hue] = preset.hue;
    values_[Saturation] = preset.saturation;
    writeSliders();
    applySkinColor();
}

void CColorChooserBar::placeScrollButtons(const QRect& r)
{
    control(1084)->setGeometry(r.left(), r.top(), kArrowSize, kArrowSize);
    control(1085)->setGeometry(r.right() + 1 - kArrowSize, r.top(), kArrowSize, kArrowSize);
    control(1119)->setGeometry(r.right() + 1 - kArrowSize, r.top() + kArrowSize, kArrowSize,
                               kArrowSize);
    control(1120)->setGeometry(r.right() + 1 - kArrowSize, r.bottom() + 1 - kArrowSize, kArrowSize,
                               kArrowSize);
    const bool horizontal = r.width() <= kArrowsHorizontalLimit;
    const bool vertical = r.height() <= kArrowsVerticalLimit;
    control(1084)->setVisible(horizontal);
    control(1085)->setVisible(horizontal);
    control(1119)->setVisible(vertical);
    control(1120)->setVisible(vertical);
    for (int id : {1084, 1085, 1119, 1120})
        control(id)->raise();
}

void CColorChooserBar::ScrollContent(int dx, int dy)
{
    client_->scroll(dx, dy);
    placeScrollButtons(client_->rect());
}

void CColorChooserBar::SetLanguage(int language)
{
    if (language < 0 || language >= 6)
        return;
    for (const PanelCaption& caption : PanelCaptionTable)
        setControlText(control(caption.controlId),
                       QString::fromUtf8(caption.text[static_cast<size_t>(language)]));
}

void CColorChooserBar::onSliderMoved(int id)
{
    readSliders();
    applySkinColor();
    if (!settings_)
        return;
    switch (id) {
    case 1082: settings_->SetProportion(values_[Proportion]); break;
    case 1103: settings_->SetPlayRate(values_[PlayRate]); break;
    case 1105:
    case 1106:
    case 1107:
    case 1108: {
        const int k = id - 1105;
        settings_->SetSurface(k + 1, values_[static_cast<size_t>(Depth1 + k)], 0, 0, 0, 0, 0, 0, 0, 0);
        break;
    }
    case 1110: case 1111: case 1112: case 1113:
    case 1114: case 1115: case 1116: case 1117:
        settings_->SetSurface(6, 0, values_[Freedom1], values_[Freedom2], values_[Freedom3],
                              values_[Freedom4], values_[Freedom5], values_[Freedom6],
                              values_[Freedom7], values_[Freedom8]);
        break;
    case 1122:
        settings_->SetRotation(static_cast<QCheckBox*>(control(1121))->isChecked() ? 1 : 0,
                               values_[RotationSpeed]);
        break;
    default: break;  // hue and saturation only recolour the skin
    }
}

void CColorChooserBar::onSizeModeClicked(int id)
{
    const bool original = id == 1087;
    radio(1087)->setChecked(original);
    radio(1091)->setChecked(!original);
    slider(1082)->setEnabled(original);
    if (settings_)
        settings_->SetSizeMode(original ? 0 : 1);
}

void CColorChooserBar::onSurfaceClicked(int id)
{
    for (int other : kSurfaceRadios)
        radio(other)->setChecked(other == id);
    for (int s : kSurfaceSliders) {
        bool enabled = false;
        if (id >= 1093 && id <= 1096)
            enabled = s == id - 1093 + 1105;
        else if (id == 1109)
            enabled = s >= 1110;
        slider(s)->setEnabled(enabled);
    }
    if (id >= 1093 && id <= 1096)
        readSliders();
    if (!settings_)
        return;
    switch (id) {
    case 1092: settings_->SetSurface(0, 250, 0, 0, 0, 0, 0, 0, 0, 0); break;
    case 1093:
    case 1094:
    case 1095:
    case 1096: {
        const int k = id - 1093;
        settings_->SetSurface(k + 1, values_[static_cast<size_t>(Depth1 + k)], 0, 0, 0, 0, 0, 0, 0, 0);
        break;
    }
    case 1102: settings_->SetSurface(5, 250, 0, 0, 0, 0, 0, 0, 0, 0); break;
    case 1109:
        settings_->SetSurface(6, 250, 1000, 1000, 1000, 1000, 1000, 1000, 1000, 1000);
        break;
    default: break;
    }
}

void CColorChooserBar::onShapeClicked(int id)
{
    for (int other : kShapeRadios)
        radio(other)->setChecked(other == id);
    if (settings_)
        settings_->SetShape(id - 1097);
}

void CColorChooserBar::onRotationClicked()
{
    const int checked = static_cast<QCheckBox*>(control(1121))->isChecked() ? 1 : 0;
    slider(1122)->setEnabled(checked == 1);
    if (settings_)
        settings_->SetRotation(checked, values_[RotationSpeed]);
}

QWidget* CColorChooserBar::control(int id) const
{
    const auto it = controls_.find(id);
    return it == controls_.end() ? nullptr : it->second;
}

QSlider* CColorChooserBar::slider(int id) const
{
    return static_cast<QSlider*>(control(id));
}

QRadioButton* CColorChooserBar::radio(int id) const
{
    return static_cast<QRadioButton*>(control(id));
}
