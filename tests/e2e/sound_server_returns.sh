#!/usr/bin/env bash
# The sound server goes away while a song plays and comes back, as it does on a restart of
# PulseAudio or PipeWire, a change of output or a resume from suspend. On a real X display
# (with openbox) and a PulseAudio null sink: play the first of two generated MP3s and hear it;
# end the server at once, as a crash would; while it is gone the program goes on answering
# (a right click opens its menu) and the short first song runs its course, so the long second
# one is opened in silence; start a server again at the same address and hear the second song
# within a few seconds; double-click the first song and hear it; "Close" ends the program.
#
#   sound_server_returns.sh PATH_TO_CORVESSA
set -uo pipefail

binary=${1:?usage: sound_server_returns.sh PATH_TO_CORVESSA}
tools=$(cd "$(dirname "$0")/../tools" && pwd)
source "$tools/x_probe.sh"
source "$tools/e2e_run.sh"
source "$tools/sound_probe.sh"
source "$tools/main_window_steps.sh"

e2e_begin server

# In name order: the first holds 440 Hz and ends while the server is gone; the second holds
# 880 Hz and plays on well past the server's return.
readonly first_tone=440 second_tone=880 first_seconds=6
# How long the server stays away: the first song's end falls in it, and the playback tick
# that sees it.
readonly outage_seconds=9
mkdir -p "$work/songs"
"$tools/make_mp3.sh" "$work/songs/a_first.mp3" "$first_seconds" "$first_tone" ||
    fail "cannot make the first MP3 file"
"$tools/make_mp3.sh" "$work/songs/b_second.mp3" 30 "$second_tone" ||
    fail "cannot make the second MP3 file"

start_display_and_sound
server_address=$PULSE_SERVER

start_app_in "$binary" "$work" "$work/songs" || fail "the program did not start"
find_main_window
load_playlist
play_item 0
hear_within 15 with_tone "$first_tone" || fail "no $first_tone Hz tone from the first song"
echo "the first song plays"

back_at=$(($(now_ms) + outage_seconds * 1000))
"$tools/pulse_server.sh" kill "$work/pulse" || fail "cannot end the sound server"
echo "the sound server is gone"

# The window answers while the server is away: a right click on its surface, left of the cue
# panel and clear of every control, opens the menu at the pointer; Escape closes it.
menu_x=$(x_at 'W * 0.12')
menu_y=$(y_at 'H * 0.55')
menu_at_pointer() { popup_at "$menu_x" "$menu_y" >/dev/null; }
no_menu() { ! menu_at_pointer; }
click_at "$menu_x" "$menu_y" 3 || fail "cannot right-click the window"
wait_until 5 menu_at_pointer || fail "the window did not answer a right click without a sound server"
press_key Escape || fail "cannot press Escape"
wait_until 3 no_menu || fail "Escape did not close the menu"
echo "the window answers without a sound server"

while (($(now_ms) < back_at)); do
    runs "$app_pid" || fail "the program ended without a sound server"
    sleep 0.2
done
# Started again in the same folder, the server listens at the same address.
sound=$("$tools/pulse_server.sh" start "$work/pulse" $$) || fail "the sound server did not start again"
grep -qx "PULSE_SERVER=$server_address" <<<"$sound" || fail "the sound server came back elsewhere: $sound"
echo "the sound server is back"

# The first song ended while the server was away; the second one plays on, and is heard again.
hear_within 8 with_tone "$second_tone" ||
    fail "the second song, opened without a sound server, is not heard after the server came back"
echo "the second song is heard after the server came back"

play_item 0
hear_within 8 with_tone "$first_tone" || fail "the first song, double-clicked again, is not heard"
echo "a song double-clicked after the server came back is heard"

close_program

echo "sound_server_returns: passed"
