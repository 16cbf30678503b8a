// PlaybackStats: the once-a-second statistics line of `VelmoraPlayer --stats`, on standard
// error:
//   stats: decoded 30 shown 30 dropped 0 skipped 0 draws 31 draw-mean 4.2 ms draw-max 6.1 ms cpu 23.5 %
// decoded, shown, dropped and skipped count video frames of the last second: decoded reached
// the library's texture filter, dropped were dropped there as too late, skipped were copied
// but replaced by a newer one before a draw took them, shown were drawn. draws counts every
// drawn picture (a moving scene draws without new frames), with the mean and longest time a
// draw took. cpu is the whole process's processor time over the second, in percent of one
// core.
#pragma once

#include <QElapsedTimer>
#include <QObject>
#include <QString>
#include <QTimer>

#include <cstdio>

class MediaSession;
class SceneRenderer;

struct StatsSecond {
    unsigned long long decoded = 0, shown = 0, dropped = 0, skipped = 0, draws = 0;
    double drawMeanMs = 0.0, drawMaxMs = 0.0, cpuPercent = 0.0;
};

QString formatStatsLine(const StatsSecond& s);

class PlaybackStats : public QObject {
    Q_OBJECT
public:
    // Writes to out (standard error by default) every second from now on.
    PlaybackStats(const MediaSession& media, const SceneRenderer& renderer,
                  QObject* parent = nullptr, std::FILE* out = stderr);

    // A picture was drawn in this many milliseconds.
    void drawn(double ms);

private:
    void report();
    static double processCpuSeconds();

    const MediaSession& media_;
    const SceneRenderer& renderer_;
    std::FILE* out_;
    QTimer timer_;
    QElapsedTimer wall_;
    double cpuAtStart_ = 0.0;
    // Library counts and frames shown at the start of the second. A new video restarts the
    // library's counts: a count that went down is taken from zero.
    unsigned long long decoded_ = 0, copied_ = 0, dropped_ = 0, taken_ = 0;
    long long shown_ = 0;
    unsigned long long draws_ = 0;
    double drawTotalMs_ = 0.0, drawMaxMs_ = 0.0;
};
