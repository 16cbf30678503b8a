// A row of equally sized images in one PNG resource (":/images/NAME.png"), drawn by index.
#pragma once

#include <QImage>
#include <QSize>
#include <QString>

class QPainter;
class QPoint;
class QRect;

class ImageStrip {
public:
    // Loads the strip and cuts it into cells of cellSize. An empty name loads nothing; a
    // missing resource leaves the strip unloaded. Returns isLoaded().
    bool load(const QString& name, QSize cellSize);
    bool isLoaded() const { return !image_.isNull(); }
    QSize cellSize() const { return cell_; }
    int count() const;
    const QString& name() const { return name_; }

    // The cell as an image of its own (null when index is out of range).
    QImage cell(int index) const;
    // Draws cell index at rect's top-left corner at its own size; nothing when not loaded.
    void draw(QPainter& painter, const QRect& rect, int index) const;
    void draw(QPainter& painter, const QPoint& topLeft, int index) const;

private:
    QString name_;
    QImage image_;
    QSize cell_;
};
