#!/usr/bin/env bash
# Runs a command on a virtual display of its own (a free display number), then stops it.
set -u
exec 5<> <(:)
Xvfb -displayfd 5 -screen 0 1280x1024x24 -nolisten tcp -noreset >/dev/null 2>&1 &
xvfb=$!
trap 'kill $xvfb 2>/dev/null' EXIT
display=""
# A loaded machine can take a while to start the server.
for _ in $(seq 150); do
    read -r -t 0.2 display <&5 && break
done
if [ -z "$display" ]; then
    echo "with_xvfb: Xvfb did not start" >&2
    exit 1
fi
DISPLAY=":$display" SDL_AUDIODRIVER=dummy "$@"
