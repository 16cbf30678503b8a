// Captions fitted into the width they have (whole, narrowed, then elided), different captions
// kept apart on screen, and the room a caption of the panel may take.
#include "CaptionFit.h"
#include "ColorChooserControls.h"
#include "ColorChooserTemplate.h"

#include <QFontMetrics>

#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

using captionfit::fit;
using captionfit::withStretch;

namespace {

int advance(const QFont& font, const QString& text)
{
    return QFontMetrics(font).horizontalAdvance(text);
}

}  // namespace

TEST(CaptionFit, WholeThenNarrowedThenElided)
{
    const QFont font = panel::panelFont();
    const QString text = QString::fromUtf8("Частота воспроизведения:");
    const int full = advance(font, text);

    captionfit::FittedCaption f = fit(font, text, full);
    EXPECT_EQ(f.shown, text);
    EXPECT_EQ(f.stretch, 100);
    EXPECT_FALSE(f.elided);

    // A little too narrow: all of it, in a narrower font that really fits.
    const int ninetenths = full * 9 / 10;
    f = fit(font, text, ninetenths);
    EXPECT_EQ(f.shown, text);
    EXPECT_FALSE(f.elided);
    EXPECT_LT(f.stretch, 100);
    EXPECT_GE(f.stretch, captionfit::kStretchFloor);
    EXPECT_LE(advance(withStretch(font, f.stretch), text), ninetenths);

    // Far too narrow: the readable floor, and then the end elided.
    f = fit(font, text, full / 2);
    EXPECT_TRUE(f.elided);
    EXPECT_EQ(f.stretch, captionfit::kStretchFloor);
    ASSERT_TRUE(f.shown.endsWith(QChar(0x2026)));
    EXPECT_TRUE(text.startsWith(f.shown.chopped(1)));
    EXPECT_LE(advance(withStretch(font, f.stretch), f.shown), full / 2);

    // Not placed yet: nothing to fit into.
    EXPECT_EQ(fit(font, text, 0).shown, text);
}

// Four captions that differ only at their ends are elided in the middle, so the numbers stay;
// a caption that clashes with none keeps its plain end elision, and equal captions may look
// the same.
TEST(CaptionFit, DifferentCaptionsStayApartOnScreen)
{
    const QFont font = panel::panelFont();
    const int width = advance(font, QString::fromUtf8("Сектантская")) * 3 / 4;
    std::vector<captionfit::Caption> captions;
    for (char n : {'1', '2', '3', '4'})
        captions.push_back({QString::fromUtf8("Сектантская молельня ") + QChar(n), width, {}});
    captions.push_back({QString::fromUtf8("Частота воспроизведения:"), width, {}});
    captions.push_back({QStringLiteral("Cube"), width, {}});
    captions.push_back({QStringLiteral("Cube"), width, {}});
    captionfit::fitAll(font, captions);

    for (size_t i = 0; i < 4; ++i) {
        const captionfit::FittedCaption& f = captions[i].fitted;
        EXPECT_TRUE(f.elided) << i;
        EXPECT_TRUE(f.shown.endsWith(QChar('1' + static_cast<int>(i)))) << f.shown.toStdString();
        EXPECT_LE(advance(withStretch(font, f.stretch), f.shown), width);
        for (size_t j = 0; j < i; ++j)
            EXPECT_NE(f.shown, captions[j].fitted.shown);
    }
    EXPECT_TRUE(captions[4].fitted.shown.endsWith(QChar(0x2026)));
    EXPECT_EQ(captions[5].fitted.shown, "Cube");
    EXPECT_EQ(captions[6].fitted.shown, "Cube");
}

// A caption reaches to one unit before the next control on its row, or else to three units
// inside its group box; it never gets less than its own width.
TEST(CaptionRoom, ReachesTheNextControlOrTheInsideOfItsGroup)
{
    auto room = [](int id) {
        const auto all = panel::controlTemplate();
        const auto it = std::find_if(all.begin(), all.end(),
                                     [id](const panel::ControlTemplate& t) { return t.id == id; });
        return it == all.end() ? -1 : panel::captionRoom(*it);
    };
    EXPECT_EQ(room(1131), 42);   // "Hue:" up to the hue slider at 46
    EXPECT_EQ(room(1137), 44);   // "Play Rate:" up to its slider at 54
    EXPECT_EQ(room(1140), 45);   // "Bethel 1" up to its depth slider at 67
    EXPECT_EQ(room(1134), 185);  // "Original size": nothing beside it, group ends at 207
    EXPECT_EQ(room(1153), 87);   // "Modify" over the depth sliders, group ends at 206
    EXPECT_EQ(room(1151), 110);  // "Taper", last on its row
    EXPECT_EQ(room(1148), 55);   // "Cube" up to the "Sphere" radio at 149
}
