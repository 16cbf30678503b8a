// The media-information panel: four report pages ("Base", "More", "Complete", "Other") in a
// tab window that fills the panel, each tab with its image. The pages show red text on black
// in the desktop's fixed-pitch font, since MediaInfo lines its columns up with blanks. Until
// a file has been read each page shows its placeholder text.
#pragma once

#include <QDockWidget>

#include <array>

class QPlainTextEdit;
class QTabWidget;

class CEqualizerBar : public QDockWidget {
    Q_OBJECT
public:
    static constexpr int kPageCount = 4;

    explicit CEqualizerBar(const QString& windowName, QWidget* parent = nullptr);

    QTabWidget* tabWindow() const { return tabs_; }
    // Page 0 Base, 1 More, 2 Complete, 3 Other.
    QPlainTextEdit* page(int index) const;
    void setPageText(int index, const QString& text);

private:
    QTabWidget* tabs_ = nullptr;
    std::array<QPlainTextEdit*, kPageCount> pages_{};
};
