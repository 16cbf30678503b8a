#!/usr/bin/env bash
# Sets everything up and runs the main program. With no file argument it plays a clip it
# makes itself.
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
bash "$root/scripts/install-deps.sh"
# A display (a virtual one on a headless machine) and a sound server for the player.
source "$root/scripts/desktop-env.sh"
BUILD_DIR=$root/build bash "$root/scripts/build.sh"
if [ $# -eq 0 ]; then
  clip=${XDG_CACHE_HOME:-$HOME/.cache}/velmora/demo.mp4
  if [ ! -s "$clip" ]; then
    mkdir -p "$(dirname "$clip")"
    gst-launch-1.0 -q videotestsrc num-buffers=600 pattern=smpte ! \
      video/x-raw,width=640,height=480,framerate=25/1 ! timeoverlay font-desc="Sans 36" ! \
      x264enc ! mp4mux name=m ! filesink location="$clip" \
      audiotestsrc num-buffers=1000 wave=ticks ! audioconvert ! avenc_aac ! m. >/dev/null
  fi
  set -- "$clip"
fi
if [ -x "$root/build/bin/VelmoraPlayer" ]; then
  exec "$root/build/bin/VelmoraPlayer" "$@"
fi
exec "$root/build/bin/framelift-probe" "$@"
