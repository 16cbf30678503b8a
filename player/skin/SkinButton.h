// A button the skin draws from its strips: it takes no focus and is drawn again as the
// pointer enters and leaves it, so its highlighted cell follows the pointer.
#pragma once

#include <QAbstractButton>

class CVisualManager;

class SkinButton : public QAbstractButton {
    Q_OBJECT
public:
    SkinButton(const CVisualManager& skin, QWidget* parent);

protected:
    void enterEvent(QEnterEvent* event) override;
    void leaveEvent(QEvent* event) override;

    const CVisualManager& skin_;
};
