#!/usr/bin/env bash
# Plays a generated tone through Sondrix's device code into a private PulseAudio server with a
# null sink, records the sink's monitor, and reports whether the tone was heard and how soon.
# Run as root from anywhere; it installs what is missing and builds what it needs.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh pulseaudio pulseaudio-utils
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo > /dev/null
cmake --build build --target e2e_tone > /dev/null

work=$(mktemp -d)
server_pid=
recorder_pid=
cleanup() {
    [ -n "$recorder_pid" ] && kill "$recorder_pid" 2> /dev/null || true
    [ -n "$server_pid" ] && kill "$server_pid" 2> /dev/null || true
    wait 2> /dev/null || true
    rm -rf "$work"
}
trap cleanup EXIT

export XDG_RUNTIME_DIR=$work
export HOME=$work # keeps the server's cookie and state out of the real home
export PULSE_SERVER=unix:$work/native
pulseaudio -n --daemonize=no --exit-idle-time=-1 --disallow-exit --log-target=file:"$work/server.log" \
    --load="module-null-sink sink_name=sx_null rate=48000 channels=2" \
    --load="module-native-protocol-unix socket=$work/native auth-anonymous=1" &
server_pid=$!
for _ in $(seq 100); do
    pactl info > /dev/null 2>&1 && break
    sleep 0.05
done
if ! pactl info > /dev/null 2>&1; then
    echo "the sound server did not start; its log:" >&2
    cat "$work/server.log" >&2
    exit 1
fi
pactl set-default-sink sx_null

parec -d sx_null.monitor --format=float32le --channels=2 --rate=48000 --latency-msec=5 \
    > "$work/recording.raw" &
recorder_pid=$!

SDL_AUDIODRIVER=pulseaudio build/bench/e2e_tone "$work/recording.raw"
