#!/usr/bin/env bash
# The road of a song as a user meets it, on a real X display (with openbox) and a PulseAudio
# null sink: in a folder of two generated MP3s, tick "Hide/Show Control", click "Load list",
# choose "&Select all", double-click the first playlist item and hear its tone; mute and hear
# silence; unmute and hear it again; let it end and hear the second song's tone; then "Close"
# ends the program and its sound. Everything is done with the pointer through the X server,
# at the places the layout gives the controls for the screen's size.
#
#   road_of_a_song.sh PATH_TO_CORVESSA
set -uo pipefail

binary=${1:?usage: road_of_a_song.sh PATH_TO_CORVESSA}
tools=$(cd "$(dirname "$0")/../tools" && pwd)
source "$tools/x_probe.sh"
source "$tools/e2e_run.sh"
source "$tools/sound_probe.sh"

e2e_begin road

# The two songs, in name order: the first holds 440 Hz and the second 880 Hz, so that what the
# sink plays tells which one runs. Each lasts long enough for the steps taken while it plays.
readonly first_tone=440 second_tone=880
mkdir -p "$work/songs"
"$tools/make_mp3.sh" "$work/songs/a_first.mp3" 8 "$first_tone" ||
    fail "cannot make the first MP3 file"
"$tools/make_mp3.sh" "$work/songs/b_second.mp3" 8 "$second_tone" ||
    fail "cannot make the second MP3 file"

session=$(XSESSION_SCREEN=800x600x24 "$tools/xsession.sh" start "$work/x" --wm $$) ||
    fail "no X display with a window manager"
export "${session?}"
sound=$("$tools/pulse_server.sh" start "$work/pulse" $$) || fail "no sound server"
while IFS= read -r line; do
    export "${line?}"
done <<<"$sound"
echo "X display $DISPLAY with openbox; sound server $PULSE_SERVER"

# The program plays to the null sink and sets its volume through ALSA, which reaches the same
# server: both need the environment above from the start.
start_app_in "$binary" "$work" "$work/songs" || fail "the program did not start"
main=$(wait_for_main_window "$app_pid" 15) || {
    runs "$app_pid" || fail "the program ended before its main window appeared"
    fail "no borderless window titled \"Corvessa\" within 15 s"
}
wait_for_unroll "$main" 15 || fail "the main window did not unroll within 15 s"

tpp=$(twips_per_pixel)
left=$(window_geometry "$main" "Absolute upper-left X")
top=$(window_geometry "$main" "Absolute upper-left Y")
# The target size the layout works from is the usable screen, which the window fills.
W=$(awk -v w="$(usable_width)" -v p="$tpp" 'BEGIN { print w * p }')
H=$(awk -v h="$(usable_height)" -v p="$tpp" 'BEGIN { print h * p }')
echo "main window $main, $W x $H twips at $tpp twips a pixel"

# The layout's rules, in twips, for this window's W and H.
twips() {
    awk -v W="$W" -v H="$H" "BEGIN {
        text1_width = W / 2.84697508896797
        text1_left = (W - text1_width) / 2
        pause_left = text1_left + text1_width - 975
        mute_left = W - 240 - 975
        buttons_top = H / 1.18032786885
        check_left = pause_left + 975 + (mute_left - pause_left - 975) / 2 - 1615 / 2
        check3_top = H / 1.10769230769
        volume_caption_top = H / 1.0909090909
        frame1_width = W / 5
        frame1_left = (W - frame1_width) / 2
        frame1_top = H / 5.14285714285
        frame6_left = W / 7.14285714285714
        frame2_left = frame1_left + frame1_width + (frame1_left - (frame6_left + 2535))
        frame2_top = H / 3.27272727272
        image2_left = W / 2.128 + 345 + 30
        print $1
    }"
}
x_at() { twips_to_screen "$(twips "$1")" "$left" "$tpp"; }
y_at() { twips_to_screen "$(twips "$1")" "$top" "$tpp"; }

# Records a second of the sink and prints the file's name.
listen() {
    record_monitor "$work/take.wav" 1 && echo "$work/take.wav"
}

# Listens, a second at a time, until CONDITION holds for a take, for SECONDS at most.
hear_within() {
    local seconds=$1 deadline take
    shift
    deadline=$(($(now_ms) + seconds * 1000))
    while (($(now_ms) < deadline)); do
        runs "$app_pid" || fail "the program ended"
        take=$(listen) || fail "cannot record the sink"
        "$@" "$take" && return 0
    done
    echo "the last take: $(describe_sound "$take" "$first_tone" "$second_tone")" >&2
    return 1
}
with_tone() { carries_tone "$2" "$1"; }
with_either_tone() { carries_tone "$1" "$first_tone" || carries_tone "$1" "$second_tone"; }

take=$(listen) || fail "cannot record the sink"
is_silent "$take" || fail "the sink plays before any song was chosen: $(describe_sound "$take")"

# "Hide/Show Control" shows the button panel. The box is clicked on its tick square, in the part
# of the box above the "Volume" caption: the layout stretches that caption wide, and where it
# lies over the box it takes the click.
check_x=$(($(x_at check_left) + 8))
check_y=$(y_at '(check3_top + (volume_caption_top < check3_top + 255 ? volume_caption_top : check3_top + 255)) / 2')
click_at "$check_x" "$check_y" || fail "cannot click \"Hide/Show Control\""

# "Load list": its caption label lies at 600, 900 (1095 x 225) inside the panel.
load_x=$(x_at 'frame2_left + 600 + 1095 / 2')
load_y=$(y_at 'frame2_top + 900 + 225 / 2')
click_at "$load_x" "$load_y" || fail "cannot click \"Load list\""
loader=$(wait_until 10 viewable_window_titled "Load playlist") ||
    fail "\"Load list\" opened no window titled \"Load playlist\""
echo "the loader opened: window $loader"

# "&Select all" at 2280, 5640 (1275 x 315) in the loader's client area. The loader opens on the
# program's working folder, the folder of the songs.
loader_x=$(window_geometry "$loader" "Absolute upper-left X")
loader_y=$(window_geometry "$loader" "Absolute upper-left Y")
select_x=$(twips_to_screen $((2280 + 1275 / 2)) "$loader_x" "$tpp")
select_y=$(twips_to_screen $((5640 + 315 / 2)) "$loader_y" "$tpp")
click_at "$select_x" "$select_y" || fail "cannot click \"&Select all\""
wait_until 10 not_viewable "$loader" || fail "\"&Select all\" left the loader open"
echo "the playlist is loaded"

# The first item of the playlist, in its first row: the list lies at 120, 240 in "Playlist".
item_x=$(($(x_at 'frame1_left + 120') + 20))
item_y=$(($(y_at 'frame1_top + 240') + 7))
double_click_at "$item_x" "$item_y" || fail "cannot double-click the playlist"
hear_within 15 with_tone "$first_tone" || fail "no $first_tone Hz tone from the first song"
echo "the first song plays"

mute_x=$(x_at 'mute_left + 975 / 2')
mute_y=$(y_at 'buttons_top + 1095 / 2')
click_at "$mute_x" "$mute_y" || fail "cannot click the mute button"
hear_within 10 is_silent || fail "the mute button did not silence the song"
echo "muted"

# Should the first song have ended meanwhile, the second plays on: either tone proves the
# sound is back.
click_at "$mute_x" "$mute_y" || fail "cannot click the mute button"
hear_within 10 with_either_tone || fail "the mute button did not bring the sound back"
echo "unmuted"

hear_within 30 with_tone "$second_tone" ||
    fail "the second song's $second_tone Hz tone did not follow the first song"
echo "the second song plays after the first"

click_at "$(x_at 'image2_left + 345 / 2')" "$(y_at 'H / 24 + 345 / 2')" || fail "cannot click \"Close\""
wait_until 5 ended "$app_pid" || fail "\"Close\" did not end the program"
stop_app "$app_pid"
app_pid=
take=$(listen) || fail "cannot record the sink"
is_silent "$take" || fail "the sink still plays after the program ended: $(describe_sound "$take")"

echo "road_of_a_song: passed"
