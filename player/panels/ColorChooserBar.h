// The control panel: a docking panel whose controls set the skin colour, the picture's size
// mode, proportion and play rate, the surface the picture is drawn on and the shape beside
// it. The panel keeps no settings of its own: each action turns at once into calls on the
// scene-settings sink (the main frame, which forwards them to its view) or on the skin.
//
// The controls are laid out from the panel's dialog template, in dialog units converted
// with the panel font's metrics. The push buttons (Reset, the preset steps and the four
// scroll arrows) run the panel's own commands; the panel is also a command target, so the
// same commands can be dispatched to it from elsewhere.
#pragma once

#include "CommandTarget.h"
#include "DialogUnits.h"
#include "SceneTypes.h"

#include <QDockWidget>

#include <array>
#include <map>

class QCheckBox;
class QRadioButton;
class QSlider;
class SceneSettingsSink;
class SkinColorTarget;

class CColorChooserBar : public QDockWidget, public CommandTarget {
    Q_OBJECT
public:
    // settings and skin must outlive the panel; either may be null (calls are then dropped).
    CColorChooserBar(const QString& windowName, SceneSettingsSink* settings, SkinColorTarget* skin,
                     QWidget* parent = nullptr);

    // Hue 180, saturation 100 (the neutral colour); the preset index stays.
    void ResetSkinColor();
    // One step along ColorPresetTable, wrapping at both ends.
    void StepColorPreset(bool forward);
    // Moves the whole content by dx, dy pixels and puts the scroll arrows back at the edges.
    // The arrows of a direction show while the content does not lie within the client area
    // in that direction.
    void ScrollContent(int dx, int dy);
    // Moves the play-rate slider one page step up (faster) or down, as its own Page Up and
    // Page Down do; the new rate goes to the scene-settings sink as a user's move would.
    void StepPlayRate(bool faster);
    // The play-rate slider back to 100 (the normal rate), sent the same way; a double-click
    // on the slider does the same.
    void ResetPlayRate();
    // Captions in language 0 to 5; any other index changes nothing.
    void SetLanguage(int language);

    int presetIndex() const { return presetIndex_; }
    // The control with the template's id (1051 hue slider, 1092 "Normal", ...), or null.
    QWidget* control(int id) const;
    // The widget that holds the controls; its rectangle is the panel's client area.
    QWidget* client() const { return client_; }
    // Where the content (every control but the scroll arrows) lies in the client area now.
    QRect contentRect() const { return QRect(scrolled_, contentSize_); }
    const DialogUnits& dialogUnits() const { return units_; }

    // CommandTarget: Reset, the preset steps and the scroll arrows.
    bool handleCommand(Command id) override { return commands_.handleCommand(id); }
    bool updateCommand(Command id, CommandState& state) override
    {
        return commands_.updateCommand(id, state);
    }

protected:
    // A double-click on the play-rate slider brings it back to the normal rate.
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // The seventeen slider values in the order they are exchanged with their sliders.
    enum Value {
        Hue, Saturation, Proportion, PlayRate,
        Depth1, Depth2, Depth3, Depth4,
        Freedom1, Freedom2, Freedom3, Freedom4, Freedom5, Freedom6, Freedom7, Freedom8,
        RotationSpeed,
        ValueCount
    };

    void createCommands();
    void createControls();
    void initialise();
    void setSlider(Value value, int minimum, int maximum, int position);
    void readSliders();
    void writeSliders();
    void applySkinColor();
    void placeScrollButtons(const QRect& clientRect);
    // Fits every caption into its label, keeping different captions apart on screen.
    void fitCaptions();

    void onSliderMoved(int id);
    void onSizeModeClicked(int id);
    void onSurfaceClicked(int radioId);
    void onShapeClicked(int radioId);
    void onRotationClicked();
    // The surface the Freedom sliders give now, with the depth the panel sends with it.
    SurfaceSettings freedomSurface(int depth) const;
    int sliderValue(int id) const;

    QSlider* slider(int id) const;
    QRadioButton* radio(int id) const;
    QCheckBox* rotationCheck() const;

    CommandTable commands_;
    SceneSettingsSink* settings_;
    SkinColorTarget* skin_;
    QWidget* client_ = nullptr;
    DialogUnits units_;
    QSize contentSize_;
    QPoint scrolled_;  // how far the content has been moved from its place
    std::map<int, QWidget*> controls_;
    std::array<QSlider*, ValueCount> exchange_{};
    std::array<int, ValueCount> values_{};
    int presetIndex_ = 0;
};
