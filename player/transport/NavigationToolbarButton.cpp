#include "NavigationToolbarButton.h"

namespace {

// The width a separator takes between two groups of buttons.
constexpr int kSeparatorWidth = 8;

}  // namespace

CNavigationToolbarButton CNavigationToolbarButton::separator()
{
    return CNavigationToolbarButton();
}

CNavigationToolbarButton CNavigationToolbarButton::make(Command command, const QString& text,
                                                        const QString& face, QSize faceCell,
                                                        const QString& icon, QSize iconCell,
                                                        Fit fit)
{
    CNavigationToolbarButton b;
    b.command = command;
    b.text = text;
    b.face.load(face, faceCell);
    b.icon.load(icon, iconCell);
    b.fit = fit;
    return b;
}

QSize CNavigationToolbarButton::size() const
{
    if (isSeparator())
        return QSize(kSeparatorWidth, 0);
    QSize s = face.cellSize();
    s.rwidth() -= fit.widthTrim;
    return s;
}
