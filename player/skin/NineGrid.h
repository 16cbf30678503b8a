// A nine-grid image: corners drawn as they are, edges stretched along one axis and the
// middle stretched both ways, so the image fills any rectangle without distorting its rim.
#pragma once

#include <QImage>
#include <QMargins>
#include <QRect>
#include <QString>

class QPainter;
class QRect;

class NineGrid {
public:
    bool load(const QString& name, QMargins margins);
    bool isLoaded() const { return !image_.isNull(); }
    QSize size() const { return image_.size(); }
    void draw(QPainter& painter, const QRect& target) const;

    // Draws the part source of image into target with the given margins.
    static void paint(QPainter& painter, const QImage& image, const QRect& source,
                      QMargins margins, const QRect& target);

private:
    QImage image_;
    QMargins margins_;
};
