#include "EqualizerBar.h"

#include "Resources.h"

#include <QFontDatabase>
#include <QIcon>
#include <QPixmap>
#include <QPlainTextEdit>
#include <QTabWidget>

namespace {

struct PageTemplate {
    int id;
    const char* label;
    const char* placeholder;
};

constexpr PageTemplate kPages[CEqualizerBar::kPageCount] = {
    {1073, "Base", "NO MESSAGES(BASE) NOW"},
    {1077, "More", "NO MESSAGES(MORE) NOW"},
    {1078, "Complete", "NO MESSAGES(COMPLETE) NOW"},
    {1079, "Other", "NO MESSAGES(OTHER) NOW"},
};

constexpr int kTabImageSize = 16;
const QRgb kTransparentColour = qRgb(255, 0, 255);

// Tab image `index` of the strip, its magenta made transparent.
QIcon tabImage(const QImage& strip, int index)
{
    QImage cell = strip.copy(index * kTabImageSize, 0, kTabImageSize, kTabImageSize)
                      .convertToFormat(QImage::Format_ARGB32);
    for (int y = 0; y < cell.height(); ++y)
        for (int x = 0; x < cell.width(); ++x)
            if ((cell.pixel(x, y) & 0xffffff) == (kTransparentColour & 0xffffff))
                cell.setPixel(x, y, 0);
    return QIcon(QPixmap::fromImage(cell));
}

}  // namespace

CEqualizerBar::CEqualizerBar(const QString& windowName, QWidget* parent)
    : QDockWidget(windowName, parent)
{
    setObjectName(QStringLiteral("EqualizerBar"));
    tabs_ = new QTabWidget(this);
    tabs_->setTabPosition(QTabWidget::North);
    velmora::initResources();
    const QImage strip(QStringLiteral(":/images/IDB_MEDIAINFO_TABS.png"));
    // MediaInfo lines its columns up with blanks.
    const QFont fixedPitch = QFontDatabase::systemFont(QFontDatabase::FixedFont);
    for (int i = 0; i < kPageCount; ++i) {
        auto* page = new QPlainTextEdit(tabs_);
        page->setObjectName(QStringLiteral("control%1").arg(kPages[i].id));
        page->setLineWrapMode(QPlainTextEdit::NoWrap);
        page->setFont(fixedPitch);
        // Red text on black, as the reports have always been shown.
        QPalette palette = page->palette();
        palette.setColor(QPalette::Base, Qt::black);
        palette.setColor(QPalette::Text, Qt::red);
        page->setPalette(palette);
        page->setPlainText(QString::fromLatin1(kPages[i].placeholder));
        tabs_->addTab(page, tabImage(strip, i), QString::fromLatin1(kPages[i].label));
        pages_[static_cast<size_t>(i)] = page;
    }
    tabs_->setCurrentIndex(0);
    setWidget(tabs_);
}

QPlainTextEdit* CEqualizerBar::page(int index) const
{
    if (index < 0 || index >= kPageCount)
        return nullptr;
    return pages_[static_cast<size_t>(index)];
}

void CEqualizerBar::setPageText(int index, const QString& text)
{
    if (QPlainTextEdit* p = page(index))
        p->setPlainText(text);
}
