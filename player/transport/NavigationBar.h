// CNavigationBar: the transport bar along the bottom of the player view. Six image buttons
// (Stop, Previous, Play, Next and the split Sound/Volume button), the progress slider across
// its top and the time label at the slider's right end. It handles no command itself: a click
// is reported through commandIssued(id) and every slider notification through
// seekRequested(percent).
#pragma once

#include "CommandIds.h"
#include "NavigationBarSkin.h"
#include "NavigationToolbarButton.h"

#include <QWidget>

#include <optional>
#include <vector>

class CProgressSlider;
class CTimeLabel;

class CNavigationBar : public QWidget {
    Q_OBJECT
public:
    static const QString kZeroTime;  // "00:00:00-00:00:00"

    explicit CNavigationBar(QWidget* parent);

    // Inserts the eight entries (six buttons, two separators) and the play glow.
    void loadButtons();
    const std::vector<CNavigationToolbarButton>& buttons() const { return buttons_; }
    const CNavigationToolbarButton* button(Command id) const;
    QRect buttonRect(Command id) const;

    // Enabled state, set by the view's update handlers.
    void setButtonEnabled(Command id, bool enabled);
    bool isButtonEnabled(Command id) const;

    // 1 shows the play symbol, 0 the pause symbol.
    void setPlayIcon(int state);
    int playIcon() const { return playIcon_; }
    // -1 is muted; 0 to 100 pick one of four level icons.
    void setSoundLevel(int level);
    int soundLevel() const { return soundLevel_; }
    static int soundIconIndex(int level);

    void setTimeText(const QString& text);
    QString timeText() const;
    CProgressSlider* progressSlider() const { return slider_; }
    CTimeLabel* timeLabel() const { return label_; }

    // The face and icon cells the button is drawn with now.
    struct Cells {
        int face = 1;
        int icon = 0;
    };
    Cells cellsFor(Command id) const;
    std::optional<Command> hotButton() const { return hot_; }
    bool isWideStyle() const;

    // Re-places the buttons over the centred control area.
    void layoutButtons();

signals:
    void commandIssued(Command id);
    void seekRequested(int percent);

protected:
    void paintEvent(QPaintEvent*) override;
    void resizeEvent(QResizeEvent*) override;
    void mousePressEvent(QMouseEvent*) override;
    void mouseMoveEvent(QMouseEvent*) override;
    void mouseReleaseEvent(QMouseEvent*) override;
    void leaveEvent(QEvent*) override;
    bool event(QEvent*) override;

private:
    CNavigationToolbarButton* findButton(Command id);
    std::optional<Command> buttonAt(const QPoint& p) const;
    void setHot(std::optional<Command> id);
    void invalidateButton(std::optional<Command> id);
    void configureSlider();

    std::vector<CNavigationToolbarButton> buttons_;
    ImageStrip playGlow_;
    NavigationBarSkin skin_;
    CProgressSlider* slider_ = nullptr;
    CTimeLabel* label_ = nullptr;
    int playIcon_ = 1;
    int soundLevel_ = 50;
    std::optional<Command> hot_;      // the button under the pointer
    std::optional<Command> pressed_;  // the button held down
};
