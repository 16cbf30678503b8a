// The "Keyboard shortcuts" dialog: a table of the player's keys and what they do, in one of
// the six languages, and a button that closes it. It does not block the window, so the keys
// can be tried while it shows.
#pragma once

#include <QDialog>

class QPushButton;
class QTableWidget;

class ShortcutsDialog : public QDialog {
    Q_OBJECT
public:
    explicit ShortcutsDialog(QWidget* owner);

    // Title, headers, rows and button in language 0 to 5 (any other index: English).
    void setLanguage(int language);
    QTableWidget* table() const { return table_; }

private:
    QTableWidget* table_ = nullptr;
    QPushButton* close_ = nullptr;
};
