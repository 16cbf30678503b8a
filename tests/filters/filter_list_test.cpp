// The "Filters" dialog on the real media registry, and its sortable list: columns from their
// description, sorting by header clicks with the triangle drawn where it belongs, and stored
// column widths used only when they fit.
#include "Eventually.h"
#include "FilterListDialog.h"
#include "RowCompare.h"
#include "SortArrowHeader.h"
#include "SortableListView.h"

#include <QDataStream>
#include <QDir>
#include <QPushButton>
#include <QTest>

#include <gtest/gtest.h>

namespace {

const QColor kFace(200, 200, 200);
const QColor kHighlight(0, 255, 0);
const QColor kShadow(0, 0, 255);

// Widths as the header stores them: the count, then each width, 32-bit little-endian.
QByteArray widthStream(std::initializer_list<qint32> widths, qint32 count)
{
    QByteArray bytes;
    QDataStream out(&bytes, QIODevice::WriteOnly);
    out.setByteOrder(QDataStream::LittleEndian);
    out << count;
    for (qint32 w : widths)
        out << w;
    return bytes;
}

SortableListView::ProfileReader storing(const QByteArray& value)
{
    return [value](const QString& section, const QString& key) {
        return section == "ListCtrls" && key == "1123" ? value : QByteArray();
    };
}

QStringList column(const SortableListView& list, int index)
{
    QStringList texts;
    for (int row = 0; row < list.rowCount(); ++row)
        texts << list.topLevelItem(row)->text(index);
    return texts;
}

// Where the triangle of a header item lies: its right and bottom edges (just outside it),
// top and a quarter of its height.
struct ItemEdges {
    int r, b, t, o;
};

ItemEdges edgesOf(const SortArrowHeader& header, int section)
{
    const int left = header.sectionViewportPosition(section);
    const int h = header.height();
    return {left + header.sectionSize(section), h, 0, h / 4};
}

class SortableListTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        list.resize(700, 300);
        ASSERT_TRUE(list.SetColumns("Name,300;Size,150;Date,200"));
        for (const QStringList& row : {QStringList{"beta", "10", "01/02/2003"},
                                       QStringList{"alpha", "9", "31/12/2002"},
                                       QStringList{"gamma", "", "15/06/2002"}})
            list.AddRow(row);
        QPalette palette = list.sortHeader()->palette();
        palette.setColor(QPalette::Button, kFace);
        palette.setColor(QPalette::Light, kHighlight);
        palette.setColor(QPalette::Dark, kShadow);
        palette.setColor(QPalette::ButtonText, Qt::black);
        list.sortHeader()->setPalette(palette);
        list.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&list));
    }
    void clickHeader(int section)
    {
        SortArrowHeader* header = list.sortHeader();
        const QPoint centre(header->sectionViewportPosition(section) + header->sectionSize(section) / 2,
                            header->height() / 2);
        QTest::mouseClick(header->viewport(), Qt::LeftButton, {}, centre);
    }
    QColor at(int x, int y) { return list.sortHeader()->grab().toImage().pixelColor(x, y); }

    SortableListView list{1123};
};

}  // namespace

TEST(SortableList, ColumnsComeFromTitleAndWidthPairs)
{
    SortableListView two(1123);
    EXPECT_TRUE(two.SetColumns("Name,300;Categories,300;"));
    ASSERT_EQ(two.columnsSet(), 2);
    EXPECT_EQ(two.headerItem()->text(0), "Name");
    EXPECT_EQ(two.headerItem()->text(1), "Categories");
    EXPECT_EQ(two.columnWidth(0), 300);
    EXPECT_EQ(two.columnWidth(1), 300);

    SortableListView one(1123);
    EXPECT_TRUE(one.SetColumns("Name,300"));
    ASSERT_EQ(one.columnsSet(), 1);
    EXPECT_EQ(one.columnWidth(0), 300);

    // A row needs one text per column.
    EXPECT_EQ(two.AddRow({"a", "b"}), 0);
    EXPECT_EQ(two.AddRow({"c", "d"}), 1);
    EXPECT_EQ(two.AddRow({"only one"}), -1);
    EXPECT_EQ(two.rowCount(), 2);
}

// One click on a header sorts that column ascending with an upward triangle, a second click
// descending with a downward one; another column then sorts ascending and takes the triangle.
TEST_F(SortableListTest, HeaderClicksSortAndMoveTheTriangle)
{
    EXPECT_EQ(list.sortColumn(), -1);
    clickHeader(1);
    EXPECT_EQ(column(list, 1), (QStringList{"", "9", "10"}));  // numbers, the empty one as 0
    EXPECT_EQ(list.sortColumn(), 1);
    EXPECT_TRUE(list.isAscending());
    ItemEdges e = edgesOf(*list.sortHeader(), 1);
    EXPECT_EVENTUALLY(at(e.r - e.o, e.b - e.o - 1) == kHighlight);  // right foot
    EXPECT_EQ(at(e.r - 3 * e.o - 1, e.b - e.o - 1), kShadow);       // left foot
    EXPECT_EQ(at(e.r - e.o - 1, e.t + e.o), kFace);                 // no corner at the top right

    clickHeader(1);
    EXPECT_EQ(column(list, 1), (QStringList{"10", "9", ""}));
    EXPECT_FALSE(list.isAscending());
    EXPECT_EVENTUALLY(at(e.r - e.o - 1, e.t + e.o) == kHighlight);  // top right corner
    EXPECT_EQ(at(e.r - 2 * e.o, e.t + e.o), kShadow);               // the top edge
    EXPECT_EQ(at(e.r - 2 * e.o - 2, e.b - e.o), kShadow);           // the point below
    EXPECT_EQ(at(e.r - e.o, e.b - e.o - 1), kFace);                 // no foot at the bottom

    clickHeader(2);
    EXPECT_EQ(column(list, 2), (QStringList{"15/06/2002", "31/12/2002", "01/02/2003"}));
    EXPECT_TRUE(list.isAscending());
    const ItemEdges d = edgesOf(*list.sortHeader(), 2);
    EXPECT_EVENTUALLY(at(d.r - d.o, d.b - d.o - 1) == kHighlight);
    // The size column still draws its own face, now without a triangle.
    EXPECT_EQ(at(e.r - 2 * e.o, e.t + e.o), kFace);
    EXPECT_EQ(at(e.r - e.o - 1, e.t + e.o), kFace);
    EXPECT_EQ(at(e.r - e.o, e.b - e.o - 1), kFace);

    clickHeader(0);
    EXPECT_EQ(column(list, 0), (QStringList{"alpha", "beta", "gamma"}));
    // Sorting reorders the rows' own copies with them.
    EXPECT_EQ(list.rowTexts(0), (QStringList{"alpha", "9", "31/12/2002"}));
}

// Sorting reads the rows' copies, not what the cells show now.
TEST_F(SortableListTest, SortingReadsTheRowsCopies)
{
    list.topLevelItem(0)->setText(0, "zzz");  // "beta" shown as "zzz"
    list.SortByColumn(0, true);
    EXPECT_EQ(column(list, 0), (QStringList{"alpha", "zzz", "gamma"}));
}

TEST_F(SortableListTest, StoredWidthsAreUsedOnlyWhenTheirCountMatches)
{
    EXPECT_EQ(list.sortHeader()->saveWidths(), widthStream({300, 150, 200}, 3));
    list.LoadColumnWidths(storing(widthStream({40, 50, 60, 70}, 4)));
    EXPECT_EQ(list.columnWidth(0), 300);
    list.LoadColumnWidths(storing(widthStream({40, 50}, 2)));
    EXPECT_EQ(list.columnWidth(1), 150);
    list.LoadColumnWidths(storing(widthStream({40}, 3)));  // cut short
    EXPECT_EQ(list.columnWidth(0), 300);
    list.LoadColumnWidths(storing(QByteArray()));
    EXPECT_EQ(list.columnWidth(2), 200);
    list.LoadColumnWidths(storing(widthStream({40, 50, 60}, 3)));
    EXPECT_EQ(list.columnWidth(0), 40);
    EXPECT_EQ(list.columnWidth(1), 50);
    EXPECT_EQ(list.columnWidth(2), 60);
}

// The dialog on the installed registry: every element under the filter category, the video
// encoders again under the compressors, filters first and unsorted until a click.
TEST(FilterListDialog, ListsTheInstalledFiltersAndCompressors)
{
    FilterListDialog dialog(nullptr, storing(widthStream({120, 340, 99}, 3)));
    EXPECT_EQ(dialog.windowTitle(), "Filters");
    SortableListView* list = dialog.list();
    ASSERT_EQ(list->columnsSet(), 2);
    EXPECT_EQ(list->headerItem()->text(0), "Name");
    EXPECT_EQ(list->headerItem()->text(1), "Categories");
    EXPECT_EQ(list->columnWidth(0), 300);  // the stored widths are for three columns
    EXPECT_EQ(list->columnWidth(1), 300);
    EXPECT_EQ(list->selectionBehavior(), QAbstractItemView::SelectRows);

    const QStringList names = column(*list, 0);
    const QStringList categories = column(*list, 1);
    auto rowOf = [&](const QString& name, const QString& category) {
        for (int i = 0; i < names.size(); ++i)
            if (names[i] == name && categories[i] == category)
                return i;
        return -1;
    };
    EXPECT_GE(rowOf("Video test source", "DirectShow Filters"), 0);     // videotestsrc
    EXPECT_GE(rowOf("libav MPEG-4 part 2 encoder", "DirectShow Filters"), 0);
    EXPECT_GE(rowOf("libav MPEG-4 part 2 encoder", "Video Compressors"), 0);  // avenc_mpeg4
    EXPECT_EQ(rowOf("Video test source", "Video Compressors"), -1);
    EXPECT_EQ(rowOf("libav MPEG-4 part 2 decoder", "Video Compressors"), -1);
    const qsizetype firstCompressor = categories.indexOf("Video Compressors");
    ASSERT_GT(firstCompressor, 100);
    EXPECT_EQ(categories.lastIndexOf("DirectShow Filters"), firstCompressor - 1);
    EXPECT_EQ(list->sortColumn(), -1);

    dialog.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&dialog));
    const QString shots = qEnvironmentVariable("VELMORA_SCREENSHOT_DIR");
    if (!shots.isEmpty() && QDir().mkpath(shots))
        dialog.grab().save(QDir(shots).filePath("filters.png"));
    list->SortByColumn(0, true);
    const QStringList sorted = column(*list, 0);
    for (int i = 1; i < sorted.size(); ++i)
        ASSERT_LE(CompareRows(sorted[i - 1], sorted[i], true), 0) << i;
    if (!shots.isEmpty())
        dialog.grab().save(QDir(shots).filePath("filters-sorted.png"));
    QTest::mouseClick(dialog.cancelButton(), Qt::LeftButton);
    EXPECT_EQ(dialog.result(), QDialog::Rejected);
}

// A category that cannot be listed adds no rows; the other still does.
TEST(FilterListDialog, AnUnavailableCategoryAddsNoRows)
{
    FilterListDialog onlyCompressors(nullptr, {}, [](filtercatalog::Category c) -> std::optional<QStringList> {
        if (c == filtercatalog::Category::Filters)
            return std::nullopt;
        return QStringList{"x264 encoder"};
    });
    EXPECT_EQ(column(*onlyCompressors.list(), 1), QStringList{"Video Compressors"});
    FilterListDialog none(nullptr, {}, [](filtercatalog::Category) { return std::optional<QStringList>(); });
    EXPECT_EQ(none.list()->rowCount(), 0);
    EXPECT_EQ(none.list()->columnsSet(), 2);
}
