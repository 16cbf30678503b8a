#!/usr/bin/env bash
# Installs every Debian package VelmoraPlayer and Framelift need to build, run and test.
# Safe to run again: apt-get skips what is already there.
set -euo pipefail

packages=(
  # toolchain and test frameworks
  build-essential cmake pkg-config git
  libgtest-dev libgmock-dev libbenchmark-dev
  # Qt 6 widgets with OpenGL, fixed-function GL and GLU
  qt6-base-dev qt6-base-dev-tools libqt6opengl6-dev libqt6openglwidgets6
  libgl-dev libglu1-mesa-dev libgl1-mesa-dri mesa-utils
  # GStreamer: core, base, and the plugin sets that play what users open
  libgstreamer1.0-dev libgstreamer-plugins-base1.0-dev
  gstreamer1.0-tools gstreamer1.0-plugins-base gstreamer1.0-plugins-good
  gstreamer1.0-plugins-bad gstreamer1.0-plugins-ugly gstreamer1.0-libav
  gstreamer1.0-pulseaudio gstreamer1.0-alsa
  # text overlays (timeoverlay) for the demo clip that scripts/run.sh makes
  gstreamer1.0-x
  # media information and sound
  libmediainfo-dev libmediainfo0v5 libpulse-dev pulseaudio pulseaudio-utils
  # headless X for GUI tests, screenshots, test media, fonts
  xvfb xauth x11-utils imagemagick ffmpeg fonts-dejavu-core fonts-noto-cjk
  # Qt's Wayland platform: the program runs natively in Wayland sessions
  qt6-wayland
  # PNG skin source rendering
  python3
  # the desktop entry, icon and AppStream data: icon rendering and the validators; the
  # install test finds the installed program's window with xdotool
  librsvg2-bin desktop-file-utils appstream xdotool
  # the Debian package (dpkg-shlibdeps)
  dpkg-dev
)

if [ "$(id -u)" -ne 0 ]; then SUDO=sudo; else SUDO=; fi
export DEBIAN_FRONTEND=noninteractive
missing=()
for p in "${packages[@]}"; do
  dpkg -s "$p" >/dev/null 2>&1 || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
  $SUDO apt-get update -qq
  $SUDO apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi
