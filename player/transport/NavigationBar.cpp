#include "NavigationBar.h"

#include "CommandIds.h"
#include "ProgressSlider.h"
#include "TimeLabel.h"

#include <QHelpEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QToolTip>

const QString CNavigationBar::kZeroTime = QStringLiteral("00:00:00-00:00:00");

CNavigationBar::CNavigationBar(QWidget* parent) : QWidget(parent)
{
    setMouseTracking(true);
    setAttribute(Qt::WA_OpaquePaintEvent);
    slider_ = new CProgressSlider(Qt::Horizontal, QRect(0, 0, 2000, 13), this);
    configureSlider();
    slider_->setPos(0, true);
    slider_->setEnabled(false);
    label_ = new CTimeLabel(kZeroTime, this);
    label_->setGeometry(0, 0, 2000, 13);
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
    buttons_.clear();
    buttons_.push_back(B::make(cmd::Stop, tr("Stop"), "IDB_BTN_NORMAL", {25, 25},
                               "IDB_NAVI_STOP_ICON", {25, 25}));
    buttons_.push_back(B::separator());
    buttons_.push_back(B::make(cmd::Previous, tr("Previous"), "IDB_NAVI_PREV", {54, 27},
                               "IDB_NAVI_PREV_ICON", {54, 25}));
    buttons_.push_back(B::make(cmd::Play, tr("Play"), "IDB_NAVI_PLAY", {42, 43},
                               "IDB_NAVI_PLAY_ICON", {42, 43}));
    buttons_.push_back(B::make(cmd::Next, tr("Next"), "IDB_NAVI_NEXT", {54, 27},
                               "IDB_NAVI_NEXT_ICON", {54, 25}));
    buttons_.push_back(B::separator());
    buttons_.push_back(B::make(cmd::Sound, tr("Sound"), "IDB_BTN_SPLIT", {24, 25},
                               "IDB_NAVI_SOUND_ICON", {25, 25}));
    buttons_.push_back(B::make(cmd::Volume, tr("Volume"), "IDB_BTN_SPLIT_M", {15, 25}, QString(),
                               {}));
    playGlow_.load(QStringLiteral("IDB_NAVI_PLAY_H"), {52, 52});
    layoutButtons();
    update();
}

const CNavigationToolbarButton* CNavigationBar::button(int id) const
{
    for (const auto& b : buttons_)
        if (!b.isSeparator() && b.id == id)
            return &b;
    return nullptr;
}

CNavigationToolbarButton* CNavigationBar::findButton(int id)
{
    return const_cast<CNavigationToolbarButton*>(std::as_const(*this).button(id));
}

QRect CNavigationBar::buttonRect(int id) const
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
    // control-area image, centred, each button centred in a 43-pixel band 14 pixels down.
    const bool wide = isWideStyle();
    const int areaWidth = skin_.controlAreaWidth(wide);
    const int dx = (width() - areaWidth) / 2 + (wide ? 101 : 24);
    int x = 0;
    for (auto& b : buttons_) {
        const QSize s = b.size();
        const int dy = (43 - s.height()) / 2 + 14;
        b.rect = QRect(x + dx, dy, s.width(), s.height());
        x += s.width();
    }
}

void CNavigationBar::resizeEvent(QResizeEvent* event)
{
    const int w = width();
    slider_->setGeometry(0, 1, w - 87, 12);
    slider_->update();
    configureSlider();
    label_->setGeometry(w - 87, 1, 120, 12);
    layoutButtons();
    QWidget::resizeEvent(event);
}

void CNavigationBar::setButtonEnabled(int id, bool enabled)
{
    auto* b = findButton(id);
    if (!b || b->enabled == enabled)
        return;
    b->enabled = enabled;
    if (!enabled && pressed_ == id)
        pressed_ = 0;
    invalidateButton(id);
}

bool CNavigationBar::isButtonEnabled(int id) const
{
    const auto* b = button(id);
    return b && b->enabled;
}

void CNavigationBar::setPlayIcon(int state)
{
    if (state == playIcon_)
        return;
    playIcon_ = state;
    invalidateButton(cmd::Play);
}

void CNavigationBar::setSoundLevel(int level)
{
    if (level == soundLevel_)
        return;
    soundLevel_ = level;
    invalidateButton(cmd::Sound);
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

void CNavigationBar::invalidateButton(int id)
{
    if (const auto* b = button(id))
        update(b->invalidationRect());
}

CNavigationBar::Cells CNavigationBar::cellsFor(int id) const
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
    if (id == cmd::Play && playIcon_ == 0)
        c.icon += 2;
    if (id == cmd::Sound || id == cmd::Volume) {
        // The two halves of the split button light up together: the partner of the hot half
        // shows cell 2, the hot half cell 3 and a pressed half cell 4.
        const int partner = id == cmd::Sound ? cmd::Volume : cmd::Sound;
        if (c.face < 2) {
            if (hot_ == partner && b->enabled)
                c.face = 2;
        } else {
            c.face += 1;
        }
    }
    if (id == cmd::Sound)
        c.icon = soundIconIndex(soundLevel_);
    return c;
}

void CNavigationBar::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    skin_.paint(painter, rect(), isWideStyle());
    for (int id : {cmd::Stop, cmd::Previous, cmd::Next, cmd::Play, cmd::Sound, cmd::Volume}) {
        const auto* b = button(id);
        if (!b)
            continue;
        QRect r = b->rect;
        if (id == cmd::Previous)
            r.adjust(0, 0, 1, 0);
        else if (id == cmd::Play)
            r.adjust(-1, 0, 1, 0);
        else if (id == cmd::Next)
            r.adjust(-1, 0, 0, 0);
        const Cells c = cellsFor(id);
        b->face.draw(painter, r, c.face);
        b->icon.draw(painter, r, c.icon);
        if (id == cmd::Play && c.face == 2)
            playGlow_.draw(painter, r.translated(0, 1).adjusted(-5, -5, 5, 5), 0);
    }
}

int CNavigationBar::buttonAt(const QPoint& p) const
{
    for (const auto& b : buttons_)
        if (!b.isSeparator() && b.rect.contains(p))
            return b.id;
    return 0;
}

void CNavigationBar::setHot(int id)
{
    if (id == hot_)
        return;
    const int old = hot_;
    hot_ = id;
    invalidateButton(old);
    invalidateButton(id);
}

void CNavigationBar::mousePressEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton)
        return;
    const int id = buttonAt(event->position().toPoint());
    setHot(id);
    if (id && isButtonEnabled(id)) {
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
    const int id = buttonAt(event->position().toPoint());
    const int pressed = pressed_;
    pressed_ = 0;
    invalidateButton(pressed);
    if (pressed && id == pressed && isButtonEnabled(id))
        emit commandIssued(id);
}

void CNavigationBar::leaveEvent(QEvent* event)
{
    setHot(0);
    QWidget::leaveEvent(event);
}

bool CNavigationBar::event(QEvent* event)
{
    if (event->type() == QEvent::ToolTip) {
        auto* help = static_cast<QHelpEvent*>(event);
        const auto* b = button(buttonAt(help->pos()));
        if (b)
            QToolTip::showText(help->globalPos(), b->text, this, b->rect);
        else
            QToolTip::hideText();
        return true;
    }
    return QWidget::event(event);
}
