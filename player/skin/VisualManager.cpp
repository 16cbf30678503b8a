#include "VisualManager.h"

#include "HueSaturation.h"
#include "NineGrid.h"
#include "Resources.h"

#include <QLinearGradient>
#include <QPainter>
#include <QSettings>

#include <algorithm>
#include <memory>

namespace {

CVisualManager* defaultManager = nullptr;

const char* const kHueKey = "ColorChooserH";
const char* const kSaturationKey = "ColorChooserS";

// The fixed colours the derived colours and brush are made from.
constexpr QRgb kDerivedSources[4] = {qRgb(93, 104, 132), qRgb(47, 52, 66), qRgb(40, 45, 57),
                                     qRgb(20, 23, 59)};
constexpr QRgb kBrushSource = qRgb(238, 243, 250);

// The control panel's channels: the hue channel starts at this angle, the others end in the
// colour of the skin hue turned by this much, both at full saturation and half lightness.
constexpr double kHueChannelStart = 45.0;
constexpr double kColorChannelTurn = 225.0;

std::unique_ptr<QSettings> openSettings(const QString& file)
{
    auto settings = file.isEmpty()
                        ? std::make_unique<QSettings>(QStringLiteral("MediaVelmora"),
                                                      QStringLiteral("settings"))
                        : std::make_unique<QSettings>(file, QSettings::IniFormat);
    settings->beginGroup(QStringLiteral("Settings"));
    return settings;
}

QImage loadImage(const char* name)
{
    QImage image(QStringLiteral(":/images/%1.png").arg(QLatin1String(name)));
    return image.isNull() ? image : image.convertToFormat(QImage::Format_ARGB32);
}

const QImage& nullImage()
{
    static const QImage empty;
    return empty;
}

}  // namespace

CVisualManager::CVisualManager(QString settingsFile, QObject* parent)
    : QObject(parent), settingsFile_(std::move(settingsFile))
{
    auto settings = openSettings(settingsFile_);
    hue_ = settings->value(kHueKey, 0).toInt() * 0.001;
    saturation_ = settings->value(kSaturationKey, 0).toInt() * 0.001;
    load();
    recolor();
}

CVisualManager::~CVisualManager()
{
    if (defaultManager == this)
        defaultManager = nullptr;
}

CVisualManager* CVisualManager::instance()
{
    return defaultManager;
}

void CVisualManager::setDefaultManager(CVisualManager* manager)
{
    defaultManager = manager;
}

void CVisualManager::load()
{
    velmora::initResources();
    for (size_t i = 0; i < elements_.size(); ++i) {
        const auto& info = skinimages::info(static_cast<SkinElement>(i));
        elements_[i].source = loadImage(info.name);
        elements_[i].working = elements_[i].source.copy();
        if (info.recolored)
            pairs_.push_back({&elements_[i].source, &elements_[i].working});
    }
    for (size_t i = 0; i < strips_.size(); ++i) {
        const auto& info = skinimages::info(static_cast<SkinStrip>(i));
        strips_[i].source = loadImage(info.name);
        strips_[i].working = strips_[i].source.copy();
        if (info.recolored)
            pairs_.push_back({&strips_[i].source, &strips_[i].working});
    }
}

void CVisualManager::SetHueSaturation(double hue, double saturation)
{
    if (hue == hue_ && saturation == saturation_)
        return;
    hue_ = hue;
    saturation_ = saturation;
    recolor();
    writeSettings();
    emit skinChanged();
}

void CVisualManager::writeSettings() const
{
    auto settings = openSettings(settingsFile_);
    settings->setValue(kHueKey, static_cast<int>(hue_ * 1000.0));
    settings->setValue(kSaturationKey, static_cast<int>(saturation_ * 1000.0));
}

void CVisualManager::recolor()
{
    for (const Pair& pair : pairs_)
        huesat::recolor(*pair.source, *pair.working, hue_, saturation_);
    for (size_t i = 0; i < derived_.size(); ++i)
        derived_[i] = QColor::fromRgb(huesat::shiftColor(kDerivedSources[i], hue_, saturation_));
    brush_ = QBrush(QColor::fromRgb(huesat::shiftColor(kBrushSource, hue_, saturation_)));
}

void CVisualManager::addRecolorPair(const QImage* source, QImage* working)
{
    if (!source || !working)
        return;
    pairs_.push_back({source, working});
    huesat::recolor(*source, *working, hue_, saturation_);
}

void CVisualManager::removeRecolorPair(const QImage* working)
{
    pairs_.erase(std::remove_if(pairs_.begin(), pairs_.end(),
                                [working](const Pair& p) { return p.working == working; }),
                 pairs_.end());
}

const QImage& CVisualManager::image(SkinElement element) const
{
    return element == SkinElement::Count ? nullImage()
                                         : elements_[static_cast<size_t>(element)].working;
}

const QImage& CVisualManager::image(SkinStrip strip) const
{
    return strip == SkinStrip::Count ? nullImage() : strips_[static_cast<size_t>(strip)].working;
}

QSize CVisualManager::size(SkinElement element) const
{
    return image(element).isNull() ? QSize() : skinimages::info(element).size;
}

QSize CVisualManager::size(SkinStrip strip) const
{
    return image(strip).isNull() ? QSize() : skinimages::info(strip).cell;
}

int CVisualManager::imageCount(SkinElement element) const
{
    const QSize one = size(element);
    return one.isEmpty() ? 0 : image(element).width() / one.width();
}

QColor CVisualManager::derivedColor(int number) const
{
    if (number < 1 || number > static_cast<int>(derived_.size()))
        return QColor();
    return derived_[static_cast<size_t>(number - 1)];
}

void CVisualManager::drawElement(QPainter& painter, SkinElement element, const QRect& target,
                                 int index) const
{
    if (index < 0 || index >= imageCount(element))
        return;
    const auto& info = skinimages::info(element);
    const QRect source(QPoint(index * info.size.width(), 0), info.size);
    NineGrid::paint(painter, image(element), source, info.margins, target);
}

void CVisualManager::drawStrip(QPainter& painter, SkinStrip strip, const QPoint& topLeft,
                               int cell) const
{
    const QSize c = size(strip);
    if (c.isEmpty() || cell < 0 || (cell + 1) * c.width() > image(strip).width())
        return;
    painter.drawImage(topLeft, image(strip), QRect(QPoint(cell * c.width(), 0), c));
}

void CVisualManager::drawStripCentered(QPainter& painter, SkinStrip strip, const QRect& rect,
                                       int cell) const
{
    const QSize c = size(strip);
    drawStrip(painter, strip,
              QPoint(rect.left() + (rect.width() - c.width()) / 2,
                     rect.top() + (rect.height() - c.height()) / 2),
              cell);
}

void CVisualManager::paintNavigationBar(QPainter& painter, const QRect& rect, bool wide) const
{
    drawElement(painter, wide ? SkinElement::Navi2Back : SkinElement::Navi1Back, rect);
    const SkinStrip area = wide ? SkinStrip::Navi2Control : SkinStrip::Navi1Control;
    const QSize areaSize = size(area);
    drawStrip(painter, area, QPoint(rect.left() + (rect.width() - areaSize.width()) / 2, rect.top()),
              0);
    const int groove = size(SkinElement::ProgressBack).height();
    drawElement(painter, SkinElement::ProgressBack,
                QRect(rect.left(), rect.top() + 2, rect.width(), groove));
}

void CVisualManager::paintExplorerBar(QPainter& painter, const QRect& rect) const
{
    drawElement(painter, SkinElement::ExplorerBack, rect, 0);
}

void CVisualManager::paintSplitter(QPainter& painter, const QRect& rect, bool horizontal) const
{
    painter.fillRect(rect, captionFill());
    // Two lines through the middle, dark at both ends and light in the centre: a 3-pixel one
    // and, inside it, a 1-pixel one in the darker pair of colours.
    auto fill = [&](const QRect& line, int outer, int inner) {
        if (line.isEmpty())
            return;
        const QPointF from = line.topLeft();
        const QPointF to = horizontal ? QPointF(line.right() + 1, line.top())
                                      : QPointF(line.left(), line.bottom() + 1);
        QLinearGradient g(from, to);
        g.setColorAt(0.0, derivedColor(outer));
        g.setColorAt(0.5, derivedColor(inner));
        g.setColorAt(1.0, derivedColor(outer));
        painter.fillRect(line, g);
    };
    if (horizontal) {
        QRect line(rect.left(), rect.top() + rect.height() / 2 - 2, rect.width(), 3);
        fill(line, 2, 1);
        fill(line.adjusted(0, 1, 0, -1), 4, 3);
    } else {
        QRect line(rect.left() + rect.width() / 2 - 2, rect.top(), 3, rect.height());
        fill(line, 2, 1);
        fill(line.adjusted(1, 0, -1, 0), 4, 3);
    }
}

void CVisualManager::paintPanelCloseButton(QPainter& painter, const QRect& rect, bool hot,
                                           bool pressed) const
{
    drawStripCentered(painter, SkinStrip::PanelClose, rect, hot ? (pressed ? 2 : 1) : 0);
}

void CVisualManager::paintHueChannel(QPainter& painter, QRect channel) const
{
    channel.translate(0, -1);
    const int w = channel.width();
    if (w <= 0)
        return;
    for (int x = 0; x < w; ++x) {
        const double hue = w > 1 ? x * 359.0 / (w - 1) + kHueChannelStart : kHueChannelStart;
        painter.fillRect(QRect(channel.left() + x, channel.top(), 1, channel.height()),
                         QColor::fromRgb(huesat::hlsToRgb(hue, 0.5, 1.0)));
    }
}

QColor CVisualManager::channelColor() const
{
    return QColor::fromRgb(huesat::hlsToRgb(hue_ + kColorChannelTurn, 0.5, 1.0));
}

void CVisualManager::paintColorChannel(QPainter& painter, QRect channel) const
{
    channel.translate(0, -1);
    const int w = channel.width();
    if (w <= 0)
        return;
    const QColor end = channelColor();
    for (int x = 0; x < w; ++x) {
        const double t = w > 1 ? static_cast<double>(x) / (w - 1) : 1.0;
        auto mix = [t](int c) { return static_cast<int>(t * c + (1.0 - t) * 255.0); };
        painter.fillRect(QRect(channel.left() + x, channel.top(), 1, channel.height()),
                         QColor(mix(end.red()), mix(end.green()), mix(end.blue())));
    }
}

void CVisualManager::paintSliderThumb(QPainter& painter, const QRect& rect, bool horizontal,
                                      bool hot, bool pressed) const
{
    drawStripCentered(painter, horizontal ? SkinStrip::ThumbHorizontal : SkinStrip::ThumbVertical,
                      rect, pressed ? 2 : (hot ? 1 : 0));
}
