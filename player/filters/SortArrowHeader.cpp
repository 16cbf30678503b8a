#include "SortArrowHeader.h"

#include <QDataStream>
#include <QMouseEvent>
#include <QPainter>

#include <algorithm>
#include <cstdlib>

namespace {

// A one-pixel line from `from` up to, but not including, `to`, as the classic line-drawing
// call plots it; the next segment starts on the left-out point.
void lineTo(QPainter* painter, QPoint from, QPoint to)
{
    const int dx = std::abs(to.x() - from.x());
    const int dy = -std::abs(to.y() - from.y());
    const int sx = from.x() < to.x() ? 1 : -1;
    const int sy = from.y() < to.y() ? 1 : -1;
    int error = dx + dy;
    QPoint p = from;
    while (p != to) {
        painter->drawPoint(p);
        const int twice = 2 * error;
        if (twice >= dy) {
            error += dy;
            p.rx() += sx;
        }
        if (twice <= dx) {
            error += dx;
            p.ry() += sy;
        }
    }
}

void polyline(QPainter* painter, std::initializer_list<QPoint> points)
{
    const QPoint* previous = nullptr;
    for (const QPoint& p : points) {
        if (previous)
            lineTo(painter, *previous, p);
        previous = &p;
    }
}

}  // namespace

SortArrowHeader::SortArrowHeader(QWidget* parent) : QHeaderView(Qt::Horizontal, parent)
{
    setSectionsClickable(true);
    setHighlightSections(false);
}

void SortArrowHeader::SetSortMark(int column, bool ascending)
{
    sortColumn_ = column;
    ascending_ = ascending;
    ownerDrawn_.insert(column);
    viewport()->update();
}

void SortArrowHeader::paintSection(QPainter* painter, const QRect& rect, int logicalIndex) const
{
    if (ownerDrawn_.contains(logicalIndex))
        drawOwnSection(painter, rect, logicalIndex);
    else
        QHeaderView::paintSection(painter, rect, logicalIndex);
}

void SortArrowHeader::drawOwnSection(QPainter* painter, const QRect& rect, int logicalIndex) const
{
    painter->save();
    painter->setClipRect(rect);
    painter->setRenderHint(QPainter::Antialiasing, false);
    painter->fillRect(rect, palette().color(QPalette::Button));

    const QString text = model() ? model()->headerData(logicalIndex, orientation()).toString()
                                 : QString();
    const auto format = model() ? Qt::Alignment(model()
                                                    ->headerData(logicalIndex, orientation(),
                                                                 Qt::TextAlignmentRole)
                                                    .toInt())
                                : Qt::Alignment();
    Qt::Alignment align = Qt::AlignLeft;
    if (format & Qt::AlignHCenter)
        align = Qt::AlignHCenter;
    else if (format & Qt::AlignRight)
        align = Qt::AlignRight;

    // Edges as the item rectangle gives them: right and bottom lie just outside the item.
    QRect label = rect;
    if (pressed_ == logicalIndex)
        label.adjust(1, 2, 1, 0);
    const int offset = rect.height() / 4;
    label.adjust(offset, 0, -offset, 0);
    if (logicalIndex == sortColumn_)
        label.adjust(0, 0, -3 * offset, 0);
    if (label.width() > 0) {
        painter->setPen(palette().color(QPalette::ButtonText));
        const QString shown = fontMetrics().elidedText(text, Qt::ElideRight, label.width());
        painter->drawText(label, int(align | Qt::AlignVCenter | Qt::TextSingleLine), shown);
    }
    if (logicalIndex == sortColumn_)
        drawTriangle(painter, rect, offset);
    painter->restore();
}

void SortArrowHeader::drawTriangle(QPainter* painter, const QRect& rect, int offset) const
{
    const int r = rect.x() + rect.width();
    const int b = rect.y() + rect.height();
    const int t = rect.y();
    const QPen highlight(palette().color(QPalette::Light), 1);
    const QPen shadow(palette().color(QPalette::Dark), 1);
    if (ascending_) {
        painter->setPen(highlight);
        polyline(painter, {QPoint(r - 2 * offset, t + offset), QPoint(r - offset, b - offset - 1),
                           QPoint(r - 3 * offset - 2, b - offset - 1)});
        painter->setPen(shadow);
        polyline(painter, {QPoint(r - 3 * offset - 1, b - offset - 1),
                           QPoint(r - 2 * offset, t + offset - 1)});
    } else {
        painter->setPen(highlight);
        polyline(painter, {QPoint(r - offset - 1, t + offset), QPoint(r - 2 * offset - 1, b - offset)});
        painter->setPen(shadow);
        polyline(painter, {QPoint(r - 2 * offset - 2, b - offset), QPoint(r - 3 * offset - 1, t + offset),
                           QPoint(r - offset - 1, t + offset)});
    }
}

void SortArrowHeader::mousePressEvent(QMouseEvent* event)
{
    pressed_ = logicalIndexAt(event->position().toPoint());
    QHeaderView::mousePressEvent(event);
    viewport()->update();
}

void SortArrowHeader::mouseReleaseEvent(QMouseEvent* event)
{
    pressed_ = -1;
    QHeaderView::mouseReleaseEvent(event);
    viewport()->update();
}

QByteArray SortArrowHeader::saveWidths() const
{
    QByteArray bytes;
    QDataStream out(&bytes, QIODevice::WriteOnly);
    out.setByteOrder(QDataStream::LittleEndian);
    out << qint32(count());
    for (int i = 0; i < count(); ++i)
        out << qint32(sectionSize(i));
    return bytes;
}

bool SortArrowHeader::restoreWidths(const QByteArray& stream)
{
    QDataStream in(stream);
    in.setByteOrder(QDataStream::LittleEndian);
    qint32 stored = 0;
    in >> stored;
    if (in.status() != QDataStream::Ok || stored != count())
        return false;
    QList<qint32> widths(stored);
    for (qint32& width : widths)
        in >> width;
    if (in.status() != QDataStream::Ok)
        return false;
    for (int i = 0; i < count(); ++i)
        resizeSection(i, std::max<qint32>(0, widths[i]));
    viewport()->update();
    return true;
}
