// The control panel's widgets as its template describes them, the area that holds them and
// the font they are measured in.
#pragma once

#include "ColorChooserTemplate.h"

#include <QSize>
#include <QWidget>

#include <functional>

class QFont;
class QString;

namespace panel {

// Side of the image buttons and of the scroll arrows, in pixels.
inline constexpr int kArrowSize = 18;

// The desktop's sans-serif font at the template's 8 points.
QFont panelFont();

// A new widget of the control's kind inside parent, not yet placed. Every radio is a group of
// its own: the panel sets and clears all check marks itself.
QWidget* createControl(const ControlTemplate& control, QWidget* parent);
// Group boxes and the black frame lie under the other controls.
bool isBackground(ControlKind kind);
// The caption of a group box, label or button.
void setControlText(QWidget* widget, const QString& text);

// The area that holds the controls. It asks for the size that shows them all and reports
// resizes.
class PanelClient : public QWidget {
public:
    PanelClient(QSize wantedSize, std::function<void(const QRect&)> resized);
    QSize sizeHint() const override { return wantedSize_; }
    QSize minimumSizeHint() const override { return QSize(kArrowSize * 2, kArrowSize * 3); }

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    QSize wantedSize_;
    std::function<void(const QRect&)> resized_;
};

}  // namespace panel
