#!/usr/bin/env bash
# Runs a command with the local tracking service listening on a free loopback port; the
# command finds its address in RADAR_TEST_SERVICE ("http://127.0.0.1:PORT").
#   tools/with-tracking-service.sh SERVICE_BINARY [SERVICE_OPTIONS...] -- COMMAND [ARGS...]
set -uo pipefail
service=$1
shift
options=()
while [ $# -gt 0 ] && [ "$1" != "--" ]; do options+=("$1"); shift; done
[ "${1:-}" = "--" ] && shift
[ -x "$service" ] || { echo "with-tracking-service: no service at $service" >&2; exit 1; }

exec 3< <("$service" --port 0 --print-port "${options[@]}")
service_pid=$!
trap 'kill "$service_pid" 2>/dev/null; wait "$service_pid" 2>/dev/null' EXIT
read -r -t 20 port <&3 || { echo "with-tracking-service: the service did not start" >&2; exit 1; }
export RADAR_TEST_SERVICE="http://127.0.0.1:$port"
"$@"
