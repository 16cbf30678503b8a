#include "ShortcutsDialog.h"

#include "KeyboardShortcuts.h"

#include <QHeaderView>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

namespace {

enum Column { KeyColumn, ActionColumn, ColumnCount };

}  // namespace

ShortcutsDialog::ShortcutsDialog(QWidget* owner) : QDialog(owner)
{
    setObjectName(QStringLiteral("shortcutsDialog"));
    table_ = new QTableWidget(static_cast<int>(shortcuts::kRows.size()), ColumnCount, this);
    table_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    table_->setSelectionMode(QAbstractItemView::NoSelection);
    table_->setFocusPolicy(Qt::NoFocus);
    table_->verticalHeader()->hide();
    table_->horizontalHeader()->setStretchLastSection(true);
    table_->setWordWrap(false);

    close_ = new QPushButton(this);
    close_->setDefault(true);
    connect(close_, &QPushButton::clicked, this, &QDialog::accept);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(table_);
    layout->addWidget(close_, 0, Qt::AlignRight);
    setLanguage(0);
}

void ShortcutsDialog::setLanguage(int language)
{
    const auto index = static_cast<size_t>(lang::isValid(language) ? language : 0);
    setWindowTitle(QString::fromUtf8(shortcuts::title(language)));
    table_->setHorizontalHeaderLabels({QString::fromUtf8(shortcuts::keyHeader(language)),
                                       QString::fromUtf8(shortcuts::actionHeader(language))});
    for (size_t row = 0; row < shortcuts::kRows.size(); ++row) {
        const shortcuts::Row& entry = shortcuts::kRows[row];
        table_->setItem(static_cast<int>(row), KeyColumn,
                        new QTableWidgetItem(QString::fromUtf8(entry.keys[index])));
        table_->setItem(static_cast<int>(row), ActionColumn,
                        new QTableWidgetItem(QString::fromUtf8(entry.meaning[index])));
    }
    close_->setText(QString::fromUtf8(shortcuts::closeCaption(language)));
    table_->resizeColumnsToContents();
    // Wide and tall enough for every row without scrolling.
    int width = table_->frameWidth() * 2;
    for (int column = 0; column < ColumnCount; ++column)
        width += table_->columnWidth(column);
    int height = table_->frameWidth() * 2 + table_->horizontalHeader()->height();
    for (int row = 0; row < table_->rowCount(); ++row)
        height += table_->rowHeight(row);
    table_->setMinimumSize(width + 24, height);
    adjustSize();
}
