#include "ColorChooserBar.h"

#include "CaptionLabel.h"
#include "ColorChooserControls.h"
#include "ColorChooserTemplate.h"
#include "ColorPresetTable.h"
#include "PanelCaptions.h"
#include "SceneSettingsSink.h"
#include "SkinColor.h"
#include "SkinColorTarget.h"

#include <QApplication>
#include <QCheckBox>
#include <QEvent>
#include <QRadioButton>
#include <QSignalBlocker>
#include <QSlider>

#include <algorithm>
#include <memory>
#include <vector>

using namespace panel;

namespace {

// The play-rate slider's value for the normal rate (value x 0.01).
constexpr int kNormalPlayRate = 100;

// Slider ids in the order their values are exchanged (the Value enum's order).
constexpr ControlId kExchangeIds[] = {
    HueSlider, SaturationSlider, ProportionSlider, PlayRateSlider,
    Bethel1Slider, Bethel2Slider, Bethel3Slider, Bethel4Slider,
    FreedomTopLeftSlider, FreedomTopSlider, FreedomTopRightSlider, FreedomRightSlider,
    FreedomBottomRightSlider, FreedomBottomSlider, FreedomBottomLeftSlider, FreedomLeftSlider,
    RotationSlider,
};

// The slider's place in kExchangeIds.
size_t exchangeIndex(int sliderId)
{
    const auto* found = std::find(std::begin(kExchangeIds), std::end(kExchangeIds), sliderId);
    return static_cast<size_t>(found - std::begin(kExchangeIds));
}

const SurfaceChoice* surfaceChoiceOfRadio(int radioId)
{
    for (const SurfaceChoice& choice : kSurfaceChoices)
        if (choice.radio == radioId)
            return &choice;
    return nullptr;
}

const SurfaceChoice* surfaceChoiceOfSlider(int sliderId)
{
    for (const SurfaceChoice& choice : kSurfaceChoices)
        if (choice.depthSlider != 0 && choice.depthSlider == sliderId)
            return &choice;
    return nullptr;
}

bool isFreedomSlider(int sliderId)
{
    return std::find(std::begin(kFreedomSliders), std::end(kFreedomSliders), sliderId) !=
           std::end(kFreedomSliders);
}

}  // namespace

CColorChooserBar::CColorChooserBar(const QString& windowName, SceneSettingsSink* settings,
                                   SkinColorTarget* skin, QWidget* parent)
    : QDockWidget(windowName, parent), settings_(settings), skin_(skin), units_(panelFont())
{
    setObjectName(QStringLiteral("ColorChooserBar"));
    const Extent content = contentExtent();
    contentSize_ = units_.toPixels(0, 0, content.width, content.height).size();
    // The template's width, which leaves the right-hand arrows their column, and the
    // content's height with a margin under its last group.
    constexpr int bottomMargin = 3;
    const QSize wanted(units_.toPixelsX(kTemplateWidth),
                       units_.toPixelsY(content.height + bottomMargin));
    client_ = new PanelClient(wanted, [this](const QRect& rect) { placeScrollButtons(rect); });
    client_->setFont(panelFont());
    setWidget(client_);
    createCommands();
    createControls();
    initialise();
}

void CColorChooserBar::createCommands()
{
    // How far one click on a scroll arrow moves the content.
    constexpr int step = 10;
    commands_.add(Command::ResetSkinColor, [this] { ResetSkinColor(); });
    commands_.add(Command::ColorPresetForward, [this] { StepColorPreset(true); });
    commands_.add(Command::ColorPresetBackward, [this] { StepColorPreset(false); });
    commands_.add(Command::ScrollRight, [this] { ScrollContent(step, 0); });
    commands_.add(Command::ScrollLeft, [this] { ScrollContent(-step, 0); });
    commands_.add(Command::ScrollUp, [this] { ScrollContent(0, -step); });
    commands_.add(Command::ScrollDown, [this] { ScrollContent(0, step); });
}

void CColorChooserBar::createControls()
{
    std::vector<QWidget*> background;
    for (const ControlTemplate& t : controlTemplate()) {
        QWidget* widget = createControl(t, client_);
        if (isBackground(t.kind))
            background.push_back(widget);
        // A caption may use the room to its right, up to the next control.
        const int width = t.kind == ControlKind::Static ? captionRoom(t) : t.width;
        widget->setGeometry(units_.toPixels(t.x, t.y, width, t.height));
        if (t.id != 0) {
            widget->setObjectName(QStringLiteral("control%1").arg(t.id));
            controls_[t.id] = widget;
        }
    }
    for (auto it = background.rbegin(); it != background.rend(); ++it)
        (*it)->lower();

    for (size_t v = 0; v < exchange_.size(); ++v)
        exchange_[v] = slider(kExchangeIds[v]);

    for (int id : kExchangeIds)
        connect(slider(id), &QSlider::valueChanged, this, [this, id] { onSliderMoved(id); });
    for (int id : {OriginalSizeRadio, FullViewRadio})
        connect(radio(id), &QRadioButton::clicked, this, [this, id] { onSizeModeClicked(id); });
    for (const SurfaceChoice& choice : kSurfaceChoices)
        connect(radio(choice.radio), &QRadioButton::clicked, this,
                [this, id = choice.radio] { onSurfaceClicked(id); });
    for (const ShapeChoice& choice : kShapeChoices)
        connect(radio(choice.radio), &QRadioButton::clicked, this,
                [this, id = choice.radio] { onShapeClicked(id); });
    connect(rotationCheck(), &QCheckBox::clicked, this, &CColorChooserBar::onRotationClicked);
    for (const PushButton& button : kPushButtons)
        connect(static_cast<QAbstractButton*>(control(button.control)), &QAbstractButton::clicked,
                this, [this, id = button.command] { handleCommand(id); });
    fitCaptions();
}

void CColorChooserBar::fitCaptions()
{
    std::vector<CaptionLabel*> labels;
    std::vector<captionfit::Caption> captions;
    for (const auto& [id, widget] : controls_)
        if (auto* label = qobject_cast<CaptionLabel*>(widget)) {
            labels.push_back(label);
            captions.push_back({label->text(), label->contentsRect().width(), {}});
        }
    captionfit::fitAll(client_->font(), captions);
    for (size_t i = 0; i < labels.size(); ++i)
        labels[i]->setFitted(captions[i].fitted);
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

    radio(FullViewRadio)->setChecked(true);
    radio(OriginalSizeRadio)->setChecked(false);
    setSlider(Proportion, 0, 800, 400);
    slider(ProportionSlider)->setEnabled(radio(OriginalSizeRadio)->isChecked());

    setSlider(PlayRate, 0, 200, kNormalPlayRate);
    slider(PlayRateSlider)->installEventFilter(this);

    setSlider(Depth1, 0, 1000, 250);
    setSlider(Depth2, 0, 400, 250);
    setSlider(Depth3, 0, 300, 250);
    setSlider(Depth4, 0, 500, 250);
    for (int v = Freedom1; v <= Freedom8; ++v)
        setSlider(static_cast<Value>(v), 0, 2000, 1000);

    for (const SurfaceChoice& choice : kSurfaceChoices) {
        radio(choice.radio)->setChecked(choice.mode == SurfaceMode::Normal);
        if (choice.depthSlider != 0)
            slider(choice.depthSlider)->setEnabled(false);
    }
    for (int id : kFreedomSliders)
        slider(id)->setEnabled(false);
    for (const ShapeChoice& choice : kShapeChoices)
        radio(choice.radio)->setChecked(choice.kind == ShapeKind::Flat);

    for (int id : kScrollArrows)
        control(id)->hide();

    rotationCheck()->setChecked(true);
    slider(RotationSlider)->setEnabled(true);
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

void CColorChooserBar::StepPlayRate(bool faster)
{
    slider(PlayRateSlider)->triggerAction(faster ? QAbstractSlider::SliderPageStepAdd
                                                 : QAbstractSlider::SliderPageStepSub);
}

void CColorChooserBar::ResetPlayRate()
{
    slider(PlayRateSlider)->setValue(kNormalPlayRate);
}

bool CColorChooserBar::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == slider(PlayRateSlider) && event->type() == QEvent::MouseButtonDblClick) {
        ResetPlayRate();
        return true;
    }
    return QDockWidget::eventFilter(watched, event);
}

void CColorChooserBar::placeScrollButtons(const QRect& r)
{
    const int right = r.right() + 1 - kArrowSize;
    control(ScrollLeftButton)->setGeometry(r.left(), r.top(), kArrowSize, kArrowSize);
    control(ScrollRightButton)->setGeometry(right, r.top(), kArrowSize, kArrowSize);
    control(ScrollUpButton)->setGeometry(right, r.top() + kArrowSize, kArrowSize, kArrowSize);
    control(ScrollDownButton)
        ->setGeometry(right, r.bottom() + 1 - kArrowSize, kArrowSize, kArrowSize);
    const QRect content = contentRect();
    const bool horizontal = content.left() < r.left() || content.right() > r.right();
    const bool vertical = content.top() < r.top() || content.bottom() > r.bottom();
    control(ScrollLeftButton)->setVisible(horizontal);
    control(ScrollRightButton)->setVisible(horizontal);
    control(ScrollUpButton)->setVisible(vertical);
    control(ScrollDownButton)->setVisible(vertical);
    for (int id : kScrollArrows)
        control(id)->raise();
}

void CColorChooserBar::ScrollContent(int dx, int dy)
{
    client_->scroll(dx, dy);
    scrolled_ += QPoint(dx, dy);
    placeScrollButtons(client_->rect());
}

void CColorChooserBar::SetLanguage(int language)
{
    if (language < 0 || language >= 6)
        return;
    for (const PanelCaption& caption : PanelCaptionTable)
        setControlText(control(caption.controlId),
                       QString::fromUtf8(caption.text[static_cast<size_t>(language)]));
    fitCaptions();
}

void CColorChooserBar::onSliderMoved(int id)
{
    readSliders();
    applySkinColor();
    if (!settings_)
        return;
    if (id == ProportionSlider) {
        settings_->SetProportion(values_[Proportion]);
    } else if (id == PlayRateSlider) {
        settings_->SetPlayRate(values_[PlayRate]);
    } else if (id == RotationSlider) {
        settings_->SetRotation(rotationCheck()->isChecked() ? 1 : 0, values_[RotationSpeed]);
    } else if (const SurfaceChoice* choice = surfaceChoiceOfSlider(id)) {
        settings_->SetSurface({choice->mode, sliderValue(id)});
    } else if (isFreedomSlider(id)) {
        settings_->SetSurface(freedomSurface(0));
    }
    // Hue and saturation only recolour the skin.
}

void CColorChooserBar::onSizeModeClicked(int id)
{
    const bool original = id == OriginalSizeRadio;
    radio(OriginalSizeRadio)->setChecked(original);
    radio(FullViewRadio)->setChecked(!original);
    slider(ProportionSlider)->setEnabled(original);
    if (settings_)
        settings_->SetSizeMode(original ? SizeMode::OriginalSize : SizeMode::FullView);
}

void CColorChooserBar::onSurfaceClicked(int radioId)
{
    const SurfaceChoice* chosen = surfaceChoiceOfRadio(radioId);
    if (!chosen)
        return;
    const bool freedom = chosen->mode == SurfaceMode::Freedom;
    for (const SurfaceChoice& choice : kSurfaceChoices) {
        radio(choice.radio)->setChecked(&choice == chosen);
        if (choice.depthSlider != 0)
            slider(choice.depthSlider)->setEnabled(&choice == chosen);
    }
    for (int id : kFreedomSliders)
        slider(id)->setEnabled(freedom);
    if (chosen->depthSlider != 0)
        readSliders();
    if (!settings_)
        return;
    SurfaceSettings surface{chosen->mode};
    if (chosen->depthSlider != 0)
        surface.depth = sliderValue(chosen->depthSlider);
    else if (freedom)
        surface.freedom.fill(1000);  // the plane, whatever the sliders show
    settings_->SetSurface(surface);
}

void CColorChooserBar::onShapeClicked(int radioId)
{
    for (const ShapeChoice& choice : kShapeChoices) {
        radio(choice.radio)->setChecked(choice.radio == radioId);
        if (choice.radio == radioId && settings_)
            settings_->SetShape(choice.kind);
    }
}

void CColorChooserBar::onRotationClicked()
{
    const int checked = rotationCheck()->isChecked() ? 1 : 0;
    slider(RotationSlider)->setEnabled(checked == 1);
    if (settings_)
        settings_->SetRotation(checked, values_[RotationSpeed]);
}

SurfaceSettings CColorChooserBar::freedomSurface(int depth) const
{
    SurfaceSettings surface{SurfaceMode::Freedom, depth};
    for (size_t k = 0; k < surface.freedom.size(); ++k)
        surface.freedom[k] = sliderValue(kFreedomSliders[k]);
    return surface;
}

int CColorChooserBar::sliderValue(int id) const
{
    return values_[exchangeIndex(id)];
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

QCheckBox* CColorChooserBar::rotationCheck() const
{
    return static_cast<QCheckBox*>(control(RotationCheck));
}
