#!/usr/bin/env python3
"""player_cpu_bench.py [--player PATH] [--clip CLIP] [--seconds N] [--rounds R]

Starts VelmoraPlayer --stats in the current X display (run it under scripts/desktop-env.sh
or any X server) and reports, side by side in one run, on a 1920x1080 30 fps H.264 clip:
  - CPU of the player at rest, with no file;
  - CPU while the clip is paused (the media Play key toggles it);
  - CPU and frames shown a second while it plays;
  - mpv's CPU on the same clip and window size, when mpv is installed,
and the ratios the goals are set in: idle and paused under 2 % of one core, at least 29.5
frames a second shown, playing at most 1.5 times mpv's CPU.

CPU is read from /proc (user + system time of the process and its threads) over a window
of N seconds after a settling time; frames shown come from the player's own --stats lines.
The player and mpv take turns R times and the medians are reported: on a shared or virtual
machine one window of a few seconds can be off by a third either way.
Without --clip the clip is encoded into a temporary folder first.
"""
import argparse
import os
import re
import shutil
import statistics
import subprocess
import sys
import tempfile
import time

TICKS = os.sysconf("SC_CLK_TCK")
STATS = re.compile(r"stats: decoded (\d+) shown (\d+) dropped (\d+) skipped (\d+) draws (\d+) "
                   r"draw-mean ([\d.]+) ms draw-max ([\d.]+) ms cpu ([\d.]+) %")


def cpu_seconds(pid):
    with open(f"/proc/{pid}/stat") as f:
        fields = f.read().rsplit(")", 1)[1].split()
    return (int(fields[11]) + int(fields[12])) / TICKS  # utime, stime


def make_clip(folder):
    clip = os.path.join(folder, "bench-1080p30.mp4")
    subprocess.run(
        ["gst-launch-1.0", "-q", "videotestsrc", "num-buffers=600", "pattern=smpte",
         "horizontal-speed=4", "!", "video/x-raw,width=1920,height=1080,framerate=30/1", "!",
         "videoconvert", "!", "video/x-raw,format=I420", "!", "x264enc", "speed-preset=veryfast", "!", "mp4mux", "!",
         "filesink", f"location={clip}"], check=True)
    return clip


class Player:
    def __init__(self, command, log_path):
        self.log = open(log_path, "w+")
        self.proc = subprocess.Popen(command, stdout=subprocess.DEVNULL, stderr=self.log)

    def measure(self, settle, seconds):
        time.sleep(settle)
        self.log.seek(0, os.SEEK_END)
        start_pos = self.log.tell()
        c0, t0 = cpu_seconds(self.proc.pid), time.monotonic()
        time.sleep(seconds)
        c1, t1 = cpu_seconds(self.proc.pid), time.monotonic()
        self.log.seek(start_pos)
        lines = [STATS.search(l) for l in self.log.read().splitlines()]
        stats = [m for m in lines if m]
        shown = sum(int(m.group(2)) for m in stats) / len(stats) if stats else float("nan")
        draw = sum(float(m.group(6)) for m in stats) / len(stats) if stats else float("nan")
        return 100.0 * (c1 - c0) / (t1 - t0), shown, draw

    def window(self):
        """The player's largest visible window (the top-level), as (id, x, y, w, h)."""
        out = subprocess.run(["xdotool", "search", "--sync", "--onlyvisible", "--pid",
                              str(self.proc.pid)], capture_output=True, text=True, timeout=30)
        best = None
        for wid in out.stdout.split():
            geo = subprocess.run(["xdotool", "getwindowgeometry", "--shell", wid],
                                 capture_output=True, text=True, timeout=10).stdout
            g = dict(line.split("=", 1) for line in geo.split() if "=" in line)
            if not {"X", "Y", "WIDTH", "HEIGHT"} <= g.keys():
                continue
            box = (wid, int(g["X"]), int(g["Y"]), int(g["WIDTH"]), int(g["HEIGHT"]))
            if best is None or box[3] * box[4] > best[3] * best[4]:
                best = box
        return best

    def key(self, name):
        # A click in the picture area gives the view the keyboard (there may be no window
        # manager to give it focus), then the key goes to it.
        win = self.window()
        if win:
            _, x, y, w, h = win
            # No --sync: it waits for the pointer to move, which it never does when an earlier
            # run left it on the same spot.
            subprocess.run(["xdotool", "mousemove", str(x + w * 7 // 10), str(y + h * 4 // 10),
                            "click", "1"], timeout=10)
            time.sleep(0.3)
        subprocess.run(["xdotool", "key", name], timeout=10)

    def stop(self):
        self.proc.terminate()
        try:
            self.proc.wait(10)
        except subprocess.TimeoutExpired:
            self.proc.kill()
            self.proc.wait()
        self.log.close()


def main():
    here = os.path.dirname(os.path.abspath(__file__))
    parser = argparse.ArgumentParser()
    parser.add_argument("--player", default=os.path.join(here, "..", "..", "build", "bin",
                                                         "VelmoraPlayer"))
    parser.add_argument("--clip")
    parser.add_argument("--seconds", type=float, default=10.0)
    parser.add_argument("--rounds", type=int, default=3)
    args = parser.parse_args()
    if "DISPLAY" not in os.environ:
        sys.exit("needs an X display (source scripts/desktop-env.sh)")
    folder = tempfile.mkdtemp(prefix="player-bench-")
    try:
        clip = args.clip or make_clip(folder)
        log = os.path.join(folder, "stats.log")
        n = args.seconds

        p = Player([args.player, "--stats"], log)
        idle, _, _ = p.measure(4, n)
        p.stop()

        rounds = []
        for _ in range(max(1, args.rounds)):
            p = Player([args.player, "--stats", clip], log)
            playing, shown, draw = p.measure(5, n)
            p.key("XF86AudioPlay")
            paused, paused_shown, _ = p.measure(2, n)
            p.stop()

            mpv = None
            if shutil.which("mpv"):
                m = Player(["mpv", "--really-quiet", "--loop=inf", "--vo=gpu", "--gpu-sw=yes",
                            "--geometry=586x540", clip], log)
                mpv, _, _ = m.measure(5, n)
                m.stop()
            rounds.append((playing, shown, draw, paused, paused_shown, mpv))
            line = f"round {len(rounds)}: playing {playing:.1f} %, {shown:.1f} frames/s, " \
                   f"paused {paused:.1f} %"
            if mpv is not None:
                line += f", mpv {mpv:.1f} %, ratio {playing / mpv:.2f}"
            print(line, flush=True)

        def median(i):
            return statistics.median(r[i] for r in rounds)
        playing, shown, draw, paused, paused_shown = (median(i) for i in range(5))
        mpv = median(5) if rounds[0][5] is not None else None

        print(f"clip: {clip}; medians of {len(rounds)} rounds")
        print(f"idle, no file:      {idle:6.1f} % of one core (goal < 2)")
        print(f"paused:             {paused:6.1f} % (goal < 2), frames shown "
              f"{paused_shown:.1f}/s")
        print(f"playing 1080p30:    {playing:6.1f} %, frames shown {shown:.1f}/s "
              f"(goal >= 29.5), mean draw {draw:.1f} ms")
        if mpv is not None:
            print(f"mpv playing:        {mpv:6.1f} %; ratio VelmoraPlayer / mpv "
                  f"{playing / mpv:.2f} (goal <= 1.5); ratios of the rounds, median "
                  f"{statistics.median(r[0] / r[5] for r in rounds):.2f}")
        else:
            print("mpv: not installed, no comparison")
    finally:
        shutil.rmtree(folder, ignore_errors=True)


if __name__ == "__main__":
    main()
