#include "PlaybackStats.h"

#include "MediaSession.h"
#include "SceneRenderer.h"

#include <sys/resource.h>

#include <algorithm>

namespace {

unsigned long long since(unsigned long long now, unsigned long long& before)
{
    const unsigned long long delta = now >= before ? now - before : now;
    before = now;
    return delta;
}

}  // namespace

QString formatStatsLine(const StatsSecond& s)
{
    return QStringLiteral("stats: decoded %1 shown %2 dropped %3 skipped %4 draws %5 "
                          "draw-mean %6 ms draw-max %7 ms cpu %8 %")
        .arg(s.decoded)
        .arg(s.shown)
        .arg(s.dropped)
        .arg(s.skipped)
        .arg(s.draws)
        .arg(s.drawMeanMs, 0, 'f', 1)
        .arg(s.drawMaxMs, 0, 'f', 1)
        .arg(s.cpuPercent, 0, 'f', 1);
}

PlaybackStats::PlaybackStats(const MediaSession& media, const SceneRenderer& renderer,
                             QObject* parent, std::FILE* out)
    : QObject(parent), media_(media), renderer_(renderer), out_(out)
{
    const MediaSession::FrameCounts c = media_.frameCounts();
    decoded_ = c.decoded;
    copied_ = c.copied;
    dropped_ = c.dropped;
    taken_ = c.taken;
    shown_ = renderer_.framesShown();
    cpuAtStart_ = processCpuSeconds();
    wall_.start();
    connect(&timer_, &QTimer::timeout, this, &PlaybackStats::report);
    timer_.start(1000);
}

void PlaybackStats::drawn(double ms)
{
    ++draws_;
    drawTotalMs_ += ms;
    drawMaxMs_ = std::max(drawMaxMs_, ms);
}

double PlaybackStats::processCpuSeconds()
{
    rusage usage{};
    if (getrusage(RUSAGE_SELF, &usage) != 0)
        return 0.0;
    auto secs = [](const timeval& t) { return t.tv_sec + t.tv_usec / 1e6; };
    return secs(usage.ru_utime) + secs(usage.ru_stime);
}

void PlaybackStats::report()
{
    StatsSecond s;
    const MediaSession::FrameCounts c = media_.frameCounts();
    s.decoded = since(c.decoded, decoded_);
    s.dropped = since(c.dropped, dropped_);
    const unsigned long long copied = since(c.copied, copied_);
    const unsigned long long taken = since(c.taken, taken_);
    s.skipped = copied > taken ? copied - taken : 0;
    const long long shownNow = renderer_.framesShown();
    s.shown = static_cast<unsigned long long>(std::max(0LL, shownNow - shown_));
    shown_ = shownNow;
    s.draws = draws_;
    s.drawMeanMs = draws_ ? drawTotalMs_ / static_cast<double>(draws_) : 0.0;
    s.drawMaxMs = drawMaxMs_;
    draws_ = 0;
    drawTotalMs_ = drawMaxMs_ = 0.0;
    const double cpu = processCpuSeconds();
    const double wall = static_cast<double>(wall_.restart()) / 1000.0;
    s.cpuPercent = wall > 0.0 ? 100.0 * (cpu - cpuAtStart_) / wall : 0.0;
    cpuAtStart_ = cpu;
    std::fprintf(out_, "%s\n", formatStatsLine(s).toUtf8().constData());
    std::fflush(out_);
}
