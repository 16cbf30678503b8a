#include "SortableListView.h"

#include "RowCompare.h"
#include "SortArrowHeader.h"

#include <algorithm>

namespace {

// A row and the copies of its texts that sorting reads.
class RowItem : public QTreeWidgetItem {
public:
    static constexpr int kType = QTreeWidgetItem::UserType;
    explicit RowItem(const QStringList& texts) : QTreeWidgetItem(texts, kType), copies(texts) {}
    const QStringList copies;
};

// The texts a row sorts by: its copies, or what it shows when it was not added by AddRow.
QStringList copiesOf(const QTreeWidgetItem* item)
{
    if (item->type() == RowItem::kType)
        return static_cast<const RowItem*>(item)->copies;
    QStringList shown;
    for (int i = 0; i < item->columnCount(); ++i)
        shown << item->text(i);
    return shown;
}

QString copyOf(const QTreeWidgetItem* item, int column)
{
    const QStringList copies = copiesOf(item);
    return column < copies.size() ? copies[column] : QString();
}

}  // namespace

SortableListView::SortableListView(int controlId, QWidget* parent)
    : QTreeWidget(parent), controlId_(controlId)
{
    header_ = new SortArrowHeader(this);
    setHeader(header_);
    header_->setStretchLastSection(false);
    setColumnCount(0);
    setRootIsDecorated(false);
    setItemsExpandable(false);
    setUniformRowHeights(true);
    // The list sorts itself, by CompareRows; the view's own sorting would make the header
    // unclickable again.
    setSortingEnabled(false);
    header_->setSectionsClickable(true);
    connect(header_, &QHeaderView::sectionClicked, this, &SortableListView::columnClicked);
}

bool SortableListView::SetColumns(const QString& pairs)
{
    qsizetype at = 0;
    for (;;) {
        const qsizetype comma = pairs.indexOf(QLatin1Char(','), at);
        if (comma < 0)
            return true;
        const QString title = pairs.mid(at, comma - at);
        const qsizetype semicolon = pairs.indexOf(QLatin1Char(';'), comma + 1);
        const QString width = semicolon < 0 ? pairs.mid(comma + 1)
                                            : pairs.mid(comma + 1, semicolon - comma - 1);
        const int column = columnCount_;
        setColumnCount(column + 1);
        headerItem()->setText(column, title);
        headerItem()->setTextAlignment(column, Qt::AlignLeft | Qt::AlignVCenter);
        setColumnWidth(column, leadingNumber(width));
        ++columnCount_;
        if (semicolon < 0)
            return true;
        at = semicolon + 1;
    }
}

int SortableListView::AddRow(const QStringList& texts)
{
    if (texts.size() != columnCount_ || columnCount_ == 0)
        return -1;
    addTopLevelItem(new RowItem(texts));
    return topLevelItemCount() - 1;
}

void SortableListView::SortByColumn(int column, bool ascending)
{
    sortColumn_ = column;
    ascending_ = ascending;
    header_->SetSortMark(column, ascending);
    QList<QTreeWidgetItem*> rows = invisibleRootItem()->takeChildren();
    // A stable merge sort: CompareRows picks its kind of comparison from one operand, so it
    // need not be a strict ordering, which a merge copes with.
    std::stable_sort(rows.begin(), rows.end(), [&](const QTreeWidgetItem* a, const QTreeWidgetItem* b) {
        return CompareRows(copyOf(a, column), copyOf(b, column), ascending) < 0;
    });
    invisibleRootItem()->addChildren(rows);
}

void SortableListView::LoadColumnWidths(const ProfileReader& profile)
{
    if (!profile)
        return;
    const QByteArray stored =
        profile(QString::fromLatin1(kWidthSection), QString::number(controlId_));
    if (!stored.isEmpty())
        header_->restoreWidths(stored);
}

QStringList SortableListView::rowTexts(int row) const
{
    const QTreeWidgetItem* item = topLevelItem(row);
    return item ? copiesOf(item) : QStringList();
}

void SortableListView::columnClicked(int column)
{
    const bool ascending = column == sortColumn_ ? !ascending_ : true;
    SortByColumn(column, ascending);
}
