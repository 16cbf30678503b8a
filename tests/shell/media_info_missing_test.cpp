// The player on a system where libmediainfo.so.0 cannot be used: this program finds a library
// of that name without MediaInfo's functions first (see CMakeLists.txt). The pages then say so,
// once, twice, three and four times, and the duration stays unknown.
#include "FrameFixture.h"

#include "EqualizerBar.h"
#include "Eventually.h"
#include "MediaInfoLibrary.h"
#include "MediaInfoRead.h"
#include "TestMedia.h"

#include <QPlainTextEdit>

#include <dlfcn.h>

using framefixture::FrameTest;

TEST_F(FrameTest, WithoutAUsableMediaInfoThePagesSaySoAndTheDurationIsUnknown)
{
    // The library found by that name is the stand-in, which lacks the functions.
    void* found = dlopen(mediainfo::kLibraryName, RTLD_NOW | RTLD_LOCAL);
    ASSERT_NE(found, nullptr);
    EXPECT_EQ(dlsym(found, "MediaInfoA_New"), nullptr);
    dlclose(found);
    EXPECT_EQ(mediainfo::api(), nullptr);

    createFrame();
    testmedia::ClipSpec wanted;
    wanted.name = "missing-mediainfo.avi";
    wanted.frames = 50;
    app.mediaDurationMs = 1234;
    frame->OpenMediaFile(QString::fromStdString(testmedia::clip(wanted)));
    CEqualizerBar* panel = frame->mediaInfoPanel();
    const QString once = "Unable to load libmediainfo.so.0";
    ASSERT_EVENTUALLY(panel->page(0)->toPlainText() == once);
    EXPECT_EQ(panel->page(1)->toPlainText(), once.repeated(2));
    EXPECT_EQ(panel->page(2)->toPlainText(), once.repeated(3));
    EXPECT_EQ(panel->page(3)->toPlainText(), once.repeated(4));
    EXPECT_EQ(app.mediaDurationMs, 0);
    ASSERT_EVENTUALLY(MediaInfoRead::runningWorkers() == 0);
}
