// A report-view list that sorts by any column when its header is clicked. Every row keeps its
// own copy of its texts, and sorting compares those copies (CompareRows), not what the cells
// show. The sorted column's header carries a triangle (SortArrowHeader).
#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <QTreeWidget>

#include <functional>

class SortArrowHeader;

class SortableListView : public QTreeWidget {
    Q_OBJECT
public:
    // Reads a binary value of the application's profile: section, key.
    using ProfileReader = std::function<QByteArray(const QString& section, const QString& key)>;
    static constexpr const char* kWidthSection = "ListCtrls";

    // controlId names the stored column widths ("1123" for id 1123).
    explicit SortableListView(int controlId, QWidget* parent = nullptr);

    // Appends one left-aligned column per "title,width;" pair (the last ";" may be missing).
    // True when the whole text was used.
    bool SetColumns(const QString& pairs);
    // Appends a row of exactly one text per column and returns its index; -1 for any other
    // number of texts.
    int AddRow(const QStringList& texts);
    // Sorts every row by column's texts and marks the header.
    void SortByColumn(int column, bool ascending);
    // Restores the column widths stored in the profile under "ListCtrls" and the control id,
    // when there is such a value and its count of columns matches.
    void LoadColumnWidths(const ProfileReader& profile);

    int controlId() const { return controlId_; }
    int columnsSet() const { return columnCount_; }
    int sortColumn() const { return sortColumn_; }
    bool isAscending() const { return ascending_; }
    SortArrowHeader* sortHeader() const { return header_; }
    int rowCount() const { return topLevelItemCount(); }
    // The copies row `row` sorts by (empty for no such row).
    QStringList rowTexts(int row) const;

private:
    // A header click: ascending on a new column, the other direction on the sorted one.
    void columnClicked(int column);

    SortArrowHeader* header_ = nullptr;
    int controlId_;
    int columnCount_ = 0;
    int sortColumn_ = -1;
    bool ascending_ = true;
};
