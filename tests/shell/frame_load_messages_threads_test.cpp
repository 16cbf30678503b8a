// The message box names why a file cannot be played when the file itself shows it (not there,
// empty, not media, damaged, sound without a picture), in the frame's language; a picture no
// decoder takes keeps the advice to install one.
#include "FrameFixture.h"

#include "Eventually.h"
#include "MediaPlayerView.h"
#include "MediaSession.h"
#include "TestMedia.h"
#include "Transport.h"

#include <QDir>
#include <QFile>

#include <fstream>
#include <iterator>

using framefixture::FrameTest;

namespace {

std::string bytesOf(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    return std::string((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
}

// An MP4 cut in half: its index, written last, is gone.
std::string truncatedMp4()
{
    testmedia::ClipRequest wanted;
    wanted.name = "load-messages-whole.mp4";
    wanted.videoEncoder = "x264enc";
    wanted.muxer = "mp4mux";
    const std::string whole = bytesOf(testmedia::clip(wanted));
    return testmedia::writeFile("load-messages-cut.mp4", whole.substr(0, whole.size() / 2));
}

std::string soundOnlyOgg()
{
    testmedia::ClipRequest wanted;
    wanted.name = "load-messages-sound.ogg";
    wanted.frames = 0;
    wanted.audioEncoder = "vorbisenc";
    wanted.muxer = "oggmux";
    return testmedia::clip(wanted);
}

// A Matroska clip whose video codec no decoder knows.
std::string unknownCodecMkv()
{
    std::string bytes = bytesOf(testmedia::byFfmpeg(
        "load-messages-codec.mkv", "-f lavfi -i testsrc2=s=160x120:r=25:d=1 -c:v mpeg4"));
    const size_t id = bytes.find("V_MPEG4/ISO/ASP");
    if (id != std::string::npos)
        bytes.replace(id, 15, "V_VELMORA/NONE1");
    return testmedia::writeFile("load-messages-unknown.mkv", bytes);
}

class FrameLoadMessages : public FrameTest {
protected:
    // The message shown for opening path.
    QString messageFor(const std::string& path)
    {
        messages.shown.clear();
        chooser.path = QString::fromStdString(path);
        frame->dispatchCommand(Command::FileOpen);
        EXPECT_EVENTUALLY_WITHIN(!frame->activeView()->transport().isOpening(), 30000);
        EXPECT_FALSE(frame->activeView()->media().isOpen());
        if (messages.shown.size() != 1)
            return QString("%1 messages").arg(messages.shown.size());
        return messages.shown.front();
    }
};

}  // namespace

TEST_F(FrameLoadMessages, EachCauseHasItsOwnWordsInTheFramesLanguage)
{
    createFrame();
    const struct {
        std::string path;
        QString english;
    } files[] = {
        {testmedia::mediaDir() + "/load-messages-gone.mp4",
         "load-messages-gone.mp4 cannot be opened: the file is not there or cannot be read."},
        {testmedia::writeFile("load-messages-empty.mp4", ""),
         "load-messages-empty.mp4 is empty: the file holds no data."},
        {testmedia::writeFile("load-messages-letter.mp4", "Dear reader, this is a letter.\n"),
         "load-messages-letter.mp4 is not a video: no video or sound format was found in it."},
        {truncatedMp4(), "load-messages-cut.mp4 is damaged: its format is known, but its streams "
                         "cannot be read (the file may be incomplete)."},
        {soundOnlyOgg(), "load-messages-sound.ogg has sound but no picture: only files with a "
                         "video stream can be played."},
        {unknownCodecMkv(), CBCGPMediaPlayerView::kDecoderMessage},
    };
    for (const auto& file : files) {
        SCOPED_TRACE(file.path);
        EXPECT_EQ(messageFor(file.path), file.english);
    }

    ASSERT_TRUE(frame->dispatchCommand(Command::LanguageGerman));
    EXPECT_EQ(messageFor(files[1].path),
              QString::fromUtf8("load-messages-empty.mp4 ist leer: die Datei enthält keine Daten."));
    ASSERT_TRUE(frame->dispatchCommand(Command::LanguageRussian));
    EXPECT_EQ(messageFor(files[2].path),
              QString::fromUtf8("load-messages-letter.mp4 не является видео: в нём не найден ни "
                                "видео-, ни аудиоформат."));
    EXPECT_EQ(messageFor(files[5].path), CBCGPMediaPlayerView::kDecoderMessage)
        << "the decoder advice is the same in every language";

    // The program stays usable: a good file plays after them.
    testmedia::ClipRequest good;
    good.name = "load-messages-good.avi";
    messages.shown.clear();
    chooser.path = QString::fromStdString(testmedia::clip(good));
    frame->dispatchCommand(Command::FileOpen);
    ASSERT_EVENTUALLY_WITHIN(!frame->activeView()->transport().isOpening(), 30000);
    EXPECT_TRUE(frame->activeView()->media().isOpen());
    EXPECT_TRUE(messages.shown.isEmpty());
}
