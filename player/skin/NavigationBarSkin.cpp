#include "NavigationBarSkin.h"

#include "Resources.h"
#include "VisualManager.h"

#include <QPainter>

NavigationBarSkin::NavigationBarSkin()
{
    back_[0].load(QStringLiteral("IDB_BACK_NAVI1"), QMargins(1, 36, 1, 14));
    back_[1].load(QStringLiteral("IDB_BACK_NAVI2"), QMargins(4, 36, 4, 14));
    controlArea_[0] = QImage(QStringLiteral(":/images/IDB_BACK_NAVI1_CTRL.png"));
    controlArea_[1] = QImage(QStringLiteral(":/images/IDB_BACK_NAVI2_CTRL.png"));
    progressBack_.load(QStringLiteral("IDB_NAVI_PROGRESS_BACK"), QMargins(10, 4, 10, 4));
}

int NavigationBarSkin::controlAreaWidth(bool wide) const
{
    return controlArea_[wide ? 1 : 0].width();
}

int NavigationBarSkin::backgroundHeight(bool wide) const
{
    return back_[wide ? 1 : 0].size().height();
}

void NavigationBarSkin::paint(QPainter& painter, const QRect& barRect, bool wide) const
{
    // The skin's recoloured pictures when there is a skin; the pictures as loaded otherwise.
    if (const CVisualManager* skin = CVisualManager::instance()) {
        skin->paintNavigationBar(painter, barRect, wide);
        return;
    }
    const int style = wide ? 1 : 0;
    if (back_[style].isLoaded())
        back_[style].draw(painter, barRect);
    else
        painter.fillRect(barRect, QColor(16, 18, 22));
    const QImage& ctrl = controlArea_[style];
    if (!ctrl.isNull()) {
        const int x = barRect.left() + (barRect.width() - ctrl.width()) / 2;
        painter.drawImage(QPoint(x, barRect.top()), ctrl);
    }
    const int groove = progressBack_.size().height();
    progressBack_.draw(painter, QRect(barRect.left(), barRect.top() + 2, barRect.width(), groove));
}
