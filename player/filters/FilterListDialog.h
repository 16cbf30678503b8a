// "Filters": a modal dialog listing every installed media filter and every video compressor
// by name in a list sortable by column ("Name", "Categories"). Rows come in the library's
// order, filters first; nothing is sorted until a header is clicked. OK and Cancel both just
// close it.
#pragma once

#include "FilterCatalog.h"
#include "SortableListView.h"

#include <QDialog>

class QPushButton;

class FilterListDialog : public QDialog {
    Q_OBJECT
public:
    static constexpr int kListId = 1123;
    static constexpr const char* kColumns = "Name,300;Categories,300;";
    static constexpr const char* kFilterCategory = "DirectShow Filters";
    static constexpr const char* kCompressorCategory = "Video Compressors";

    // profile gives the stored column widths, if any; source the filters' names.
    FilterListDialog(QWidget* parent, SortableListView::ProfileReader profile,
                     filtercatalog::Source source = filtercatalog::installed);

    SortableListView* list() const { return list_; }
    QPushButton* okButton() const { return ok_; }
    QPushButton* cancelButton() const { return cancel_; }

private:
    void fillList(const SortableListView::ProfileReader& profile,
                  const filtercatalog::Source& source);

    SortableListView* list_ = nullptr;
    QPushButton* ok_ = nullptr;
    QPushButton* cancel_ = nullptr;
};
