# shellcheck shell=bash
# Shell functions to hear what the test's PulseAudio null sink plays (see pulse_server.sh);
# source it. PULSE_SERVER, PULSE_SINK and the rest that pulse_server.sh prints must be in the
# environment.

# Records SECONDS of what the sink plays, from its monitor, into the WAV file OUT. A sink
# that plays nothing may give a short or empty recording; that counts as silence.
record_monitor() {
    local out=$1 seconds=$2 raw=$1.raw
    timeout -k 2 "$seconds" parec -d "$PULSE_SINK.monitor" --latency-msec=50 \
        --format=s16le --rate=44100 --channels=2 >"$raw" 2>/dev/null
    # A torn last frame would put the two channels out of step.
    truncate -s $(($(stat -c %s "$raw") / 4 * 4)) "$raw"
    if [[ -s $raw ]]; then
        sox -q -t raw -r 44100 -e signed -b 16 -c 2 "$raw" "$out" || return 1
    else
        sox -q -n -r 44100 -b 16 -c 2 "$out" trim 0 0.01 || return 1
    fi
    rm -f "$raw"
}

# The RMS amplitude (0 to 1) of the WAV file FILE, after the sox EFFECTs if any are given.
rms_of() {
    local file=$1
    shift
    sox "$file" -n "$@" stat 2>&1 | sed -n 's/^RMS *amplitude: *//p'
}

# The length of the WAV file FILE in seconds.
seconds_of() { soxi -D "$1" 2>/dev/null || sox --i -D "$1"; }

# True when FILE carries a tone of FREQ Hz: at least 0.3 s long, louder than -60 dBFS, and at
# least 70 % of its RMS amplitude within a 40 Hz band around FREQ.
carries_tone() {
    local file=$1 freq=$2 all band length
    length=$(seconds_of "$file") || return 1
    all=$(rms_of "$file") || return 1
    band=$(rms_of "$file" bandpass "$freq" 40h) || return 1
    awk -v l="$length" -v a="$all" -v b="$band" 'BEGIN { exit !(l >= 0.3 && a >= 0.001 && b >= 0.7 * a) }'
}

# True when FILE is silent: quieter than -80 dBFS.
is_silent() {
    local all
    all=$(rms_of "$1") || return 1
    awk -v a="$all" 'BEGIN { exit !(a < 0.0001) }'
}

# One line for a failure message: the level of FILE in all and around each FREQ.
describe_sound() {
    local file=$1 freq line
    shift
    line="$(seconds_of "$file") s, RMS $(rms_of "$file")"
    for freq in "$@"; do
        line+=", around $freq Hz $(rms_of "$file" bandpass "$freq" 40h)"
    done
    echo "$line"
}
