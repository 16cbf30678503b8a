// A static caption of the control panel. text() stays the whole caption; what is drawn is
// its fitted form (narrowed or elided to the label's width), and an elided caption shows the
// whole one as its tool tip.
#pragma once

#include "CaptionFit.h"

#include <QLabel>

class CaptionLabel : public QLabel {
    Q_OBJECT
public:
    CaptionLabel(const QString& text, QWidget* parent);

    // How the caption is drawn from now on; the fitting is the panel's, which knows the
    // captions that must stay apart.
    void setFitted(const captionfit::FittedCaption& fitted);
    const captionfit::FittedCaption& fitted() const { return fitted_; }
    // The text on screen and the font it is drawn in.
    QString shownText() const;
    QFont shownFont() const;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    captionfit::FittedCaption fitted_;
    QString fittedText_;  // the caption fitted_ was made for
};
