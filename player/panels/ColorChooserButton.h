// A push button drawn with one image of a three-image strip: 0 normal, 1 while the mouse is
// over it, 2 while it is pressed with the mouse over it. Without a strip it is a plain button
// showing its text.
#pragma once

#include <QPixmap>
#include <QPushButton>

class CColorChooserButton : public QPushButton {
    Q_OBJECT
public:
    explicit CColorChooserButton(QWidget* parent = nullptr);
    // Loads the strip named imageName, cut into cells of imageSize.
    CColorChooserButton(QSize imageSize, const QString& imageName, QWidget* parent = nullptr);

    bool hasImage() const { return !strip_.isNull(); }
    // The strip cell the button shows in its present state.
    int currentImage() const;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QSize imageSize_;
    QPixmap strip_;
};
