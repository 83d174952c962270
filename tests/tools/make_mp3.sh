#!/usr/bin/env bash
# make_mp3.sh OUT.mp3 SECONDS [FREQ_HZ]
# Writes a sine tone of SECONDS seconds (default 440 Hz) as an MP3: sox synthesises it as WAV,
# lame encodes it. Tests build their media with this so no binary samples live in the tree.
set -euo pipefail

if [[ $# -lt 2 || $# -gt 3 ]]; then
    echo "usage: $(basename "$0") OUT.mp3 SECONDS [FREQ_HZ]" >&2
    exit 2
fi
out=$1
seconds=$2
freq=${3:-440}

number='^[0-9]+([.][0-9]+)?$'
if ! [[ $seconds =~ $number && $freq =~ $number ]]; then
    echo "$(basename "$0"): SECONDS and FREQ_HZ must be plain positive numbers" >&2
    exit 2
fi

wav=$(mktemp --suffix=.wav)
trap 'rm -f "$wav"' EXIT

# Half amplitude keeps the tone clear of clipping after encoding.
sox -q -n -r 44100 -c 2 -b 16 "$wav" synth "$seconds" sine "$freq" vol 0.5
lame --quiet --noreplaygain "$wav" "$out"
