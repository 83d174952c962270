# shellcheck shell=bash
# Steps on the program's main window for end-to-end tests, done with the pointer through the X
# server at the places the layout gives the controls for the screen's size, and ears on the
# PulseAudio null sink. Source it after x_probe.sh, e2e_run.sh and sound_probe.sh; it uses
# $tools, $work, $app_pid and fail, and sets main, left, top, tpp, W and H.

# Starts a private X display with openbox (800 x 600) and a PulseAudio server with a null sink,
# both stopped by e2e_run.sh's clean-up, and takes their environment.
start_display_and_sound() {
    local session sound line
    session=$(XSESSION_SCREEN=800x600x24 "$tools/xsession.sh" start "$work/x" --wm $$) ||
        fail "no X display with a window manager"
    export "${session?}"
    sound=$("$tools/pulse_server.sh" start "$work/pulse" $$) || fail "no sound server"
    while IFS= read -r line; do
        export "${line?}"
    done <<<"$sound"
    echo "X display $DISPLAY with openbox; sound server $PULSE_SERVER"
}

# Waits for the program's main window and its unroll, then measures it: main (its id), left
# and top (screen pixels), tpp (twips a pixel), W and H (its size in twips: the usable screen,
# which it fills).
find_main_window() {
    main=$(wait_for_main_window "$app_pid" 15) || {
        runs "$app_pid" || fail "the program ended before its main window appeared"
        fail "no borderless window titled \"Corvessa\" within 15 s"
    }
    wait_for_unroll "$main" 15 || fail "the main window did not unroll within 15 s"
    tpp=$(twips_per_pixel)
    left=$(window_geometry "$main" "Absolute upper-left X")
    top=$(window_geometry "$main" "Absolute upper-left Y")
    W=$(awk -v w="$(usable_width)" -v p="$tpp" 'BEGIN { print w * p }')
    H=$(awk -v h="$(usable_height)" -v p="$tpp" 'BEGIN { print h * p }')
    echo "main window $main, $W x $H twips at $tpp twips a pixel"
}

# The value of EXPR, in twips, under the layout's rules for the measured window.
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

# Fills the playlist with every MP3 of the program's working folder: "Hide/Show Control",
# "Load list", then "&Select all" in the loader, which opens on that folder.
load_playlist() {
    local x y
    # The box is clicked on its tick square, in the part of the box above the "Volume" caption:
    # the layout stretches that caption wide, and where it lies over the box it takes the click.
    x=$(($(x_at check_left) + 8))
    y=$(y_at '(check3_top + (volume_caption_top < check3_top + 255 ? volume_caption_top : check3_top + 255)) / 2')
    click_at "$x" "$y" || fail "cannot click \"Hide/Show Control\""
    reload_playlist
}

# With the panel "Control of Player" shown: "Load list", then "&Select all". "Load list" is a
# label and takes no keyboard focus.
reload_playlist() {
    local loader loader_x loader_y
    # "Load list": its caption label lies at 600, 900 (1095 x 225) inside the panel.
    click_at "$(x_at 'frame2_left + 600 + 1095 / 2')" "$(y_at 'frame2_top + 900 + 225 / 2')" ||
        fail "cannot click \"Load list\""
    loader=$(wait_until 10 viewable_window_titled "Load playlist") ||
        fail "\"Load list\" opened no window titled \"Load playlist\""
    # "&Select all" at 2280, 5640 (1275 x 315) in the loader's client area.
    loader_x=$(window_geometry "$loader" "Absolute upper-left X")
    loader_y=$(window_geometry "$loader" "Absolute upper-left Y")
    click_at "$(twips_to_screen $((2280 + 1275 / 2)) "$loader_x" "$tpp")" \
        "$(twips_to_screen $((5640 + 315 / 2)) "$loader_y" "$tpp")" ||
        fail "cannot click \"&Select all\""
    wait_until 10 not_viewable "$loader" || fail "\"&Select all\" left the loader open"
    echo "the playlist is loaded"
}

# The screen point of playlist item N (from 0): the list lies at 120, 240 in "Playlist", its
# rows 195 twips high (the line of its font).
item_x() { echo $(($(x_at 'frame1_left + 120') + 20)); }
item_y() { echo $(($(y_at "frame1_top + 240 + 195 * $1") + 7)); }

# Double-clicks playlist item N.
play_item() {
    double_click_at "$(item_x)" "$(item_y "$1")" || fail "cannot double-click playlist item $1"
}

# The program's message box: a window titled like the main window, but not the main window.
message_box() { viewable_window_titled_besides Corvessa "$main"; }

# Clicks "Close"; the program must end within 5 s.
close_program() {
    click_at "$(x_at 'image2_left + 345 / 2')" "$(y_at 'H / 24 + 345 / 2')" ||
        fail "cannot click \"Close\""
    wait_until 5 ended "$app_pid" || fail "\"Close\" did not end the program"
    stop_app "$app_pid"
    app_pid=
}

# Records a second of the sink and prints the file's name.
listen() {
    record_monitor "$work/take.wav" 1 && echo "$work/take.wav"
}

with_tone() { carries_tone "$2" "$1"; }

# Listens, a second at a time, until the command CONDITION... TAKE succeeds, for SECONDS at
# most; tells what the last take held when it never did.
hear_within() {
    local seconds=$1 deadline take
    shift
    deadline=$(($(now_ms) + seconds * 1000))
    while (($(now_ms) < deadline)); do
        runs "$app_pid" || fail "the program ended"
        take=$(listen) || fail "cannot record the sink"
        "$@" "$take" && return 0
    done
    echo "the last take: $(describe_sound "$take" 440 880)" >&2
    return 1
}
