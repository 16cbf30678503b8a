// The sortable list's header. SetSortMark makes the sorted column's item drawn by this class
// (3D face, its title, and a triangle pointing up for ascending, down for descending); other
// items keep the style's look. Column widths can be saved to and restored from a byte stream:
// the item count, then each width, all 32-bit little-endian.
#pragma once

#include <QByteArray>
#include <QHeaderView>
#include <QSet>

class SortArrowHeader : public QHeaderView {
    Q_OBJECT
public:
    explicit SortArrowHeader(QWidget* parent = nullptr);

    // Marks column as the sorted one, in that direction, and repaints the header. The column
    // stays drawn by this class from then on.
    void SetSortMark(int column, bool ascending);
    int sortColumn() const { return sortColumn_; }
    bool isAscending() const { return ascending_; }
    bool isOwnerDrawn(int column) const { return ownerDrawn_.contains(column); }

    QByteArray saveWidths() const;
    // Applies the widths only when the stream's count equals the number of items; false
    // (and nothing changed) otherwise, or when the stream is too short.
    bool restoreWidths(const QByteArray& stream);

protected:
    void paintSection(QPainter* painter, const QRect& rect, int logicalIndex) const override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    void drawOwnSection(QPainter* painter, const QRect& rect, int logicalIndex) const;
    void drawTriangle(QPainter* painter, const QRect& rect, int offset) const;

    int sortColumn_ = -1;
    bool ascending_ = true;
    QSet<int> ownerDrawn_;
    int pressed_ = -1;  // the item under a held mouse button
};
