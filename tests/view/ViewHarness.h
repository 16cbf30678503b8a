// A view in a window of its own, driven as the main frame drives it, with the clips the view
// tests play.
#pragma once

#include "AppState.h"
#include "Eventually.h"
#include "MediaInfoReader.h"
#include "MediaPlayerView.h"
#include "NavigationBar.h"
#include "PlayerTestDoubles.h"
#include "ProgressSlider.h"
#include "SceneRenderer.h"
#include "SceneWidget.h"
#include "TestMedia.h"
#include "Transport.h"
#include "LeakCheckSupport.h"

#include <QTest>

#include <memory>

namespace viewtest {

// 95 minutes at one frame a second (64 x 48 pixels, quick to make).
inline std::string longClip()
{
    testmedia::ClipRequest wanted;
    wanted.name = "long-95min.avi";
    wanted.width = 64;
    wanted.height = 48;
    wanted.frames = 5700;
    wanted.fps = 1;
    return testmedia::clip(wanted);
}

// Two seconds, 320 x 240.
inline std::string shortClip()
{
    testmedia::ClipRequest wanted;
    wanted.name = "short-320x240.avi";
    return testmedia::clip(wanted);
}

inline std::string clip640()
{
    testmedia::ClipRequest wanted;
    wanted.name = "clip-640x480.avi";
    wanted.width = 640;
    wanted.height = 480;
    wanted.frames = 25;
    return testmedia::clip(wanted);
}

// Ten seconds of colour bars scrolling sideways by 4 pixels a frame: every moment of the
// clip has its own picture.
inline std::string scrollingClip()
{
    return testmedia::custom(
        "scrolling-bars.avi",
        "videotestsrc num-buffers=250 pattern=smpte horizontal-speed=4 ! "
        "video/x-raw,width=320,height=240,framerate=25/1 ! videoconvert ! avenc_mpeg4 ! "
        "avimux ! filesink location=@OUT@");
}

class ViewHarness {
public:
    explicit ViewHarness(QSize client = QSize(800, 600))
    {
        view = std::make_unique<CBCGPMediaPlayerView>(app, chooser, messages, nullptr);
        // The frame dispatches the transport bar's clicks; alone, the view is the whole chain.
        QObject::connect(view.get(), &CBCGPMediaPlayerView::commandIssued, view.get(),
                         [this](Command id) { view->handleCommand(id); });
        view->resize(client);
        view->show();
        exposed = QTest::qWaitForWindowExposed(view.get());
        leakcheck::keepGlDriverLoaded();
    }

    // The main frame's open sequence: the view's open (through the file dialog), the
    // media-information reader, then playing.
    void open(const std::string& path)
    {
        chooser.answers.push_back(QString::fromStdString(path));
        openWithDialog();
    }
    void openWithDialog()
    {
        view->OpenMedia();
        waitForOpen();
        app.mediaDurationMs = mediainfo::readMediaReport(app.currentMediaPath).durationMs;
        view->transport().setPlayState(PlayState::Playing);
    }
    // The same open with the reader's answer known beforehand. A test clock that steps in
    // milliseconds would otherwise count against the previous duration until the reader is
    // done, which the program's one-second step never does.
    void openWithDuration(const std::string& path, int durationMs)
    {
        app.mediaDurationMs = durationMs;
        chooser.answers.push_back(QString::fromStdString(path));
        view->OpenMedia();
        waitForOpen();
        view->transport().setPlayState(PlayState::Playing);
    }

    // Opens (and resumes) run on a worker; the window answers meanwhile.
    void waitForOpen() const
    {
        EXPECT_TRUE(VELMORA_WAIT_FOR(!view->transport().isOpening(), 30000))
            << "the open never finished";
    }

    CNavigationBar* bar() const { return view->navigationBar(); }
    CProgressSlider* slider() const { return bar()->progressSlider(); }
    SceneRenderer& renderer() const { return view->renderer(); }
    Transport& transport() const { return view->transport(); }
    QString timeText() const { return bar()->timeText(); }
    void click(Command commandId) const
    {
        QTest::mouseClick(bar(), Qt::LeftButton, {}, bar()->buttonRect(commandId).center());
    }

    AppState app;
    QueuedFileChooser chooser;
    RecordingMessages messages;
    std::unique_ptr<CBCGPMediaPlayerView> view;
    bool exposed = false;
};

}  // namespace viewtest
