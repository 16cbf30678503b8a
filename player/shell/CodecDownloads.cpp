#include "CodecDownloads.h"

#include "CommandIds.h"

namespace codecdownloads {
namespace {

// FFmpeg's decoders (MPEG-4 part 2 as DivX, Xvid and ffdshow wrote it, H.264, WMV, RealVideo,
// most sound formats) come with gstreamer1.0-libav; DVD playback and MPEG-2 with -ugly;
// QuickTime files need -good's demuxer; the codecs page explains the whole set.
constexpr const char* kLibav = "https://packages.debian.org/stable/gstreamer1.0-libav";
constexpr const char* kUgly = "https://packages.debian.org/stable/gstreamer1.0-plugins-ugly";
constexpr const char* kGood = "https://packages.debian.org/stable/gstreamer1.0-plugins-good";
constexpr const char* kCodecsGuide = "https://wiki.debian.org/MultimediaCodecs";

constexpr CodecDownload kDownloads[] = {
    {Command::DownloadPerfectDecoder, "Pure Codec 2009", "PureCodec20091001.exe", kLibav},
    {Command::DownloadKLite, "K-Lite Mega Codec Pack", "klmcodec.exe", kCodecsGuide},
    {Command::DownloadFfdshow, "FFDShow MPEG4 Video Decoder", "ffdshow.exe", kLibav},
    {Command::DownloadDivx, "Divx Codec Pack", "DivXInstaller.exe", kLibav},
    {Command::DownloadXvid, "Xvid Codec Pack", "Xvid.exe", kLibav},
    {Command::DownloadQuickTime, "Apple Quick Time Full", "quicktimefull.exe", kGood},
    {Command::DownloadDvdDecoder, "DVD Decoder", "DVDDecoder.exe", kUgly},
};

}  // namespace

std::span<const CodecDownload> all()
{
    return kDownloads;
}

const CodecDownload* forCommand(Command command)
{
    for (const CodecDownload& download : kDownloads)
        if (download.command == command)
            return &download;
    return nullptr;
}

}  // namespace codecdownloads
