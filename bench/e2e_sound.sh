#!/usr/bin/env bash
# Plays a generated tone through Sondrix's own output into a private sound server (PulseAudio, or
# PipeWire with its PulseAudio service) with a null sink, records the sink's monitor, and reports
# whether the tone was heard and how soon. Then restarts the server and checks that the same
# output finds it again. Then counts dropouts in three 10 s tones played by Sondrix and by
# `paplay`, idle and beside two busy loops; counts the dropouts and the processor time of a
# looping play of LOOP_SECONDS (60 unless told); and starts a loop fifty times while another file
# plays, counting the switches at which the two sounded together. Last it starts the program on a
# private X display and compares the time from a key press in its file list to sound with that
# of spawning `paplay FILE` (median, p95, min, max, ratio), once through the server directly and
# once through SDL.
# Usage: bench/e2e_sound.sh [pulseaudio|pipewire] [LOOP_SECONDS]
# Run as root from anywhere; it installs what is missing and builds what it needs.
set -euo pipefail
cd "$(dirname "$0")/.."
server_kind=${1:-pulseaudio}
loop_seconds=${2:-60}
# The recorder asks the server for pieces of this many milliseconds: short pieces time a sound's
# start closely. PipeWire, though, runs its whole graph at the shortest period any stream asks
# for, so a recorder of 5 ms would make every player run on 5 ms wake-ups, as no desktop does;
# there 20 ms keeps the graph near a desktop's.
default_recorder_latency_ms=5
[ "$server_kind" = pipewire ] && default_recorder_latency_ms=20
recorder_latency_ms=${RECORDER_LATENCY_MS:-$default_recorder_latency_ms}
case $server_kind in
pulseaudio | pipewire) ;;
*)
    echo "usage: bench/e2e_sound.sh [pulseaudio|pipewire] [LOOP_SECONDS]" >&2
    exit 2
    ;;
esac
scripts/install-deps.sh pulseaudio pulseaudio-utils pipewire pipewire-pulse wireplumber dbus \
    libxtst-dev xdotool
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo > /dev/null
cmake --build build --target e2e_tone e2e_dropouts e2e_loop e2e_overlap e2e_keys sondrix > /dev/null

work=$(mktemp -d)
recording=$work/recording.raw
server_pids=()
recorder_pid=
display_pids=()
stop_display() {
    for pid in "${display_pids[@]}"; do kill "$pid" 2> /dev/null || true; done
    for pid in "${display_pids[@]}"; do wait "$pid" 2> /dev/null || true; done
    display_pids=()
}
stop_sound_server() {
    [ -n "$recorder_pid" ] && kill "$recorder_pid" 2> /dev/null || true
    [ -n "$recorder_pid" ] && wait "$recorder_pid" 2> /dev/null || true
    local pid
    for pid in "${server_pids[@]}"; do kill "$pid" 2> /dev/null || true; done
    for pid in "${server_pids[@]}"; do wait "$pid" 2> /dev/null || true; done
    recorder_pid= server_pids=()
}
trap 'stop_display; stop_sound_server; rm -rf "$work"' EXIT

export XDG_RUNTIME_DIR=$work
export HOME=$work # keeps the server's cookie and state out of the real home
export XDG_CONFIG_HOME=$work/config
# Every server and tool is ended by the time limit should this script be killed before its trap.
server_limit=$((1200 + 2 * loop_seconds))

start_pulseaudio() {
    export PULSE_SERVER=unix:$work/native
    timeout "$server_limit" pulseaudio -n --daemonize=no --exit-idle-time=-1 --disallow-exit \
        --log-target=file:"$work/server.log" \
        --load="module-null-sink sink_name=sx_null rate=48000 channels=2" \
        --load="module-native-protocol-unix socket=$work/native auth-anonymous=1" &
    server_pids+=($!)
}

# PipeWire with its session manager and its PulseAudio service; the session manager needs a
# session bus, so a private one comes first. The null sink is loaded once the service answers.
start_pipewire() {
    export PULSE_SERVER=unix:$work/pulse/native
    export DBUS_SESSION_BUS_ADDRESS=unix:path=$work/bus
    rm -f "$work/bus"
    timeout "$server_limit" dbus-daemon --session --nofork --address="$DBUS_SESSION_BUS_ADDRESS" \
        > "$work/server.log" 2>&1 &
    server_pids+=($!)
    for _ in $(seq 100); do
        [ -S "$work/bus" ] && break
        sleep 0.05
    done
    timeout "$server_limit" pipewire >> "$work/server.log" 2>&1 &
    server_pids+=($!)
    timeout "$server_limit" wireplumber >> "$work/server.log" 2>&1 &
    server_pids+=($!)
    timeout "$server_limit" pipewire-pulse >> "$work/server.log" 2>&1 &
    server_pids+=($!)
}

# Starts the server and a recorder that appends to the recording, and returns once it grows.
start_sound_server() {
    "start_$server_kind"
    for _ in $(seq 100); do
        pactl info > /dev/null 2>&1 && break
        sleep 0.05
    done
    if ! pactl info > /dev/null 2>&1; then
        echo "the sound server did not start; its log:" >&2
        cat "$work/server.log" >&2
        exit 1
    fi
    if [ "$server_kind" = pipewire ]; then
        pactl load-module module-null-sink sink_name=sx_null rate=48000 channels=2 > /dev/null
        # PIPEWIRE_QUANTUM fixes the graph's period in frames, whatever the streams ask for.
        if [ -n "${PIPEWIRE_QUANTUM:-}" ]; then
            pw-metadata -n settings 0 clock.force-quantum "$PIPEWIRE_QUANTUM" > /dev/null
        fi
    fi
    # The session manager may take a moment to offer the new sink as the default.
    for _ in $(seq 100); do
        pactl set-default-sink sx_null 2> /dev/null && break
        sleep 0.05
    done
    pactl set-default-sink sx_null
    local size
    size=$(stat -c %s "$recording" 2> /dev/null || echo 0)
    timeout "$server_limit" parec -d sx_null.monitor --format=float32le --channels=2 --rate=48000 --latency-msec="$recorder_latency_ms" \
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
echo "server: $(pactl info | sed -n 's/^Server Name: //p')"
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
    timeout "$server_limit" Xvfb "$DISPLAY" -screen 0 1280x800x24 -nolisten tcp > "$work/xvfb.log" 2>&1 &
    display_pids+=($!)
    for _ in $(seq 100); do
        xdotool getdisplaygeometry > /dev/null 2>&1 && break
        sleep 0.05
    done
    timeout "$server_limit" openbox > "$work/openbox.log" 2>&1 &
    display_pids+=($!)
    sleep 0.5
}

timeout 600 build/bench/e2e_dropouts "$recording"
timeout $((2 * loop_seconds + 180)) build/bench/e2e_loop "$recording" "$loop_seconds"
timeout 600 build/bench/e2e_overlap "$recording"

start_display
echo "key press to sound, through the sound server directly:"
timeout 600 build/bench/e2e_keys "$recording" build/app/sondrix
echo "key press to sound, through SDL's pulseaudio driver:"
SDL_AUDIODRIVER=pulseaudio timeout 600 build/bench/e2e_keys "$recording" build/app/sondrix
