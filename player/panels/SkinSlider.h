// A slider of the control panel drawn by the skin while there is one: its channel is the hue
// rainbow (the hue slider) or a gradient from white to the skin colour, and its thumb comes
// from the skin's thumb strip (normal, highlighted, pressed). Without a skin it is a plain
// slider.
#pragma once

#include <QSlider>

class SkinSlider : public QSlider {
    Q_OBJECT
public:
    SkinSlider(bool hueChannel, QWidget* parent = nullptr);
    bool isHueChannel() const { return hueChannel_; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    bool hueChannel_;
};
