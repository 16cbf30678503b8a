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
    if (isLoaded())
        paint(painter, image_, image_.rect(), margins_, target);
}

void NineGrid::paint(QPainter& painter, const QImage& image, const QRect& source,
                     QMargins margins, const QRect& target)
{
    if (image.isNull() || source.isEmpty() || target.isEmpty())
        return;
    const int l = margins.left(), t = margins.top(), r = margins.right(), b = margins.bottom();
    // Source and target column and row edges.
    const int sx[4] = {source.left(), source.left() + l, source.right() + 1 - r,
                       source.right() + 1};
    const int sy[4] = {source.top(), source.top() + t, source.bottom() + 1 - b,
                       source.bottom() + 1};
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
            painter.drawImage(dst, image, src);
        }
    }
}
