# Sourced by the run and test scripts: gives the session an X display and a sound server when
# it has none (a headless machine or CI). Starts Xvfb and a PulseAudio daemon with a null sink.
if [ -z "${DISPLAY:-}" ]; then
  # Reuse a virtual display this machine already runs.
  for n in 99 98 97 96 95; do
    if DISPLAY=:$n timeout 5 xdpyinfo >/dev/null 2>&1; then
      export DISPLAY=:$n
      break
    fi
  done
fi
if [ -z "${DISPLAY:-}" ]; then
  # Otherwise start one and let Xvfb pick a free number: lock files left by a server that no
  # longer runs (a machine restored from an image keeps /tmp) make fixed numbers look taken.
  # Xvfb writes the number it took once it accepts connections. -noreset keeps the server
  # from resetting whenever its last client leaves, which would refuse a test program that
  # connects at that moment.
  velmora_displayfd=$(mktemp)
  Xvfb -displayfd 3 -screen 0 1600x1000x24 -nolisten tcp -noreset \
    3>"$velmora_displayfd" >/dev/null 2>&1 &
  for _ in $(seq 100); do [ -s "$velmora_displayfd" ] && break; sleep 0.1; done
  velmora_display=$(head -n 1 "$velmora_displayfd" | tr -dc '0-9')
  rm -f "$velmora_displayfd"
  if [ -z "$velmora_display" ]; then
    echo "desktop-env: no X display: Xvfb did not start" >&2
    return 1 2>/dev/null || exit 1
  fi
  export DISPLAY=:$velmora_display
  unset velmora_displayfd velmora_display
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
