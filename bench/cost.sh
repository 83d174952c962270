#!/usr/bin/env bash
# What the player costs to run, printed as figures (a benchmark, not a test: nothing here
# passes or fails on a figure).
#
#   1. Playing: CPU time and peak memory while a 30 s MP3 plays into a PulseAudio null sink,
#      beside libmpv alone playing the same file the same way, in the same run.
#      - libmpv alone: bench/mpv_alone, the player's libmpv back end with no window.
#      - corvessa: bench/corvessa_play, the program's own splash and main window with all their
#        timers on an Xvfb display and the real back end; the song is double-clicked from inside
#        the program, not through the X pointer.
#      - the same with the main window's 1 ms timers switched off, to show their share.
#   2. Idle: CPU over 10 s with no song, of the real `corvessa` binary on Xvfb once its window
#      has unrolled; then the same program with its 1 ms timers at 16 ms and switched off.
#
#   bench/cost.sh [BUILD_DIR]     (default: build; needs corvessa, bench/mpv_alone and
#                                  bench/corvessa_play built there)
# Needs xvfb, x11-utils, xdotool, pulseaudio, pulseaudio-utils, lame and sox (scripts/bench.sh
# installs them).
set -uo pipefail

root=$(cd "$(dirname "$0")/.." && pwd)
build=$(cd "${1:-$root/build}" 2>/dev/null && pwd) || {
    echo "cost.sh: no build folder ${1:-$root/build}" >&2
    exit 2
}
tools=$root/tests/tools
source "$tools/x_probe.sh"

readonly song_seconds=30
readonly idle_seconds=10
# After the main window appears: it unrolls in a few seconds; only then is it idle.
readonly settle_seconds=5

for program in "$build/corvessa" "$build/bench/mpv_alone" "$build/bench/corvessa_play"; do
    [[ -x $program ]] || {
        echo "cost.sh: $program is not built" >&2
        exit 2
    }
done

work=$(mktemp -d "${TMPDIR:-/tmp}/corvessa-cost.XXXXXX") || exit 1
app_pid=
cleanup() {
    stop_app "$app_pid"
    "$tools/xsession.sh" stop "$work/x"
    "$tools/pulse_server.sh" stop "$work/pulse"
    rm -rf "$work"
}
trap cleanup EXIT
trap 'exit 130' INT TERM

fail() {
    echo "cost.sh: $*" >&2
    exit 1
}

"$tools/make_mp3.sh" "$work/song.mp3" "$song_seconds" 440 || fail "could not make the MP3"

pulse_env=$("$tools/pulse_server.sh" start "$work/pulse" $$) || fail "no PulseAudio server"
while IFS= read -r line; do export "${line?}"; done <<<"$pulse_env"
session=$("$tools/xsession.sh" start "$work/x" $$) || fail "no X display"
export "${session?}"
mkdir -p "$work/runtime" && chmod 700 "$work/runtime"
export XDG_RUNTIME_DIR=$work/runtime QT_QPA_PLATFORM=xcb
unset WAYLAND_DISPLAY

# "key=value" out of the program's own line.
figure() { sed -n "s/.*\\b$1=\\([0-9.]*\\).*/\\1/p" "$work/out" | head -n 1; }

# Runs a bench program, which prints its own figures, into $work/out, and sets cpu and wall
# from them. Halfway through the song it looks whether a stream plays into the null sink, and
# sets sink_seen to yes or no.
run_bench() {
    "$@" >"$work/out" 2>"$work/err" &
    local pid=$!
    sink_seen=no
    local i
    for ((i = 0; i < song_seconds * 10 / 2; i++)); do
        runs "$pid" || break
        sleep 0.1
    done
    if pactl list short sink-inputs 2>/dev/null | grep -q .; then sink_seen=yes; fi
    wait "$pid" || {
        cat "$work/err" >&2
        fail "$1 failed"
    }
    cpu=$(figure cpu_s)
    wall=$(figure wall_s)
    [[ -n $cpu && -n $wall ]] || fail "no figures from $1: $(cat "$work/out")"
}
percent() { awk -v c="$1" -v w="$2" 'BEGIN { printf "%.2f", 100 * c / w }'; }

echo "Corvessa cost benchmark, $(date -u '+%Y-%m-%d %H:%M UTC')"
echo "machine: $(nproc) CPUs ($(lscpu 2>/dev/null | sed -n 's/^Model name: *//p')), load at start $(cut -d' ' -f1-3 /proc/loadavg)"
echo "libmpv $(dpkg-query -W -f='${Version}' libmpv2 2>/dev/null || echo '?'), Qt $(pkg-config --modversion Qt6Widgets 2>/dev/null || echo '?'), X: Xvfb $DISPLAY, sound: PulseAudio null sink $PULSE_SINK"
echo
echo "Playing a ${song_seconds} s MP3 (44.1 kHz stereo) into the null sink"
echo "  cpu_s: user+system from the start of the song to its end; whole_cpu_s: the whole process;"
echo "  peak: the process's peak resident memory (VmHWM)"
printf '  %-46s %7s %7s %6s %12s %9s %6s\n' program cpu_s wall_s cpu% whole_cpu_s peak_MiB sink
declare -A play_cpu
play_row() {
    local key=$1 label=$2
    shift 2
    run_bench "$@"
    play_cpu[$key]=$cpu
    printf '  %-46s %7.2f %7.1f %6s %12.2f %9.1f %6s\n' "$label" "$cpu" "$wall" \
        "$(percent "$cpu" "$wall")" "$(figure whole_cpu_s)" \
        "$(awk -v k="$(figure peak_kib)" 'BEGIN { print k / 1024 }')" "$sink_seen"
}
play_row alone "libmpv alone (bench/mpv_alone)" "$build/bench/mpv_alone" "$work/song.mp3"
play_row player "corvessa (bench/corvessa_play)" "$build/bench/corvessa_play" "$work/song.mp3"
play_row quiet "corvessa, 1 ms timers off" \
    "$build/bench/corvessa_play" --1ms-timers-at 0 "$work/song.mp3"
ratio() { awk -v a="$1" -v b="$2" 'BEGIN { printf "%.2f", a / b }'; }
verdict() { awk -v r="$1" -v g="$2" 'BEGIN { print (r <= g ? "met" : "MISSED") }'; }
r=$(ratio "${play_cpu[player]}" "${play_cpu[alone]}")
echo "  corvessa / libmpv alone: ${r}x (goal <= 1.15x: $(verdict "$r" 1.15))"
r=$(ratio "${play_cpu[quiet]}" "${play_cpu[alone]}")
echo "  corvessa with its 1 ms timers off / libmpv alone: ${r}x"
echo

echo "Idle for ${idle_seconds} s, no song (CPU of one core)"
cpu_ticks() { awk '{ print $14 + $15 }' "/proc/$1/stat" 2>/dev/null; }
"$build/corvessa" </dev/null >"$work/app.log" 2>&1 &
app_pid=$!
wait_for_main_window "$app_pid" 20 >/dev/null || fail "the main window of corvessa did not appear"
sleep "$settle_seconds"
before=$(cpu_ticks "$app_pid")
sleep "$idle_seconds"
after=$(cpu_ticks "$app_pid")
[[ -n $before && -n $after ]] || fail "corvessa ended while idle"
hwm=$(awk '/^VmHWM:/ { printf "%.1f", $2 / 1024 }' "/proc/$app_pid/status")
stop_app "$app_pid"
app_pid=
idle=$(awk -v t=$((after - before)) -v hz="$(getconf CLK_TCK)" -v s="$idle_seconds" \
    'BEGIN { printf "%.2f", 100 * t / hz / s }')
printf '  %-46s %6s %%   peak %s MiB   (goal < 1 %%: %s)\n' "corvessa (the real binary)" "$idle" \
    "$hwm" "$(awk -v i="$idle" 'BEGIN { print (i < 1 ? "met" : "MISSED") }')"
idle_row() {
    local label=$1
    shift
    run_bench "$@"
    printf '  %-46s %6s %%\n' "$label" "$(percent "$cpu" "$wall")"
}
idle_row "corvessa_play, as the program is" "$build/bench/corvessa_play" --idle "$idle_seconds"
idle_row "corvessa_play, 1 ms timers at 16 ms" \
    "$build/bench/corvessa_play" --1ms-timers-at 16 --idle "$idle_seconds"
idle_row "corvessa_play, 1 ms timers off" \
    "$build/bench/corvessa_play" --1ms-timers-at 0 --idle "$idle_seconds"
echo
echo "load at end $(cut -d' ' -f1-3 /proc/loadavg)"
