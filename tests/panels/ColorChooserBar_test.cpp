// The control panel driven with real clicks and keys: what reaches the scene-settings sink,
// which controls are enabled and checked, the skin colour it stores and its captions.
#include "LeakCheckSupport.h"
#include "ColorChooserBar.h"
#include "RecordingSceneSink.h"
#include "SkinColor.h"
#include "VisualManager.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QRadioButton>
#include <QSettings>
#include <QSlider>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

#include "Eventually.h"

#include <memory>

namespace {

const std::initializer_list<int> kSurfaceRadios = {1092, 1093, 1094, 1095, 1096, 1102, 1109};
const std::initializer_list<int> kShapeRadios = {1097, 1098, 1099, 1100, 1101};
const std::initializer_list<int> kSurfaceSliders = {1105, 1106, 1107, 1108, 1110, 1111,
                                                    1112, 1113, 1114, 1115, 1116, 1117};

class ColorChooserBarTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(dir.isValid());
        skin = std::make_unique<CVisualManager>(settingsFile());
        bar = std::make_unique<CColorChooserBar>(QStringLiteral("Meida Convert"), &sink, skin.get());
        bar->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(bar.get()));
    }

    QString settingsFile() const { return dir.filePath(QStringLiteral("settings.ini")); }
    QSlider* slider(int id) const { return qobject_cast<QSlider*>(bar->control(id)); }
    QRadioButton* radio(int id) const { return qobject_cast<QRadioButton*>(bar->control(id)); }
    QPoint pos(int id) const { return bar->control(id)->pos(); }
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
        bar->resize(size + bar->size() - bar->client()->size());
        EXPECT_EVENTUALLY((bar->client()->size()) == (size));
    }
    std::vector<int> checkedOf(std::initializer_list<int> ids) const
    {
        std::vector<int> checked;
        for (int id : ids)
            if (radio(id)->isChecked())
                checked.push_back(id);
        return checked;
    }
    std::vector<int> enabledSurfaceSliders() const
    {
        std::vector<int> enabled;
        for (int id : kSurfaceSliders)
            if (slider(id)->isEnabled())
                enabled.push_back(id);
        return enabled;
    }

    QTemporaryDir dir;
    RecordingSceneSink sink;
    std::unique_ptr<CVisualManager> skin;
    std::unique_ptr<CColorChooserBar> bar;
};

}  // namespace

// The panel starts as the view starts, at its template rectangles, and sends nothing while it
// sets itself up.
TEST_F(ColorChooserBarTest, StartsWithTheViewsDefaultsAtTheTemplateRectangles)
{
    EXPECT_TRUE(sink.calls.empty());
    for (auto [id, value] : {std::pair{1051, 180}, {1052, 100}, {1082, 400}, {1103, 100},
                             {1105, 250}, {1110, 1000}, {1122, 1}})
        EXPECT_EQ(slider(id)->value(), value) << id;
    EXPECT_EQ(checkedOf({1087, 1091}), std::vector<int>{1091});
    EXPECT_EQ(checkedOf(kSurfaceRadios), std::vector<int>{1092});
    EXPECT_EQ(checkedOf(kShapeRadios), std::vector<int>{1097});
    EXPECT_FALSE(slider(1082)->isEnabled());
    EXPECT_TRUE(enabledSurfaceSliders().empty());
    EXPECT_TRUE(qobject_cast<QCheckBox*>(bar->control(1121))->isChecked());
    EXPECT_EQ(bar->presetIndex(), 0);

    const DialogUnits& u = bar->dialogUnits();
    ASSERT_GT(u.baseWidth(), 0);
    EXPECT_EQ(bar->control(1051)->geometry(), u.toPixels(46, 17, 157, 14));
    EXPECT_EQ(bar->control(1122)->geometry(), u.toPixels(66, 381, 135, 10));
    // The template's width; the height of the content (it ends at 394) and a small margin.
    EXPECT_EQ(bar->client()->sizeHint(), u.toPixels(0, 0, 210, 397).size());
    EXPECT_EQ(bar->contentRect(), u.toPixels(0, 0, 207, 394));
}

TEST(DialogUnits, ConvertsCornersWithRounding)
{
    const DialogUnits u(6, 13);  // the classic 8-point dialog font
    EXPECT_EQ(u.toPixels(0, 0, 210, 629), QRect(0, 0, 315, 1022));
    // 3 * 6 / 4 = 4.5 rounds up; 19 * 13 / 8 = 30.875 -> 31
    EXPECT_EQ(u.toPixels(3, 19, 40, 8), QRect(5, 31, 65 - 5, 44 - 31));
    EXPECT_EQ(u.toPixelsX(-3), -5);
}

// Each click or key sends exactly one call with the values the view expects. Choosing a size
// mode sends no proportion; "Freedom to adjust" sends 1000s when chosen, then all eight
// positions with depth 0 after a slider move; choosing a Bethel mode again reads its slider.
TEST_F(ColorChooserBarTest, EveryClickAndKeySendsOneCall)
{
    const Qt::Key kClick = Qt::Key_unknown;
    const char* middle = "SetSurface(6,250,1000,1000,1000,1000,1000,1000,1000,1000)";
    struct Step { int id; Qt::Key key; const char* call; };
    const Step steps[] = {
        {1087, kClick, "SetSizeMode(0)"}, {1082, Qt::Key_Home, "SetProportion(0)"},
        {1082, Qt::Key_Right, "SetProportion(1)"}, {1087, kClick, "SetSizeMode(0)"},
        {1091, kClick, "SetSizeMode(1)"}, {1103, Qt::Key_Home, "SetPlayRate(0)"},
        {1103, Qt::Key_End, "SetPlayRate(200)"},
        {1103, Qt::Key_PageDown, "SetPlayRate(160)"},  // a page is a fifth of the range
        {1121, kClick, "SetRotation(0,1)"}, {1121, kClick, "SetRotation(1,1)"},
        {1122, Qt::Key_End, "SetRotation(1,10)"}, {1122, Qt::Key_Left, "SetRotation(1,9)"},
        {1109, kClick, middle},
        {1110, Qt::Key_End, "SetSurface(6,0,2000,1000,1000,1000,1000,1000,1000,1000)"},
        {1117, Qt::Key_Home, "SetSurface(6,0,2000,1000,1000,1000,1000,1000,1000,0)"},
        {1113, Qt::Key_Left, "SetSurface(6,0,2000,1000,1000,999,1000,1000,1000,0)"},
        {1102, kClick, "SetSurface(5,250,0,0,0,0,0,0,0,0)"}, {1109, kClick, middle},
        {1093, kClick, "SetSurface(1,250,0,0,0,0,0,0,0,0)"},
        {1105, Qt::Key_End, "SetSurface(1,1000,0,0,0,0,0,0,0,0)"},
        {1094, kClick, "SetSurface(2,250,0,0,0,0,0,0,0,0)"},
        {1106, Qt::Key_End, "SetSurface(2,400,0,0,0,0,0,0,0,0)"},
        {1107, Qt::Key_End, "SetSurface(2,400,0,0,0,0,0,0,0,0)"},  // disabled: no call
        {1095, kClick, "SetSurface(3,250,0,0,0,0,0,0,0,0)"},
        {1107, Qt::Key_End, "SetSurface(3,300,0,0,0,0,0,0,0,0)"},
        {1096, kClick, "SetSurface(4,250,0,0,0,0,0,0,0,0)"},
        {1108, Qt::Key_End, "SetSurface(4,500,0,0,0,0,0,0,0,0)"},
        {1093, kClick, "SetSurface(1,1000,0,0,0,0,0,0,0,0)"},
        {1098, kClick, "SetShape(1)"}, {1099, kClick, "SetShape(2)"}, {1100, kClick, "SetShape(3)"},
        {1101, kClick, "SetShape(4)"}, {1097, kClick, "SetShape(0)"},
    };
    for (const Step& step : steps) {
        SCOPED_TRACE(step.call);
        const size_t before = sink.calls.size();
        if (step.key == kClick) {
            QTest::mouseClick(bar->control(step.id), Qt::LeftButton);
        } else {
            bar->control(step.id)->setFocus();
            QTest::keyClick(bar->control(step.id), step.key);
        }
        EXPECT_EQ(sink.calls.size(), before + (bar->control(step.id)->isEnabled() ? 1 : 0));
        EXPECT_EQ(sink.last(), step.call);
    }
    // The Freedom sliders kept their places while 1000s were sent.
    EXPECT_EQ(slider(1110)->value(), 2000);
    EXPECT_EQ(slider(1117)->value(), 0);
}

// Each radio checks only itself; a surface enables only its own sliders, the size mode the
// proportion slider and the rotation box the speed slider.
TEST_F(ColorChooserBarTest, RadiosAndBoxesSwitchTheirSliders)
{
    const std::pair<int, std::vector<int>> surfaces[] = {
        {1093, {1105}}, {1094, {1106}}, {1095, {1107}}, {1096, {1108}}, {1102, {}},
        {1109, {1110, 1111, 1112, 1113, 1114, 1115, 1116, 1117}}, {1092, {}}};
    for (const auto& [id, sliders] : surfaces) {
        click(id);
        EXPECT_EQ(checkedOf(kSurfaceRadios), std::vector<int>{id});
        EXPECT_EQ(enabledSurfaceSliders(), sliders) << id;
    }
    for (int id : {1098, 1099, 1100, 1101, 1097}) {
        click(id);
        EXPECT_EQ(checkedOf(kShapeRadios), std::vector<int>{id});
    }
    for (int id : {1087, 1087, 1091}) {
        click(id);
        EXPECT_EQ(checkedOf({1087, 1091}), std::vector<int>{id});
        EXPECT_EQ(slider(1082)->isEnabled(), id == 1087);
    }
    click(1121);
    EXPECT_FALSE(slider(1122)->isEnabled());
    click(1121);
    EXPECT_TRUE(slider(1122)->isEnabled());
}

// Hue and saturation recolour the skin (stored x1000) but send nothing to the view; the
// sliders start from the stored colour.
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

    stored.setValue("Settings/ColorChooserH", -180000);
    stored.setValue("Settings/ColorChooserS", 414);
    stored.sync();
    CVisualManager storedSkin(settingsFile());
    CColorChooserBar panel(QStringLiteral("Meida Convert"), &sink, &storedSkin);
    EXPECT_EQ(qobject_cast<QSlider*>(panel.control(1051))->value(), 0);
    EXPECT_EQ(qobject_cast<QSlider*>(panel.control(1052))->value(), 199);
}

// Steps wrap at both ends and leave every other slider alone; Reset keeps the preset index.
TEST_F(ColorChooserBarTest, PresetStepsWrapAndResetKeepsTheIndex)
{
    click(1054);
    EXPECT_EQ(bar->presetIndex(), 1);
    EXPECT_EQ(slider(1051)->value(), 150);
    EXPECT_EQ(slider(1052)->value(), 75);
    click(1055);
    click(1055);
    EXPECT_EQ(bar->presetIndex(), 22);
    click(1054);
    EXPECT_EQ(bar->presetIndex(), 0);
    for (int i = 0; i < 11; ++i)
        click(1054);
    click(1053);
    EXPECT_EQ(slider(1051)->value(), 180);
    EXPECT_EQ(slider(1052)->value(), 100);
    click(1054);
    EXPECT_EQ(bar->presetIndex(), 12);
    EXPECT_EQ(slider(1051)->value(), 330);
    EXPECT_TRUE(sink.calls.empty());
    EXPECT_EQ(slider(1105)->value(), 250);
}

// The arrows of a direction show while the content (207 x 394 dialog units) does not lie
// within the client in that direction; each click moves every control 10 pixels, without
// limit, while the arrows stay at the edges. Content moved away shows its arrows even in a
// client that is large enough, so that it can always be brought back.
TEST_F(ColorChooserBarTest, ScrollArrowsShowWhileTheContentDoesNotFitAndMoveIt)
{
    const int arrows[] = {1084, 1085, 1119, 1120};
    auto shown = [&] {
        std::vector<bool> visible;
        for (int id : arrows)
            visible.push_back(bar->control(id)->isVisible());
        return visible;
    };
    const QSize content = bar->dialogUnits().toPixels(0, 0, 207, 394).size();
    const std::pair<QSize, std::vector<bool>> sizes[] = {
        {content - QSize(1, 1), {true, true, true, true}},
        {content - QSize(0, 1), {false, false, true, true}},
        {content - QSize(1, 0), {true, true, false, false}},
        {content, {false, false, false, false}}};
    for (const auto& [size, expected] : sizes) {
        resizeClient(size);
        EXPECT_EQ(shown(), expected) << size.width() << "x" << size.height();
    }
    bar->ScrollContent(0, 10);
    EXPECT_EQ(shown(), (std::vector<bool>{false, false, true, true}));
    bar->ScrollContent(0, -10);
    EXPECT_EQ(shown(), (std::vector<bool>{false, false, false, false}));

    resizeClient(QSize(250, 400));
    const QPoint start = pos(1051), groupStart = pos(1130);
    click(1120);
    click(1120);
    click(1085);
    EXPECT_EQ(pos(1051), start + QPoint(10, 20));
    EXPECT_EQ(pos(1130), groupStart + QPoint(10, 20));
    for (int i = 0; i < 100; ++i)
        click(1084);
    click(1119);
    EXPECT_EQ(pos(1051), start + QPoint(-990, 10));
    EXPECT_EQ(bar->contentRect().topLeft(), QPoint(-990, 10));
    EXPECT_EQ(bar->control(1084)->geometry(), QRect(0, 0, 18, 18));
    EXPECT_EQ(bar->control(1085)->geometry(), QRect(232, 0, 18, 18));
    EXPECT_EQ(bar->control(1119)->geometry(), QRect(232, 18, 18, 18));
    EXPECT_EQ(bar->control(1120)->geometry(), QRect(232, 382, 18, 18));
}

// A language re-captions the panel (the captions of every language are checked at the frame);
// out-of-range indices change nothing, and image buttons keep their images.
TEST_F(ColorChooserBarTest, LanguagesOutOfRangeChangeNoCaption)
{
    bar->SetLanguage(2);
    EXPECT_EQ(text(1133), QString::fromUtf8("Base de contrôle des médias"));
    bar->SetLanguage(6);
    bar->SetLanguage(-1);
    EXPECT_EQ(text(1133), QString::fromUtf8("Base de contrôle des médias"));
    EXPECT_EQ(text(1134), "Format de l'original");
    EXPECT_TRUE(text(1054).isEmpty());
    bar->SetLanguage(0);
    EXPECT_EQ(text(1134), "Original size");
}
