// The control panel driven with real clicks and keys: what reaches the scene-settings sink,
// which controls are enabled and checked, the skin colour it stores and its captions.
#include "../shell/LeakCheckSupport.h"
#include "ColorChooserBar.h"
#include "ColorPresetTable.h"
#include "PanelCaptions.h"
#include "RecordingSceneSink.h"
#include "SkinColor.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QSettings>
#include <QSlider>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

#include <memory>

namespace {

class ColorChooserBarTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(dir.isValid());
        skin = std::make_unique<SkinColorSettings>(settingsFile());
        bar = std::make_unique<CColorChooserBar>(QStringLiteral("Meida Convert"), &sink, skin.get());
        // The panel routes its push buttons through its owner; here the test is the owner.
        QObject::connect(bar.get(), &CColorChooserBar::commandIssued, bar.get(), [this](int id) {
            commands.push_back(id);
            switch (id) {
            case 1053: bar->ResetSkinColor(); break;
            case 1054: bar->StepColorPreset(true); break;
            case 1055: bar->StepColorPreset(false); break;
            case 1084: bar->ScrollContent(-10, 0); break;
            case 1085: bar->ScrollContent(10, 0); break;
            case 1119: bar->ScrollContent(0, -10); break;
            case 1120: bar->ScrollContent(0, 10); break;
            }
        });
        bar->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(bar.get()));
    }

    QString settingsFile() const { return dir.filePath(QStringLiteral("settings.ini")); }
    QSlider* slider(int id) const { return qobject_cast<QSlider*>(bar->control(id)); }
    QRadioButton* radio(int id) const { return qobject_cast<QRadioButton*>(bar->control(id)); }
    QAbstractButton* button(int id) const { return qobject_cast<QAbstractButton*>(bar->control(id)); }

    void click(int id) { QTest::mouseClick(bar->control(id), Qt::LeftButton); }
    // Moves a slider as a person does with the keyboard after clicking into it.
    void key(int id, Qt::Key k)
    {
        bar->control(id)->setFocus();
        QTest::keyClick(bar->control(id), k);
    }
    QString text(int id) const
    {
        QWidget* w = bar->control(id);
        if (auto* g = qobject_cast<QGroupBox*>(w))
            return g->title();
        if (auto* l = qobject_cast<QLabel*>(w))
            return l->text();
        return qobject_cast<QAbstractButton*>(w)->text();
    }
    // Resizes the floating panel so that its client area gets exactly size.
    void resizeClient(QSize size)
    {
        const QSize frame = bar->size() - bar->client()->size();
        bar->resize(size + frame);
        QTRY_COMPARE(bar->client()->size(), size);
    }
    std::vector<int> checkedOf(std::initializer_list<int> ids) const
    {
        std::vector<int> checked;
        for (int id : ids)
            if (radio(id)->isChecked())
                checked.push_back(id);
        return checked;
    }

    QTemporaryDir dir;
    RecordingSceneSink sink;
    std::unique_ptr<SkinColorSettings> skin;
    std::unique_ptr<CColorChooserBar> bar;
    std::vector<int> commands;
};

const std::initializer_list<int> kSurfaceRadios = {1092, 1093, 1094, 1095, 1096, 1102, 1109};
const std::initializer_list<int> kShapeRadios = {1097, 1098, 1099, 1100, 1101};
const std::initializer_list<int> kSurfaceSliders = {1105, 1106, 1107, 1108, 1110, 1111,
                                                    1112, 1113, 1114, 1115, 1116, 1117};

}  // namespace

// The panel starts as the view starts and sends nothing while it sets itself up.
TEST_F(ColorChooserBarTest, StartsWithTheViewsDefaultsAndSendsNothing)
{
    EXPECT_TRUE(sink.calls.empty());
    struct Expected { int id, minimum, maximum, value; };
    for (const Expected& e : {Expected{1051, 0, 360, 180}, {1052, 0, 200, 100}, {1082, 0, 800, 400},
                              {1103, 0, 200, 100}, {1105, 0, 1000, 250}, {1106, 0, 400, 250},
                              {1107, 0, 300, 250}, {1108, 0, 500, 250}, {1110, 0, 2000, 1000},
                              {1117, 0, 2000, 1000}, {1122, 1, 10, 1}}) {
        SCOPED_TRACE(e.id);
        EXPECT_EQ(slider(e.id)->minimum(), e.minimum);
        EXPECT_EQ(slider(e.id)->maximum(), e.maximum);
        EXPECT_EQ(slider(e.id)->value(), e.value);
    }
    EXPECT_TRUE(radio(1091)->isChecked());
    EXPECT_FALSE(radio(1087)->isChecked());
    EXPECT_FALSE(slider(1082)->isEnabled());
    EXPECT_EQ(checkedOf(kSurfaceRadios), std::vector<int>{1092});
    EXPECT_EQ(checkedOf(kShapeRadios), std::vector<int>{1097});
    for (int id : kSurfaceSliders)
        EXPECT_FALSE(slider(id)->isEnabled()) << id;
    EXPECT_TRUE(qobject_cast<QCheckBox*>(bar->control(1121))->isChecked());
    EXPECT_TRUE(slider(1122)->isEnabled());
    EXPECT_EQ(bar->presetIndex(), 0);
}

// Controls sit at their template rectangles converted with the font's base units.
TEST_F(ColorChooserBarTest, ControlsSitAtTheirTemplateRectangles)
{
    const DialogUnits& u = bar->dialogUnits();
    ASSERT_GT(u.baseWidth(), 0);
    ASSERT_GT(u.baseHeight(), 0);
    EXPECT_EQ(bar->control(1051)->geometry(), u.toPixels(46, 17, 157, 14));
    EXPECT_EQ(bar->control(1093)->geometry(), u.toPixels(7, 163, 11, 8));
    EXPECT_EQ(bar->control(1145)->geometry(), u.toPixels(21, 227, 101, 8));
    EXPECT_EQ(bar->control(1122)->geometry(), u.toPixels(66, 381, 135, 10));
    EXPECT_EQ(bar->client()->sizeHint(), u.toPixels(0, 0, 210, 629).size());
}

TEST(DialogUnits, ConvertsCornersWithRounding)
{
    const DialogUnits u(6, 13);  // the classic 8-point dialog font
    EXPECT_EQ(u.toPixels(0, 0, 210, 629), QRect(0, 0, 315, 1022));
    // 3 * 6 / 4 = 4.5 rounds up; 19 * 13 / 8 = 30.875 -> 31
    EXPECT_EQ(u.toPixels(3, 19, 40, 8), QRect(5, 31, 65 - 5, 44 - 31));
    EXPECT_EQ(u.toPixelsX(-3), -5);
}

TEST_F(ColorChooserBarTest, SizeModeRadiosSwitchTheProportionSlider)
{
    click(1087);
    EXPECT_EQ(sink.last(), "SetSizeMode(0)");
    EXPECT_TRUE(radio(1087)->isChecked());
    EXPECT_FALSE(radio(1091)->isChecked());
    EXPECT_TRUE(slider(1082)->isEnabled());

    key(1082, Qt::Key_Home);
    EXPECT_EQ(sink.last(), "SetProportion(0)");
    key(1082, Qt::Key_Right);
    EXPECT_EQ(sink.last(), "SetProportion(1)");

    // Clicking the checked radio again keeps it checked and sends the mode again.
    click(1087);
    EXPECT_TRUE(radio(1087)->isChecked());
    EXPECT_EQ(sink.last(), "SetSizeMode(0)");

    click(1091);
    EXPECT_EQ(sink.last(), "SetSizeMode(1)");
    EXPECT_TRUE(radio(1091)->isChecked());
    EXPECT_FALSE(radio(1087)->isChecked());
    EXPECT_FALSE(slider(1082)->isEnabled());
    // Choosing the mode did not send the proportion.
    EXPECT_EQ(sink.calls.size(), 5u);
}

TEST_F(ColorChooserBarTest, PlayRateSliderSendsItsPosition)
{
    key(1103, Qt::Key_Home);
    EXPECT_EQ(sink.last(), "SetPlayRate(0)");
    key(1103, Qt::Key_End);
    EXPECT_EQ(sink.last(), "SetPlayRate(200)");
    key(1103, Qt::Key_PageDown);  // one page is a fifth of the range
    EXPECT_EQ(sink.last(), "SetPlayRate(160)");
}

// Each surface radio sends its mode with the values of the surface table and enables only its
// own sliders.
TEST_F(ColorChooserBarTest, SurfaceRadiosSendTheirModes)
{
    struct Case { int radio; const char* call; std::vector<int> enabled; };
    const Case cases[] = {
        {1093, "SetSurface(1,250,0,0,0,0,0,0,0,0)", {1105}},
        {1094, "SetSurface(2,250,0,0,0,0,0,0,0,0)", {1106}},
        {1095, "SetSurface(3,250,0,0,0,0,0,0,0,0)", {1107}},
        {1096, "SetSurface(4,250,0,0,0,0,0,0,0,0)", {1108}},
        {1102, "SetSurface(5,250,0,0,0,0,0,0,0,0)", {}},
        {1109, "SetSurface(6,250,1000,1000,1000,1000,1000,1000,1000,1000)",
         {1110, 1111, 1112, 1113, 1114, 1115, 1116, 1117}},
        {1092, "SetSurface(0,250,0,0,0,0,0,0,0,0)", {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.radio);
        click(c.radio);
        EXPECT_EQ(sink.last(), c.call);
        EXPECT_EQ(checkedOf(kSurfaceRadios), std::vector<int>{c.radio});
        std::vector<int> enabled;
        for (int id : kSurfaceSliders)
            if (slider(id)->isEnabled())
                enabled.push_back(id);
        EXPECT_EQ(enabled, c.enabled);
    }
}

// A Bethel depth slider sends its own mode and depth; choosing the mode again reads the
// sliders, so the moved depth is sent.
TEST_F(ColorChooserBarTest, BethelDepthSlidersSendTheirDepth)
{
    const int maxima[] = {1000, 400, 300, 500};
    for (int k = 0; k < 4; ++k) {
        SCOPED_TRACE(k + 1);
        click(1093 + k);
        key(1105 + k, Qt::Key_End);
        EXPECT_EQ(sink.last(), "SetSurface(" + std::to_string(k + 1) + "," +
                                   std::to_string(maxima[k]) + ",0,0,0,0,0,0,0,0)");
        click(1092);
        click(1093 + k);
        EXPECT_EQ(sink.last(), "SetSurface(" + std::to_string(k + 1) + "," +
                                   std::to_string(maxima[k]) + ",0,0,0,0,0,0,0,0)");
    }
}

// "Freedom to adjust" sends the middle values first; a slider move then sends all eight
// positions with depth 0; choosing it again sends 1000s while the sliders keep their places.
TEST_F(ColorChooserBarTest, FreedomSendsMiddleValuesFirstThenPositions)
{
    click(1109);
    EXPECT_EQ(sink.last(), "SetSurface(6,250,1000,1000,1000,1000,1000,1000,1000,1000)");
    key(1110, Qt::Key_End);
    EXPECT_EQ(sink.last(), "SetSurface(6,0,2000,1000,1000,1000,1000,1000,1000,1000)");
    key(1117, Qt::Key_Home);
    EXPECT_EQ(sink.last(), "SetSurface(6,0,2000,1000,1000,1000,1000,1000,1000,0)");
    key(1113, Qt::Key_Left);
    EXPECT_EQ(sink.last(), "SetSurface(6,0,2000,1000,1000,999,1000,1000,1000,0)");

    click(1102);
    click(1109);
    EXPECT_EQ(sink.last(), "SetSurface(6,250,1000,1000,1000,1000,1000,1000,1000,1000)");
    EXPECT_EQ(slider(1110)->value(), 2000);
    EXPECT_EQ(slider(1117)->value(), 0);
}

TEST_F(ColorChooserBarTest, ShapeRadiosSendTheirKinds)
{
    for (int id : {1098, 1099, 1100, 1101, 1097}) {
        SCOPED_TRACE(id);
        click(id);
        EXPECT_EQ(sink.last(), "SetShape(" + std::to_string(id - 1097) + ")");
        EXPECT_EQ(checkedOf(kShapeRadios), std::vector<int>{id});
    }
}

TEST_F(ColorChooserBarTest, RotationBoxAndSpeedSlider)
{
    click(1121);
    EXPECT_EQ(sink.last(), "SetRotation(0,1)");
    EXPECT_FALSE(slider(1122)->isEnabled());
    click(1121);
    EXPECT_EQ(sink.last(), "SetRotation(1,1)");
    EXPECT_TRUE(slider(1122)->isEnabled());
    key(1122, Qt::Key_End);
    EXPECT_EQ(sink.last(), "SetRotation(1,10)");
    key(1122, Qt::Key_Left);
    EXPECT_EQ(sink.last(), "SetRotation(1,9)");
}

// Hue and saturation recolour the skin (stored x1000) but send nothing to the view.
TEST_F(ColorChooserBarTest, HueAndSaturationGoToTheSkinOnly)
{
    key(1051, Qt::Key_End);
    key(1052, Qt::Key_End);
    EXPECT_TRUE(sink.calls.empty());
    EXPECT_DOUBLE_EQ(skin->hue(), 180.0);
    EXPECT_DOUBLE_EQ(skin->saturation(), std::sqrt(2.0) - 1.0);
    QSettings stored(settingsFile(), QSettings::IniFormat);
    EXPECT_EQ(stored.value("Settings/ColorChooserH").toInt(), 180000);
    EXPECT_EQ(stored.value("Settings/ColorChooserS").toInt(), 414);

    key(1052, Qt::Key_Home);
    EXPECT_DOUBLE_EQ(skin->saturation(), -1.0);

    // Another slider re-applies the unchanged colour without storing it again.
    const int stores = skin->storeCount();
    key(1103, Qt::Key_Left);
    EXPECT_EQ(skin->storeCount(), stores);
}

// The sliders start from the stored colour: the inverse of what a move stores.
TEST_F(ColorChooserBarTest, StartsFromTheStoredSkinColour)
{
    {
        QSettings stored(settingsFile(), QSettings::IniFormat);
        stored.setValue("Settings/ColorChooserH", -180000);
        stored.setValue("Settings/ColorChooserS", 414);
    }
    SkinColorSettings storedSkin(settingsFile());
    CColorChooserBar panel(QStringLiteral("Meida Convert"), &sink, &storedSkin);
    EXPECT_EQ(qobject_cast<QSlider*>(panel.control(1051))->value(), 0);
    EXPECT_EQ(qobject_cast<QSlider*>(panel.control(1052))->value(), 199);
}

TEST_F(ColorChooserBarTest, PresetStepsWrapAndResetKeepsTheIndex)
{
    click(1054);
    EXPECT_EQ(bar->presetIndex(), 1);
    EXPECT_EQ(slider(1051)->value(), 150);
    EXPECT_EQ(slider(1052)->value(), 75);
    click(1055);
    click(1055);
    EXPECT_EQ(bar->presetIndex(), 22);
    EXPECT_EQ(slider(1051)->value(), ColorPresetTable[22].hue);
    EXPECT_EQ(slider(1052)->value(), ColorPresetTable[22].saturation);
    click(1054);
    EXPECT_EQ(bar->presetIndex(), 0);

    for (int i = 0; i < 11; ++i)
        click(1054);
    EXPECT_EQ(slider(1052)->value(), 135);  // entry 11
    click(1053);
    EXPECT_EQ(slider(1051)->value(), 180);
    EXPECT_EQ(slider(1052)->value(), 100);
    EXPECT_EQ(bar->presetIndex(), 11);
    click(1054);
    EXPECT_EQ(bar->presetIndex(), 12);
    EXPECT_EQ(slider(1051)->value(), 330);

    EXPECT_EQ(commands, (std::vector<int>{1054, 1055, 1055, 1054, 1054, 1054, 1054, 1054, 1054,
                                          1054, 1054, 1054, 1054, 1054, 1054, 1053, 1054}));
    // Colour steps touch no other slider and send nothing to the view.
    EXPECT_TRUE(sink.calls.empty());
    EXPECT_EQ(slider(1082)->value(), 400);
    EXPECT_EQ(slider(1103)->value(), 100);
    EXPECT_EQ(slider(1105)->value(), 250);
    EXPECT_EQ(slider(1113)->value(), 1000);
    EXPECT_EQ(slider(1122)->value(), 1);
}

// Moved sliders keep their positions through a preset step (the values are read back first).
TEST_F(ColorChooserBarTest, PresetStepKeepsMovedSliders)
{
    click(1109);
    key(1112, Qt::Key_End);
    click(1054);
    EXPECT_EQ(slider(1112)->value(), 2000);
}

TEST_F(ColorChooserBarTest, ScrollArrowsShowAtThePixelThresholds)
{
    resizeClient(QSize(310, 570));
    for (int id : {1084, 1085, 1119, 1120})
        EXPECT_TRUE(bar->control(id)->isVisible()) << id;
    EXPECT_EQ(bar->control(1084)->geometry(), QRect(0, 0, 18, 18));
    EXPECT_EQ(bar->control(1085)->geometry(), QRect(292, 0, 18, 18));
    EXPECT_EQ(bar->control(1119)->geometry(), QRect(292, 18, 18, 18));
    EXPECT_EQ(bar->control(1120)->geometry(), QRect(292, 552, 18, 18));

    resizeClient(QSize(311, 570));
    EXPECT_FALSE(bar->control(1084)->isVisible());
    EXPECT_FALSE(bar->control(1085)->isVisible());
    EXPECT_TRUE(bar->control(1119)->isVisible());

    resizeClient(QSize(311, 571));
    for (int id : {1084, 1085, 1119, 1120})
        EXPECT_FALSE(bar->control(id)->isVisible()) << id;
}

// Each arrow click moves every control 10 pixels, without limit; the arrows stay at the edges.
TEST_F(ColorChooserBarTest, ScrollArrowsMoveTheContent)
{
    resizeClient(QSize(250, 400));
    const QPoint start = bar->control(1051)->pos();
    const QPoint groupStart = bar->control(1130)->pos();
    click(1120);
    click(1120);
    EXPECT_EQ(bar->control(1051)->pos(), start + QPoint(0, 20));
    EXPECT_EQ(bar->control(1130)->pos(), groupStart + QPoint(0, 20));
    click(1085);
    EXPECT_EQ(bar->control(1051)->pos(), start + QPoint(10, 20));
    for (int i = 0; i < 100; ++i)
        click(1084);
    EXPECT_EQ(bar->control(1051)->pos(), start + QPoint(-990, 20));
    click(1119);
    EXPECT_EQ(bar->control(1051)->pos(), start + QPoint(-990, 10));
    EXPECT_EQ(bar->control(1084)->geometry(), QRect(0, 0, 18, 18));
    EXPECT_EQ(bar->control(1120)->geometry(), QRect(232, 382, 18, 18));
}

TEST_F(ColorChooserBarTest, EveryCaptionInEveryLanguage)
{
    for (int language : {1, 2, 3, 4, 5, 0}) {
        SCOPED_TRACE(language);
        bar->SetLanguage(language);
        for (const PanelCaption& caption : PanelCaptionTable)
            EXPECT_EQ(text(caption.controlId),
                      QString::fromUtf8(caption.text[static_cast<size_t>(language)]))
                << caption.controlId;
    }
    EXPECT_EQ(text(1134), "Original size");
    bar->SetLanguage(5);
    EXPECT_EQ(text(1147), QString::fromUtf8("Квартира"));
    bar->SetLanguage(3);
    EXPECT_EQ(text(1134), QString::fromUtf8("Tamaño original"));
    bar->SetLanguage(2);
    EXPECT_EQ(text(1133), QString::fromUtf8("Base de contrôle des médias"));
    // Out-of-range indices change nothing.
    bar->SetLanguage(6);
    bar->SetLanguage(-1);
    EXPECT_EQ(text(1133), QString::fromUtf8("Base de contrôle des médias"));
    // Image buttons keep their images.
    EXPECT_TRUE(button(1054)->text().isEmpty());
}
