#include "NavigationBar.h"

#include "ProgressSlider.h"
#include "TimeLabel.h"

#include <QHelpEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QToolTip>

const QString CNavigationBar::kZeroTime = QStringLiteral("00:00:00-00:00:00");

namespace {

// The top row: the progress slider from the left edge, the time label in the last
// kTimeLabelSpace pixels (its text fits there; the rest of it lies beyond the bar's edge).
constexpr int kTopRowY = 1;
constexpr int kTopRowHeight = 12;
constexpr int kTimeLabelSpace = 87;
constexpr int kTimeLabelWidth = 120;
// Before the first layout both stretch far enough for any window.
constexpr QRect kUnplacedTopRow(0, 0, 2000, 13);

// The buttons' band below the top row: each button is centred in it.
constexpr int kButtonBandTop = 14;
constexpr int kButtonBandHeight = 43;
// Where the button group starts over the centred control-area image.
constexpr int kGroupOffsetWide = 101;
constexpr int kGroupOffsetNarrow = 24;

// The play glow reaches this far around the Play button, one pixel lower.
constexpr QMargins kPlayGlowGrow(5, 5, 5, 5);

// Buttons are drawn in this order, so Play lies over its neighbours' overlapping edges.
constexpr Command kPaintOrder[] = {Command::Stop, Command::Previous, Command::Next,
                                   Command::Play, Command::Sound,    Command::Volume};

}  // namespace

CNavigationBar::CNavigationBar(QWidget* parent) : QWidget(parent)
{
    setMouseTracking(true);
    setAttribute(Qt::WA_OpaquePaintEvent);
    slider_ = new CProgressSlider(Qt::Horizontal, kUnplacedTopRow, this);
    configureSlider();
    slider_->setPos(0, true);
    slider_->setEnabled(false);
    label_ = new CTimeLabel(kZeroTime, this);
    label_->setGeometry(kUnplacedTopRow);
    label_->setText(kZeroTime);
    // Every notification of the slider, during a drag and at its end, seeks.
    connect(slider_, &CProgressSlider::scrolled, this,
            [this](int, int) { emit seekRequested(slider_->pos()); });
}

void CNavigationBar::configureSlider()
{
    slider_->setColorThumb(true);
    slider_->setShadePlayedPart(true);
    slider_->setRange(0, 100, true);
    slider_->setThumbColor(QColor(255, 0, 0));
    slider_->setGreyMarks(true);
}

void CNavigationBar::loadButtons()
{
    using B = CNavigationToolbarButton;
    // Previous and Next overlap Play by a pixel on each side; the glow and the split
    // button's halves widen what a change repaints.
    const B::Fit previous{1, QMargins(0, 0, 1, 0), QMargins(0, 0, 1, 0)};
    const B::Fit play{2, QMargins(1, 0, 1, 0), kPlayGlowGrow - QMargins(0, 1, 0, 0)};
    const B::Fit next{1, QMargins(1, 0, 0, 0), QMargins(1, 0, 0, 0)};
    buttons_.clear();
    buttons_.push_back(B::make(Command::Stop, tr("Stop"), "IDB_BTN_NORMAL", {25, 25},
                               "IDB_NAVI_STOP_ICON", {25, 25}));
    buttons_.push_back(B::separator());
    buttons_.push_back(B::make(Command::Previous, tr("Previous"), "IDB_NAVI_PREV", {54, 27},
                               "IDB_NAVI_PREV_ICON", {54, 25}, previous));
    buttons_.push_back(B::make(Command::Play, tr("Play"), "IDB_NAVI_PLAY", {42, 43},
                               "IDB_NAVI_PLAY_ICON", {42, 43}, play));
    buttons_.push_back(B::make(Command::Next, tr("Next"), "IDB_NAVI_NEXT", {54, 27},
                               "IDB_NAVI_NEXT_ICON", {54, 25}, next));
    buttons_.push_back(B::separator());
    B sound = B::make(Command::Sound, tr("Sound"), "IDB_BTN_SPLIT", {24, 25},
                      "IDB_NAVI_SOUND_ICON", {25, 25});
    B volume = B::make(Command::Volume, tr("Volume"), "IDB_BTN_SPLIT_M", {15, 25}, QString(), {});
    sound.partner = Command::Volume;
    sound.fit.repaintGrow = QMargins(0, 0, volume.size().width(), 0);
    volume.partner = Command::Sound;
    volume.fit.repaintGrow = QMargins(sound.size().width(), 0, 0, 0);
    buttons_.push_back(sound);
    buttons_.push_back(volume);
    playGlow_.load(QStringLiteral("IDB_NAVI_PLAY_H"), {52, 52});
    layoutButtons();
    update();
}

const CNavigationToolbarButton* CNavigationBar::button(Command id) const
{
    for (const auto& b : buttons_)
        if (b.command == id)
            return &b;
    return nullptr;
}

CNavigationToolbarButton* CNavigationBar::findButton(Command id)
{
    return const_cast<CNavigationToolbarButton*>(std::as_const(*this).button(id));
}

QRect CNavigationBar::buttonRect(Command id) const
{
    const auto* b = button(id);
    return b ? b->rect : QRect();
}

bool CNavigationBar::isWideStyle() const
{
    return NavigationBarSkin::isWideWindow(window()->width());
}

void CNavigationBar::layoutButtons()
{
    // The buttons sit side by side from the left edge; the group is then moved over the
    // control-area image, centred, each button centred in the buttons' band.
    const bool wide = isWideStyle();
    const int areaWidth = skin_.controlAreaWidth(wide);
    const int dx = (width() - areaWidth) / 2 + (wide ? kGroupOffsetWide : kGroupOffsetNarrow);
    int x = 0;
    for (auto& b : buttons_) {
        const QSize s = b.size();
        const int dy = (kButtonBandHeight - s.height()) / 2 + kButtonBandTop;
        b.rect = QRect(x + dx, dy, s.width(), s.height());
        x += s.width();
    }
}

void CNavigationBar::resizeEvent(QResizeEvent* event)
{
    const int w = width();
    slider_->setGeometry(0, kTopRowY, w - kTimeLabelSpace, kTopRowHeight);
    slider_->update();
    configureSlider();
    label_->setGeometry(w - kTimeLabelSpace, kTopRowY, kTimeLabelWidth, kTopRowHeight);
    layoutButtons();
    QWidget::resizeEvent(event);
}

void CNavigationBar::setButtonEnabled(Command id, bool enabled)
{
    auto* b = findButton(id);
    if (!b || b->enabled == enabled)
        return;
    b->enabled = enabled;
    if (!enabled && pressed_ == id)
        pressed_.reset();
    invalidateButton(id);
}

bool CNavigationBar::isButtonEnabled(Command id) const
{
    const auto* b = button(id);
    return b && b->enabled;
}

void CNavigationBar::setPlayIcon(int state)
{
    if (state == playIcon_)
        return;
    playIcon_ = state;
    invalidateButton(Command::Play);
}

void CNavigationBar::setSoundLevel(int level)
{
    if (level == soundLevel_)
        return;
    soundLevel_ = level;
    invalidateButton(Command::Sound);
}

int CNavigationBar::soundIconIndex(int level)
{
    if (level == -1)
        return 4;
    if (level > 0)
        return level * 3 / 100;
    return 0;
}

void CNavigationBar::setTimeText(const QString& text)
{
    label_->setText(text);
}

QString CNavigationBar::timeText() const
{
    return label_->text();
}

void CNavigationBar::invalidateButton(std::optional<Command> id)
{
    if (const auto* b = id ? button(*id) : nullptr)
        update(b->invalidationRect());
}

CNavigationBar::Cells CNavigationBar::cellsFor(Command id) const
{
    Cells c;
    const auto* b = button(id);
    if (!b)
        return c;
    if (!b->enabled) {
        c.face = 0;
        c.icon = 1;
    } else if (pressed_ == id && hot_ == id) {
        c.face = 3;
    } else if (hot_ == id) {
        c.face = 2;
    }
    if (id == Command::Play && playIcon_ == 0)
        c.icon += 2;
    if (b->partner) {
        // The two halves of the split button light up together: the partner of the hot half
        // shows cell 2, the hot half cell 3 and a pressed half cell 4.
        if (c.face < 2) {
            if (hot_ == b->partner && b->enabled)
                c.face = 2;
        } else {
            c.face += 1;
        }
    }
    if (id == Command::Sound)
        c.icon = soundIconIndex(soundLevel_);
    return c;
}

void CNavigationBar::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    skin_.paint(painter, rect(), isWideStyle());
    for (Command id : kPaintOrder) {
        const auto* b = button(id);
        if (!b)
            continue;
        const QRect r = b->paintRect();
        const Cells c = cellsFor(id);
        b->face.draw(painter, r, c.face);
        b->icon.draw(painter, r, c.icon);
        if (id == Command::Play && c.face == 2)
            playGlow_.draw(painter, r.translated(0, 1).marginsAdded(kPlayGlowGrow), 0);
    }
}

std::optional<Command> CNavigationBar::buttonAt(const QPoint& p) const
{
    for (const auto& b : buttons_)
        if (!b.isSeparator() && b.rect.contains(p))
            return b.command;
    return std::nullopt;
}

void CNavigationBar::setHot(std::optional<Command> id)
{
    if (id == hot_)
        return;
    const std::optional<Command> old = hot_;
    hot_ = id;
    invalidateButton(old);
    invalidateButton(id);
}

void CNavigationBar::mousePressEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton)
        return;
    const std::optional<Command> id = buttonAt(event->position().toPoint());
    setHot(id);
    if (id && isButtonEnabled(*id)) {
        pressed_ = id;
        invalidateButton(id);
    }
}

void CNavigationBar::mouseMoveEvent(QMouseEvent* event)
{
    setHot(buttonAt(event->position().toPoint()));
}

void CNavigationBar::mouseReleaseEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton)
        return;
    const std::optional<Command> id = buttonAt(event->position().toPoint());
    const std::optional<Command> pressed = pressed_;
    pressed_.reset();
    invalidateButton(pressed);
    if (pressed && id == pressed && isButtonEnabled(*id))
        emit commandIssued(*id);
}

void CNavigationBar::leaveEvent(QEvent* event)
{
    setHot(std::nullopt);
    QWidget::leaveEvent(event);
}

bool CNavigationBar::event(QEvent* event)
{
    if (event->type() == QEvent::ToolTip) {
        auto* help = static_cast<QHelpEvent*>(event);
        const std::optional<Command> id = buttonAt(help->pos());
        const auto* b = id ? button(*id) : nullptr;
        if (b)
            QToolTip::showText(help->globalPos(), b->text, this, b->rect);
        else
            QToolTip::hideText();
        return true;
    }
    return QWidget::event(event);
}
