#!/usr/bin/env bash
# Runs one Windows executable under Wine the way ./test does (Chinese locale, the build's
# prefix, a virtual display with a window manager unless DISPLAY is set):
#   tools/wine-run.sh build/win/tests/web/text_utils_test.exe --gtest_filter='Split*'
set -uo pipefail
source "$(dirname "$0")/env.sh"
[ -n "${DISPLAY:-}" ] || radar_start_display
radar_prepare_wine
trap 'radar_stop_display' EXIT
radar_wine "$@"
