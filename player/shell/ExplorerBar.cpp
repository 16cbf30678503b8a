#include "ExplorerBar.h"

#include "ExplorerButtons.h"
#include "ExplorerMenus.h"
#include "LanguageTables.h"
#include "ProductLinks.h"
#include "VisualManager.h"

#include <QEvent>
#include <QLayout>
#include <QMenu>
#include <QPainter>
#include <QTimer>

namespace {

// Interval of the idle refresh of the bar's own command states.
constexpr int kIdleRefreshMs = 200;

}  // namespace

CExplorerBar::CExplorerBar(QWidget* parent) : QToolBar(parent)
{
    setObjectName(QStringLiteral("ExplorerBar"));
    setMovable(false);
    setFloatable(false);
    setAllowedAreas(Qt::TopToolBarArea);
    setOrientation(Qt::Horizontal);
    setContentsMargins(4, 0, 0, 0);
    layout()->setSpacing(0);
    layout()->setContentsMargins(0, 0, 0, 0);
    setFixedHeight(kRowHeight);

    back_ = new CExplorerNavigationButton(Command::Back, this);
    forward_ = new CExplorerNavigationButton(Command::Forward, this);
    addWidget(back_);
    addWidget(forward_);
    for (CExplorerNavigationButton* button : {back_, forward_})
        connect(button, &QToolButton::clicked, this,
                [this, button] { emit commandTriggered(button->commandId()); });

    idleTimer_ = new QTimer(this);
    idleTimer_->setInterval(kIdleRefreshMs);
    connect(idleTimer_, &QTimer::timeout, this, &CExplorerBar::refreshCommandStates);
    idleTimer_->start();
}

void CExplorerBar::setCommandUpdater(CommandUpdater updater)
{
    updater_ = std::move(updater);
    refreshCommandStates();
}

void CExplorerBar::InsertInitialButtons()
{
    const char* captions[lang::MenuButtonCount] = {"Open Media", "&View", "&Plugin", "&help"};
    for (int b = 0; b < lang::MenuButtonCount; ++b)
        insertMenuButton(QString::fromLatin1(captions[b]),
                         explorer::buildMenu(static_cast<lang::MenuButton>(b), 0, nullptr));

    homeLink_ = new CExplorerToolbarButton(Command::ProductSite, true, this);
    homeLink_->setFixedHeight(kRowHeight);
    homeLink_->setToolTip(product::kHomePageCaption);
    connect(homeLink_, &QToolButton::clicked, this,
            [this] { emit commandTriggered(Command::ProductSite); });
    homeLink_->show();
    placeHomeLink();
    refreshCommandStates();
}

void CExplorerBar::RebuildMenus(int language)
{
    removeAllButtons();
    if (lang::isValid(language)) {
        for (int b = 0; b < lang::MenuButtonCount; ++b) {
            const auto button = static_cast<lang::MenuButton>(b);
            insertMenuButton(QString::fromUtf8(lang::menuButtonCaption(language, button)),
                             explorer::buildMenu(button, language, nullptr));
        }
    }
    update();
}

void CExplorerBar::removeAllButtons()
{
    // A language may be chosen from one of these very menus while it is still open, so the
    // buttons (and their menus) go only once control is back in the event loop. Deleting the
    // widget action deletes its button.
    for (QAction* action : menuActions_) {
        removeAction(action);
        action->deleteLater();
    }
    menuActions_.clear();
    menuButtons_.clear();
    if (homeLink_) {
        homeLink_->hide();
        homeLink_->deleteLater();
        homeLink_ = nullptr;
    }
}

void CExplorerBar::insertMenuButton(const QString& caption, QMenu* menu)
{
    auto* button = new CExplorerToolbarMenuButton(caption, menu, this);
    button->setFixedHeight(kRowHeight);
    if (menu)
        watchMenu(menu);
    if (menu && menuButtons_.empty())
        connect(menu, &QMenu::aboutToShow, this, [this, menu] { emit fileMenuAboutToShow(menu); });
    menuButtons_.push_back(button);
    menuActions_.push_back(addWidget(button));
}

void CExplorerBar::watchMenu(QMenu* menu)
{
    connect(menu, &QMenu::aboutToShow, this, [this, menu] { updateMenuStates(menu); });
    connect(menu, &QMenu::triggered, this, [this, menu](QAction* action) {
        // A submenu's triggered signal also reaches its parent menu: act only once.
        if (const auto id = explorer::commandIdOf(action); id && action->parent() == menu)
            emit commandTriggered(*id);
    });
    for (QAction* action : menu->actions())
        if (action->menu())
            watchMenu(action->menu());
}

void CExplorerBar::updateMenuStates(QMenu* menu)
{
    for (QAction* action : menu->actions()) {
        const std::optional<Command> id = explorer::commandIdOf(action);
        if (!id)
            continue;
        const CommandState state = updater_ ? updater_(*id) : CommandState{};
        action->setEnabled(state.enabled);
        action->setCheckable(state.checked);
        action->setChecked(state.checked);
    }
}

void CExplorerBar::refreshCommandStates()
{
    if (!updater_)
        return;
    back_->setEnabled(updater_(Command::Back).enabled);
    forward_->setEnabled(updater_(Command::Forward).enabled);
    if (homeLink_)
        homeLink_->setEnabled(updater_(Command::ProductSite).enabled);
}

void CExplorerBar::placeHomeLink()
{
    if (!homeLink_)
        return;
    const QRect client = contentsRect();
    QRect target(0, 0, homeLink_->width(), kRowHeight);
    target.moveRight(rect().right());
    target.moveTop(client.top());
    if (homeLink_->geometry() != target)
        homeLink_->setGeometry(target);
    // Shown only while the last menu button ends left of it.
    const CExplorerToolbarMenuButton* last = menuButtons_.empty() ? nullptr : menuButtons_.back();
    const bool fits = last && !last->isHidden() && last->geometry().right() < target.left();
    homeLink_->setVisible(fits);
    homeLink_->raise();
}

void CExplorerBar::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    if (const CVisualManager* skin = CVisualManager::instance()) {
        skin->paintExplorerBar(painter, rect());
        return;
    }
    // Without a skin: a dark glossy band.
    QLinearGradient band(0, 0, 0, height());
    band.setColorAt(0.0, QColor(62, 72, 88));
    band.setColorAt(0.48, QColor(36, 42, 54));
    band.setColorAt(0.52, QColor(24, 28, 37));
    band.setColorAt(1.0, QColor(16, 19, 26));
    painter.fillRect(rect(), band);
    painter.setPen(QColor(90, 104, 126));
    painter.drawLine(0, 0, width(), 0);
}

void CExplorerBar::resizeEvent(QResizeEvent* event)
{
    QToolBar::resizeEvent(event);
    placeHomeLink();
}

bool CExplorerBar::event(QEvent* event)
{
    const bool handled = QToolBar::event(event);
    if (event->type() == QEvent::LayoutRequest)
        placeHomeLink();
    return handled;
}
