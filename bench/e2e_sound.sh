#!/usr/bin/env bash
# Plays a generated tone through Sondrix's own output into a private PulseAudio server with a
# null sink, records the sink's monitor, and reports whether the tone was heard and how soon.
# Then restarts the server and checks that the same output finds it again. Then counts dropouts
# in three 10 s tones played by Sondrix and by `paplay`, idle and beside two busy loops. Last it
# starts the program on a private X display and compares the time from a key press in its file
# list to sound with that of spawning `paplay FILE` (median, min, max, ratio), once through the
# server directly and once through SDL.
# Run as root from anywhere; it installs what is missing and builds what it needs.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh pulseaudio pulseaudio-utils libxtst-dev xdotool
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo > /dev/null
cmake --build build --target e2e_tone e2e_dropouts e2e_keys sondrix > /dev/null

work=$(mktemp -d)
recording=$work/recording.raw
server_pid=
recorder_pid=
display_pids=()
stop_display() {
    for pid in "${display_pids[@]}"; do kill "$pid" 2> /dev/null || true; done
    for pid in "${display_pids[@]}"; do wait "$pid" 2> /dev/null || true; done
    display_pids=()
}
stop_sound_server() {
    [ -n "$recorder_pid" ] && kill "$recorder_pid" 2> /dev/null || true
    [ -n "$server_pid" ] && kill "$server_pid" 2> /dev/null || true
    [ -n "$recorder_pid" ] && wait "$recorder_pid" 2> /dev/null || true
    [ -n "$server_pid" ] && wait "$server_pid" 2> /dev/null || true
    recorder_pid= server_pid=
}
trap 'stop_display; stop_sound_server; rm -rf "$work"' EXIT

export XDG_RUNTIME_DIR=$work
export HOME=$work # keeps the server's cookie and state out of the real home
export PULSE_SERVER=unix:$work/native
export XDG_CONFIG_HOME=$work/config

# Starts the server and a recorder that appends to the recording, and returns once it grows.
start_sound_server() {
    pulseaudio -n --daemonize=no --exit-idle-time=-1 --disallow-exit \
        --log-target=file:"$work/server.log" \
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
    local size
    size=$(stat -c %s "$recording" 2> /dev/null || echo 0)
    parec -d sx_null.monitor --format=float32le --channels=2 --rate=48000 --latency-msec=5 \
        >> "$recording" &
    recorder_pid=$!
    for _ in $(seq 200); do
        [ "$(stat -c %s "$recording")" -gt "$size" ] && return
        sleep 0.05
    done
    echo "the recorder wrote nothing for 10 s" >&2
    exit 1
}

start_sound_server
coproc TONE { build/bench/e2e_tone "$recording"; }
tone_pid=$TONE_PID # bash forgets these once the tool has ended, before its last lines are read
exec {from_tone}<&"${TONE[0]}" {to_tone}>&"${TONE[1]}"
while IFS= read -r line <&"$from_tone"; do
    echo "$line"
    if [ "$line" = "restart the sound server" ]; then
        stop_sound_server
        start_sound_server
        echo restarted >&"$to_tone"
    fi
done
wait "$tone_pid"

# A private display with a window manager, so that the program's window takes the focus as it
# would on a desktop.
start_display() {
    local number
    for number in $(seq 90 199); do
        [ -e "/tmp/.X11-unix/X$number" ] || [ -e "/tmp/.X$number-lock" ] || break
    done
    export DISPLAY=:$number
    Xvfb "$DISPLAY" -screen 0 1280x800x24 -nolisten tcp > "$work/xvfb.log" 2>&1 &
    display_pids+=($!)
    for _ in $(seq 100); do
        xdotool getdisplaygeometry > /dev/null 2>&1 && break
        sleep 0.05
    done
    openbox > "$work/openbox.log" 2>&1 &
    display_pids+=($!)
    sleep 0.5
}

timeout 600 build/bench/e2e_dropouts "$recording"

start_display
echo "key press to sound, through the sound server directly:"
timeout 600 build/bench/e2e_keys "$recording" build/app/sondrix
echo "key press to sound, through SDL's pulseaudio driver:"
SDL_AUDIODRIVER=pulseaudio timeout 600 build/bench/e2e_keys "$recording" build/app/sondrix
