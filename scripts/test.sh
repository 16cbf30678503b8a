#!/usr/bin/env bash
# Sets everything up and runs every test: installs the packages, builds, starts a display and
# a sound server where there are none, runs the suite, then the sanitizer passes.
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
bash "$root/scripts/install-deps.sh"
source "$root/scripts/desktop-env.sh"
export QT_QPA_PLATFORM=${QT_QPA_PLATFORM:-xcb}

BUILD_DIR=$root/build bash "$root/scripts/build.sh"
ctest --test-dir "$root/build" --output-on-failure -j2 --timeout 120

if [ "${VELMORA_SANITIZERS:-1}" = 1 ]; then
  # Address and undefined-behaviour sanitizers over the whole suite.
  (
    export ASAN_OPTIONS=detect_leaks=1:abort_on_error=1
    export LSAN_OPTIONS=suppressions=$root/tests/lsan.supp
    export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
    BUILD_DIR=$root/build-asan bash "$root/scripts/build.sh" \
      -DVELMORA_SANITIZE="address;undefined" -DVELMORA_BUILD_BENCH=OFF
    ctest --test-dir "$root/build-asan" --output-on-failure -j2 --timeout 240 -LE stress
    # The long scenario stress: its seek storms and the cases that once crashed or deadlocked.
    ctest --test-dir "$root/build-asan" --output-on-failure -j2 --timeout 240 -L stress \
      -R 'FromThreeThreads|SetRateThenSeeks|RateThenStop|TinyRates|SeekStormWhilePlayingAndPaused/ramp_h264_aac'
  )
  # Thread sanitizer over the tests of code that runs on more than one thread.
  (
    export TSAN_OPTIONS="halt_on_error=1 suppressions=$root/tests/tsan.supp"
    BUILD_DIR=$root/build-tsan bash "$root/scripts/build.sh" -DVELMORA_SANITIZE=thread \
      -DVELMORA_BUILD_BENCH=OFF
    ctest --test-dir "$root/build-tsan" --output-on-failure -j2 --timeout 240 -L threads
    # From the long scenario stress, the cases that call one handle from several threads and
    # the sequences that once deadlocked.
    ctest --test-dir "$root/build-tsan" --output-on-failure -j2 --timeout 240 -L stress \
      -R 'FromThreeThreads|SetRateThenSeeks|RateThenStop|FortyOpenClose'

  )
fi
