// The skin's recolouring on its real images, the colour it keeps in the settings, and the
// colours it paints the control panel's slider channels with.
#include "HueSaturation.h"
#include "VisualManager.h"

#include <QFile>
#include <QPainter>
#include <QSettings>
#include <QSignalSpy>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <cmath>
#include <optional>

namespace {

class VisualManagerTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(dir.isValid()); }
    QString settingsFile() const { return dir.filePath(QStringLiteral("settings.ini")); }
    void store(int hue, int saturation)
    {
        QSettings s(settingsFile(), QSettings::IniFormat);
        s.setValue(QStringLiteral("Settings/ColorChooserH"), hue);
        s.setValue(QStringLiteral("Settings/ColorChooserS"), saturation);
    }
    QVariant stored(const char* key) const
    {
        QSettings s(settingsFile(), QSettings::IniFormat);
        return s.value(QStringLiteral("Settings/") + QLatin1String(key));
    }
    QTemporaryDir dir;
};

// Where in the source image lies the most saturated visible pixel, and where a grey one.
struct Probe {
    QPoint colored{-1, -1};
    double saturation = 0.0;
    std::optional<QPoint> grey;
};

Probe probe(const QImage& image)
{
    Probe p;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x) {
            const QRgb px = image.pixel(x, y);
            if (qAlpha(px) < 200)
                continue;
            if (qRed(px) == qGreen(px) && qGreen(px) == qBlue(px)) {
                if (!p.grey)
                    p.grey = QPoint(x, y);
                continue;
            }
            const auto hsl = huesat::rgbToHsl(qRed(px), qGreen(px), qBlue(px));
            // Mid lightness keeps the hue readable after 8-bit rounding.
            if (hsl.lightness > 0.15 && hsl.lightness < 0.85 && hsl.saturation > p.saturation) {
                p.saturation = hsl.saturation;
                p.colored = QPoint(x, y);
            }
        }
    return p;
}

double hueDegrees(QRgb px)
{
    return huesat::rgbToHsl(qRed(px), qGreen(px), qBlue(px)).hue * 360.0;
}

double angleBetween(double a, double b)
{
    const double d = std::fmod(std::fabs(a - b), 360.0);
    return std::min(d, 360.0 - d);
}

void expectNear(const QColor& actual, const QColor& expected, int tolerance = 1)
{
    EXPECT_NEAR(actual.red(), expected.red(), tolerance) << qPrintable(actual.name());
    EXPECT_NEAR(actual.green(), expected.green(), tolerance) << qPrintable(actual.name());
    EXPECT_NEAR(actual.blue(), expected.blue(), tolerance) << qPrintable(actual.name());
}

QImage caption(const CVisualManager& skin)
{
    return skin.image(SkinElement::Caption);
}

}  // namespace

TEST_F(VisualManagerTest, EveryPictureIsLoadedAtItsSize)
{
    CVisualManager skin(settingsFile());
    for (int i = 0; i < static_cast<int>(SkinElement::Count); ++i) {
        const auto e = static_cast<SkinElement>(i);
        EXPECT_EQ(skin.size(e), skinimages::info(e).size) << skinimages::info(e).name;
        EXPECT_EQ(skin.image(e).height(), skinimages::info(e).size.height()) << skinimages::info(e).name;
    }
    for (int i = 0; i < static_cast<int>(SkinStrip::Count); ++i) {
        const auto s = static_cast<SkinStrip>(i);
        EXPECT_EQ(skin.image(s).height(), skinimages::info(s).cell.height()) << skinimages::info(s).name;
        EXPECT_EQ(skin.image(s).width() % skinimages::info(s).cell.width(), 0) << skinimages::info(s).name;
    }
    EXPECT_EQ(skin.size(SkinElement::Navi2Back).height(), 69);
    EXPECT_EQ(skin.size(SkinStrip::Navi2Control).width(), 422);
    EXPECT_EQ(skin.imageCount(SkinElement::ExplorerBack), 2);
    EXPECT_EQ(skin.imageCount(SkinElement::FloatCaptionLine), 2);
}

// Hue turns coloured pixels, grey ones and every alpha stay; the turn is an angle, so -180
// and +180 give the same picture.
TEST_F(VisualManagerTest, HueRotationTurnsColourAndKeepsGreyAndAlpha)
{
    CVisualManager skin(settingsFile());
    const QImage before = caption(skin);
    const Probe p = probe(before);
    ASSERT_GE(p.colored.x(), 0) << "the caption has coloured pixels";
    const QRgb original = before.pixel(p.colored);

    skin.SetHueSaturation(120.0, 0.0);
    const QImage turned = caption(skin);
    const QRgb shifted = turned.pixel(p.colored);
    EXPECT_LT(angleBetween(hueDegrees(shifted), hueDegrees(original) + 120.0), 6.0);
    for (int y = 0; y < before.height(); ++y)
        for (int x = 0; x < before.width(); ++x) {
            const QRgb a = before.pixel(x, y), b = turned.pixel(x, y);
            ASSERT_EQ(qAlpha(a), qAlpha(b)) << x << "," << y;
            if (qRed(a) == qGreen(a) && qGreen(a) == qBlue(a)) {
                ASSERT_EQ(a, b) << "grey pixel changed at " << x << "," << y;
            }
        }

    skin.SetHueSaturation(180.0, 0.0);
    const QImage plus = caption(skin);
    skin.SetHueSaturation(-180.0, 0.0);
    EXPECT_EQ(caption(skin), plus);

    // Back to neutral: the pictures look as loaded, give or take the conversion's rounding.
    skin.SetHueSaturation(0.0, 0.0);
    const QRgb back = caption(skin).pixel(p.colored);
    EXPECT_NEAR(qRed(back), qRed(original), 2);
    EXPECT_NEAR(qGreen(back), qGreen(original), 2);
    EXPECT_NEAR(qBlue(back), qBlue(original), 2);
}

TEST_F(VisualManagerTest, SaturationLimits)
{
    CVisualManager skin(settingsFile());
    // -1.0 leaves nothing coloured in any recoloured picture; the frame's grey pixels stay.
    skin.SetHueSaturation(0.0, -1.0);
    for (SkinElement e : {SkinElement::Caption, SkinElement::BorderLeft, SkinElement::Navi2Back,
                          SkinElement::ExplorerBack}) {
        const QImage img = skin.image(e);
        for (int y = 0; y < img.height(); ++y)
            for (int x = 0; x < img.width(); ++x) {
                const QRgb px = img.pixel(x, y);
                ASSERT_TRUE(qRed(px) == qGreen(px) && qGreen(px) == qBlue(px))
                    << skinimages::info(e).name << " at " << x << "," << y;
            }
    }
    // Pictures that are not recoloured keep their colour.
    CVisualManager neutral(settingsFile() + QStringLiteral(".other"));
    EXPECT_EQ(skin.image(SkinStrip::CloseBack), neutral.image(SkinStrip::CloseBack));

    // +0.414 raises saturation and stops at 1.0.
    skin.SetHueSaturation(0.0, 0.414);
    const Probe p = probe(neutral.image(SkinElement::Caption));
    const QRgb a = neutral.image(SkinElement::Caption).pixel(p.colored);
    const QRgb b = caption(skin).pixel(p.colored);
    const double sa = huesat::rgbToHsl(qRed(a), qGreen(a), qBlue(a)).saturation;
    const double sb = huesat::rgbToHsl(qRed(b), qGreen(b), qBlue(b)).saturation;
    EXPECT_NEAR(sb, std::min(1.0, sa + 0.414), 0.05);
    EXPECT_EQ(huesat::shiftColor(qRgb(230, 25, 25), 0.0, 0.414), qRgb(255, 0, 0));
}

TEST_F(VisualManagerTest, ConversionTakesAnglesOfAnySign)
{
    EXPECT_EQ(huesat::hlsToRgb(0.0, 0.5, 1.0), qRgb(255, 0, 0));
    EXPECT_EQ(huesat::hlsToRgb(-120.0, 0.5, 1.0), qRgb(0, 0, 255));
    EXPECT_EQ(huesat::hlsToRgb(-359.0, 0.5, 1.0), huesat::hlsToRgb(1.0, 0.5, 1.0));
    EXPECT_EQ(huesat::hlsToRgb(480.0, 0.5, 1.0), qRgb(0, 255, 0));
    EXPECT_EQ(huesat::hlsToRgb(200.0, 0.25, 0.0), qRgb(64, 64, 64));
    // A turn that lands below zero: red turned by -90 is the same as by 270.
    EXPECT_EQ(huesat::shiftColor(qRgb(200, 40, 40), -90.0, 0.0),
              huesat::shiftColor(qRgb(200, 40, 40), 270.0, 0.0));
}

TEST_F(VisualManagerTest, MismatchedPairsAreSkipped)
{
    CVisualManager skin(settingsFile());
    QImage source(4, 4, QImage::Format_ARGB32);
    source.fill(qRgba(200, 40, 40, 255));
    QImage smaller(3, 4, QImage::Format_ARGB32);
    smaller.fill(qRgba(1, 2, 3, 4));
    QImage otherDepth(4, 4, QImage::Format_RGB888);
    otherDepth.fill(Qt::black);
    const QImage smallerBefore = smaller, depthBefore = otherDepth;
    skin.addRecolorPair(&source, &smaller);
    skin.addRecolorPair(&source, &otherDepth);
    skin.SetHueSaturation(90.0, 0.0);
    EXPECT_EQ(smaller, smallerBefore);
    EXPECT_EQ(otherDepth, depthBefore);

    // A matching pair follows every change; the working copy's alpha stays its own.
    QImage working(4, 4, QImage::Format_ARGB32);
    working.fill(qRgba(0, 0, 0, 77));
    skin.addRecolorPair(&source, &working);
    const QRgb turned = huesat::shiftColor(qRgb(200, 40, 40), 90.0, 0.0);
    EXPECT_EQ(working.pixel(0, 0), qRgba(qRed(turned), qGreen(turned), qBlue(turned), 77));
    skin.removeRecolorPair(&working);
    skin.removeRecolorPair(&smaller);
    skin.removeRecolorPair(&otherDepth);
}

TEST_F(VisualManagerTest, ColourIsStoredOnlyWhenItChanges)
{
    store(-180000, 414);
    CVisualManager skin(settingsFile());
    EXPECT_EQ(skin.hue(), -180.0);
    EXPECT_DOUBLE_EQ(skin.saturation(), 0.414);
    QSignalSpy changed(&skin, &CVisualManager::skinChanged);
    const QImage before = caption(skin);

    // The same values again: nothing written, nothing recoloured.
    QFile::remove(settingsFile());
    skin.SetHueSaturation(skin.hue(), skin.saturation());
    EXPECT_FALSE(QFile::exists(settingsFile()));
    EXPECT_EQ(changed.count(), 0);
    EXPECT_EQ(caption(skin), before);

    // New values are stored x 1000, truncated toward zero.
    skin.SetHueSaturation(-12.3456, -0.0019);
    EXPECT_EQ(stored("ColorChooserH").toInt(), -12345);
    EXPECT_EQ(stored("ColorChooserS").toInt(), -1);
    EXPECT_EQ(changed.count(), 1);
    EXPECT_NE(caption(skin), before);

    CVisualManager restarted(settingsFile());
    EXPECT_DOUBLE_EQ(restarted.hue(), -12.345);
    EXPECT_DOUBLE_EQ(restarted.saturation(), -0.001);
}

TEST_F(VisualManagerTest, DerivedColoursFollowTheSkinColour)
{
    CVisualManager skin(settingsFile());
    expectNear(skin.derivedColor(1), QColor(93, 104, 132));
    expectNear(skin.derivedColor(4), QColor(20, 23, 59));
    expectNear(skin.derivedBrush().color(), QColor(238, 243, 250));
    EXPECT_FALSE(skin.derivedColor(5).isValid());
    skin.SetHueSaturation(0.0, -1.0);
    const QColor grey = skin.derivedColor(1);
    EXPECT_TRUE(grey.red() == grey.green() && grey.green() == grey.blue());
    skin.SetHueSaturation(180.0, 0.0);
    // Blue-grey turned half way round is a warm grey: red now leads.
    EXPECT_GT(skin.derivedColor(1).red(), skin.derivedColor(1).blue());
}

TEST_F(VisualManagerTest, PanelChannelsAreRainbowAndWhiteToSkinColour)
{
    CVisualManager skin(settingsFile());
    QImage img(101, 10, QImage::Format_ARGB32);
    img.fill(Qt::black);
    {
        QPainter p(&img);
        skin.paintHueChannel(p, QRect(0, 1, 101, 4));
        skin.paintColorChannel(p, QRect(0, 6, 101, 4));
        skin.paintColorChannel(p, QRect(0, 9, 0, 1));  // width 0 draws nothing
    }
    // Hue channel: the row above its rectangle, starting at 45 degrees (orange).
    EXPECT_EQ(img.pixel(0, 0), qRgb(255, 191, 0));
    EXPECT_EQ(img.pixel(0, 4), qRgb(0, 0, 0)) << "moved up by one pixel";
    EXPECT_EQ(img.pixel(100, 0), huesat::hlsToRgb(45.0 + 359.0, 0.5, 1.0));
    // Other channels: white at the left, hue (skin hue + 225) at the right: a blue at hue 0.
    EXPECT_EQ(img.pixel(0, 5), qRgb(255, 255, 255));
    EXPECT_EQ(img.pixel(100, 5), qRgb(0, 64, 255));
    EXPECT_EQ(img.pixel(0, 9), qRgb(0, 0, 0));
    skin.SetHueSaturation(-225.0, 0.0);
    EXPECT_EQ(skin.channelColor(), QColor(255, 0, 0));
}

// A splitter is black with two lines through its middle, dark at both ends and light in the
// centre: the outer line in colours 2 and 1, the inner one in 4 and 3.
TEST_F(VisualManagerTest, SplittersCarryTheDerivedColours)
{
    CVisualManager skin(settingsFile());
    skin.SetHueSaturation(90.0, 0.2);
    QImage img(41, 8, QImage::Format_RGB32);
    img.fill(Qt::white);
    {
        QPainter p(&img);
        skin.paintSplitter(p, img.rect(), true);
    }
    // Lines at rows 2 to 4 (top + height / 2 - 2, 3 high); the inner one is row 3.
    EXPECT_EQ(img.pixel(20, 0), qRgb(0, 0, 0));
    EXPECT_EQ(img.pixel(20, 7), qRgb(0, 0, 0));
    expectNear(QColor(img.pixel(20, 2)), skin.derivedColor(1), 3);
    expectNear(QColor(img.pixel(0, 2)), skin.derivedColor(2), 3);
    expectNear(QColor(img.pixel(20, 3)), skin.derivedColor(3), 3);
    expectNear(QColor(img.pixel(0, 3)), skin.derivedColor(4), 3);

    QImage upright(8, 41, QImage::Format_RGB32);
    upright.fill(Qt::white);
    {
        QPainter p(&upright);
        skin.paintSplitter(p, upright.rect(), false);
    }
    expectNear(QColor(upright.pixel(3, 20)), skin.derivedColor(3), 3);
    expectNear(QColor(upright.pixel(2, 0)), skin.derivedColor(2), 3);
    EXPECT_EQ(upright.pixel(0, 20), qRgb(0, 0, 0));
}
