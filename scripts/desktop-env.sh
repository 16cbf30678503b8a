# Sourced by the run and test scripts: gives the session an X display and a sound server when
# it has none (a headless machine or CI). Starts Xvfb and a PulseAudio daemon with a null sink.
if [ -z "${DISPLAY:-}" ]; then
  # Reuse a virtual display this machine already runs; otherwise start one. -noreset keeps
  # the server from resetting whenever its last client leaves, which would refuse a test
  # program that connects at that moment.
  for n in 99 98 97 96 95; do
    if DISPLAY=:$n xdpyinfo >/dev/null 2>&1; then
      export DISPLAY=:$n
      break
    fi
    if [ ! -e /tmp/.X11-unix/X$n ] && [ ! -e /tmp/.X$n-lock ]; then
      Xvfb :$n -screen 0 1600x1000x24 -nolisten tcp -noreset >/dev/null 2>&1 &
      export DISPLAY=:$n
      for _ in $(seq 50); do xdpyinfo >/dev/null 2>&1 && break; sleep 0.1; done
      break
    fi
  done
fi
export XDG_RUNTIME_DIR=${XDG_RUNTIME_DIR:-/tmp/velmora-runtime-$(id -u)}
mkdir -p "$XDG_RUNTIME_DIR" && chmod 700 "$XDG_RUNTIME_DIR"
if command -v pulseaudio >/dev/null 2>&1 && ! pactl info >/dev/null 2>&1; then
  pulseaudio --daemonize=yes --exit-idle-time=-1 --disallow-exit -n \
    --load=module-native-protocol-unix --load="module-null-sink sink_name=velmora_null" \
    --load=module-always-sink >/dev/null 2>&1 || true
  for _ in $(seq 50); do pactl info >/dev/null 2>&1 && break; sleep 0.1; done
  pactl set-default-sink velmora_null >/dev/null 2>&1 || true
fi
