#include "NavigationToolbarButton.h"

#include "CommandIds.h"

CNavigationToolbarButton CNavigationToolbarButton::separator()
{
    return CNavigationToolbarButton();
}

CNavigationToolbarButton CNavigationToolbarButton::make(int id, const QString& text,
                                                        const QString& face, QSize faceCell,
                                                        const QString& icon, QSize iconCell)
{
    CNavigationToolbarButton b;
    b.id = id;
    b.text = text;
    b.face.load(face, faceCell);
    b.icon.load(icon, iconCell);
    return b;
}

QSize CNavigationToolbarButton::size() const
{
    if (isSeparator())
        return QSize(8, 0);
    QSize s = face.cellSize();
    if (id == cmd::Previous || id == cmd::Next)
        s.rwidth() -= 1;
    else if (id == cmd::Play)
        s.rwidth() -= 2;
    return s;
}

QRect CNavigationToolbarButton::invalidationRect() const
{
    QRect r = rect;
    switch (id) {
    case cmd::Previous: return r.adjusted(0, 0, 1, 0);
    case cmd::Play: return r.adjusted(0, 1, 0, 0).adjusted(-5, -5, 5, 5);
    case cmd::Next: return r.adjusted(-1, 0, 0, 0);
    case cmd::Sound: return r.adjusted(0, 0, 15, 0);
    case cmd::Volume: return r.adjusted(-24, 0, 0, 0);
    default: return r;
    }
}
