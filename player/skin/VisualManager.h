// CVisualManager: the program's skin. It holds every picture of the window frame, the caption,
// the bars, the panel captions and the sliders twice, as loaded and as a working copy that it
// recolours by a hue rotation and a saturation shift, and paints the skinned parts from the
// working copies. The colour is read from the settings at construction and written back
// ("ColorChooserH", "ColorChooserS", each x 1000, truncated) whenever it changes.
//
// The main frame makes one manager the default manager; widgets that the frame does not
// create themselves (the transport bar, the control panel's sliders) find it there and fall
// back to their own drawing while there is none. UI thread only.
#pragma once

#include "SkinColorTarget.h"
#include "SkinImages.h"

#include <QBrush>
#include <QColor>
#include <QImage>
#include <QObject>
#include <QString>

#include <array>
#include <vector>

class QPainter;
class QPoint;
class QRect;

class CVisualManager : public QObject, public SkinColorTarget {
    Q_OBJECT
public:
    // With an empty settingsFile the player's own store is used (organisation "MediaVelmora",
    // application "settings", group "Settings"); tests pass an ini file of their own.
    explicit CVisualManager(QString settingsFile = {}, QObject* parent = nullptr);
    ~CVisualManager() override;

    // The default manager (null when none is set). A manager that is destroyed while it is
    // the default leaves none.
    static CVisualManager* instance();
    static void setDefaultManager(CVisualManager* manager);

    // SkinColorTarget
    double hue() const override { return hue_; }
    double saturation() const override { return saturation_; }
    void SetHueSaturation(double hue, double saturation);
    void setHueSaturation(double hue, double saturation) override { SetHueSaturation(hue, saturation); }

    // Adds a picture of another owner to the recolouring (source as loaded, working copy to
    // recolour) and recolours it at once. Both must outlive the manager or be removed first.
    void addRecolorPair(const QImage* source, QImage* working);
    void removeRecolorPair(const QImage* working);

    // The working copies.
    const QImage& image(SkinElement element) const;
    const QImage& image(SkinStrip strip) const;
    QSize size(SkinElement element) const;   // one image; empty when not loaded
    QSize size(SkinStrip strip) const;       // one cell; empty when not loaded
    int imageCount(SkinElement element) const;

    // Derived colours 1 to 4 (splitters and tab frames) and the brush of the view's border.
    QColor derivedColor(int number) const;
    QBrush derivedBrush() const { return brush_; }
    // Caption bars and splitters are filled with black; captions and links are written in
    // these colours.
    static QColor captionFill() { return QColor(0, 0, 0); }
    static QColor captionText() { return QColor(255, 255, 255); }
    static QColor linkColor() { return QColor(171, 213, 253); }

    void drawElement(QPainter& painter, SkinElement element, const QRect& target, int image = 0) const;
    void drawStrip(QPainter& painter, SkinStrip strip, const QPoint& topLeft, int cell) const;
    // The cell centred in rect at its own size.
    void drawStripCentered(QPainter& painter, SkinStrip strip, const QRect& rect, int cell) const;

    // The transport bar's background: body, control area centred at the top, progress groove.
    void paintNavigationBar(QPainter& painter, const QRect& rect, bool wide) const;
    void paintExplorerBar(QPainter& painter, const QRect& rect) const;
    // A splitter between docked panels; horizontal when it lies across (wider than high).
    void paintSplitter(QPainter& painter, const QRect& rect, bool horizontal) const;
    // A panel caption's close button: cell 0 normal, 1 highlighted, 2 pressed while highlighted.
    void paintPanelCloseButton(QPainter& painter, const QRect& rect, bool hot, bool pressed) const;

    // The control panel's slider channels: the hue rainbow, or white to the skin colour.
    void paintHueChannel(QPainter& painter, QRect channel) const;
    void paintColorChannel(QPainter& painter, QRect channel) const;
    // The colour at the right end of the panel's other channels: hue (skin hue + 225) degrees.
    QColor channelColor() const;
    // A slider thumb: cell 2 pressed, 1 highlighted, 0 otherwise, centred in rect.
    void paintSliderThumb(QPainter& painter, const QRect& rect, bool horizontal, bool hot,
                          bool pressed) const;

signals:
    // The working copies and derived colours were recoloured.
    void skinChanged();

private:
    struct Picture {
        QImage source;
        QImage working;
    };
    struct Pair {
        const QImage* source;
        QImage* working;
    };

    void load();
    void recolor();
    void writeSettings() const;

    QString settingsFile_;
    double hue_ = 0.0;
    double saturation_ = 0.0;
    std::array<Picture, static_cast<size_t>(SkinElement::Count)> elements_;
    std::array<Picture, static_cast<size_t>(SkinStrip::Count)> strips_;
    std::vector<Pair> pairs_;
    std::array<QColor, 4> derived_;
    QBrush brush_;
};
