#!/usr/bin/env bash
# Builds and runs the tracking-run benchmark: one run of 1,000 numbers against the local
# tracking service answering each request after a fixed delay.
#   tools/benchmark.sh [--delay-ms 5] [--numbers 1000]
set -uo pipefail
source "$(dirname "$0")/env.sh"
delay=5
numbers=1000
while [ $# -gt 0 ]; do
    case $1 in
    --delay-ms) delay=$2; shift 2 ;;
    --numbers) numbers=$2; shift 2 ;;
    *) echo "usage: tools/benchmark.sh [--delay-ms N] [--numbers N]" >&2; exit 2 ;;
    esac
done
radar_install || exit 1
radar_build --target tracking_service tracking_run_benchmark >/dev/null 2>&1 || radar_build || exit 1
[ -n "${DISPLAY:-}" ] || radar_start_display
radar_prepare_wine
trap 'radar_stop_display' EXIT
"$RADAR_ROOT/tools/with-tracking-service.sh" "$RADAR_NATIVE_BUILD/tools/tracking_service/tracking_service" \
    --delay-ms "$delay" -- bash -c 'LC_ALL='"$RADAR_WINE_LOCALE"' wine "$0" --service "$RADAR_TEST_SERVICE" --delay-ms "$1" --numbers "$2"' \
    "$RADAR_WIN_BUILD/tools/benchmark/tracking_run_benchmark.exe" "$delay" "$numbers"
