#include "NineGrid.h"

#include "Resources.h"

#include <QPainter>

bool NineGrid::load(const QString& name, QMargins margins)
{
    velmora::initResources();
    image_ = QImage(QStringLiteral(":/images/%1.png").arg(name));
    margins_ = margins;
    return isLoaded();
}

void NineGrid::draw(QPainter& painter, const QRect& target) const
{
    if (!isLoaded() || target.isEmpty())
        return;
    const int l = margins_.left(), t = margins_.top(), r = margins_.right(),
              b = margins_.bottom();
    const int sw = image_.width(), sh = image_.height();
    // Source and target column and row edges.
    const int sx[4] = {0, l, sw - r, sw};
    const int sy[4] = {0, t, sh - b, sh};
    const int tx[4] = {target.left(), target.left() + l, target.right() + 1 - r,
                       target.right() + 1};
    const int ty[4] = {target.top(), target.top() + t, target.bottom() + 1 - b,
                       target.bottom() + 1};
    for (int row = 0; row < 3; ++row) {
        for (int col = 0; col < 3; ++col) {
            const QRect src(sx[col], sy[row], sx[col + 1] - sx[col], sy[row + 1] - sy[row]);
            const QRect dst(tx[col], ty[row], tx[col + 1] - tx[col], ty[row + 1] - ty[row]);
            if (src.isEmpty() || dst.isEmpty())
                continue;
            painter.drawImage(dst, image_, src);
        }
    }
}
