#include "FilterListDialog.h"

#include "DialogUnits.h"

#include <QPushButton>

FilterListDialog::FilterListDialog(QWidget* parent, SortableListView::ProfileReader profile,
                                   filtercatalog::Source source)
    : QDialog(parent)
{
    setWindowTitle(QStringLiteral("Filters"));
    setObjectName(QStringLiteral("FilterListDialog"));
    const DialogUnits du(font());
    setFixedSize(du.toPixelsX(432), du.toPixelsY(303));

    list_ = new SortableListView(kListId, this);
    list_->setObjectName(QStringLiteral("control%1").arg(kListId));
    list_->setGeometry(du.toPixels(0, 0, 432, 287));

    ok_ = new QPushButton(QStringLiteral("OK"), this);
    ok_->setGeometry(du.toPixels(327, 289, 50, 14));
    ok_->setDefault(true);
    connect(ok_, &QPushButton::clicked, this, &QDialog::accept);
    cancel_ = new QPushButton(QStringLiteral("Cancel"), this);
    cancel_->setGeometry(du.toPixels(382, 289, 50, 14));
    connect(cancel_, &QPushButton::clicked, this, &QDialog::reject);

    fillList(profile, source);
}

void FilterListDialog::fillList(const SortableListView::ProfileReader& profile,
                                const filtercatalog::Source& source)
{
    // Whole rows are selected.
    list_->setSelectionBehavior(QAbstractItemView::SelectRows);
    list_->setAllColumnsShowFocus(true);
    list_->SetColumns(QString::fromLatin1(kColumns));
    list_->LoadColumnWidths(profile);
    if (!source)
        return;
    // An unavailable category adds no rows; the other is still listed.
    const std::pair<filtercatalog::Category, const char*> categories[] = {
        {filtercatalog::Category::Filters, kFilterCategory},
        {filtercatalog::Category::VideoCompressors, kCompressorCategory},
    };
    for (const auto& [category, caption] : categories)
        if (const std::optional<QStringList> names = source(category))
            for (const QString& name : *names)
                list_->AddRow({name, QString::fromLatin1(caption)});
}
