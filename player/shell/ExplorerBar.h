// The explorer toolbar at the top of the main window. It carries the round back and forward
// buttons and all of the program's menus on four menu buttons, plus at start-up the narrow
// product-site button kept at the right edge while it fits.
// RebuildMenus replaces the menu buttons with those of another language.
//
// Commands leave the bar through commandTriggered; their enabled and checked states come
// from the command updater (the frame's command routing), asked when a menu opens and on a
// short idle timer for the bar's own buttons.
#pragma once

#include "CommandTarget.h"

#include <QMenu>
#include <QToolBar>

#include <functional>
#include <vector>

class CExplorerNavigationButton;
class CExplorerToolbarButton;
class CExplorerToolbarMenuButton;
class QTimer;

class CExplorerBar : public QToolBar {
    Q_OBJECT
public:
    static constexpr int kRowHeight = 36;

    explicit CExplorerBar(QWidget* parent = nullptr);

    using CommandUpdater = std::function<CommandState(Command id)>;
    void setCommandUpdater(CommandUpdater updater);

    // The start-up buttons: "Open Media", "&View", "&Plugin", "&help" and the product-site
    // button.
    void InsertInitialButtons();
    // Removes every button and inserts the four menu buttons of language 0 to 5; any other
    // index leaves the bar without menu buttons.
    void RebuildMenus(int language);

    // Asks the updater for the states of the bar's own buttons (back, forward, product site).
    void refreshCommandStates();

    const std::vector<CExplorerToolbarMenuButton*>& menuButtons() const { return menuButtons_; }
    CExplorerToolbarButton* homeLinkButton() const { return homeLink_; }
    CExplorerNavigationButton* backButton() const { return back_; }
    CExplorerNavigationButton* forwardButton() const { return forward_; }

signals:
    void commandTriggered(Command id);
    // The first menu button's menu (Open Media) is about to show, its states updated: the
    // frame adds the recent files to it.
    void fileMenuAboutToShow(QMenu* menu);

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    bool event(QEvent* event) override;

private:
    void removeAllButtons();
    void insertMenuButton(const QString& caption, QMenu* menu);
    void watchMenu(QMenu* menu);
    void updateMenuStates(QMenu* menu);
    void placeHomeLink();

    CommandUpdater updater_;
    CExplorerNavigationButton* back_ = nullptr;
    CExplorerNavigationButton* forward_ = nullptr;
    std::vector<CExplorerToolbarMenuButton*> menuButtons_;
    std::vector<QAction*> menuActions_;
    CExplorerToolbarButton* homeLink_ = nullptr;
    QTimer* idleTimer_ = nullptr;
};
