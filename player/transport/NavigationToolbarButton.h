// CNavigationToolbarButton: one entry of the transport bar: a command, its tool-tip text and
// two image strips, the face (cell 0 disabled, 1 normal, 2 hot, 3 pressed; the split halves
// have five cells) and the icon drawn over it (0 normal, 1 disabled, more for Play and
// Sound). A separator has neither command nor strips.
#pragma once

#include "CommandIds.h"
#include "ImageStrip.h"

#include <QMargins>
#include <QRect>
#include <QString>

#include <optional>

// How the bar fits a button's pictures together: some faces are laid out narrower than their
// cells so that neighbours overlap by a pixel, and are drawn and repainted over a wider area
// that covers the overlap, the play glow or the split button's other half.
struct NavigationButtonFit {
    int widthTrim = 0;
    QMargins paintGrow;
    QMargins repaintGrow;
};

struct CNavigationToolbarButton {
    using Fit = NavigationButtonFit;

    static CNavigationToolbarButton separator();
    static CNavigationToolbarButton make(Command command, const QString& text, const QString& face,
                                         QSize faceCell, const QString& icon, QSize iconCell,
                                         Fit fit = {});

    bool isSeparator() const { return !command; }
    // Width and height the bar gives the button.
    QSize size() const;
    // The area the face and icon are drawn over.
    QRect paintRect() const { return rect.marginsAdded(fit.paintGrow); }
    // The area repainted for the button.
    QRect invalidationRect() const { return rect.marginsAdded(fit.repaintGrow); }

    std::optional<Command> command;
    // The other half of a split button, which lights up with this one.
    std::optional<Command> partner;
    QString text;
    ImageStrip face;
    ImageStrip icon;
    Fit fit;
    QRect rect;
    bool enabled = true;
};
