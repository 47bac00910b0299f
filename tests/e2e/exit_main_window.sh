#!/usr/bin/env bash
# End-to-end: leaving the main window by File, Exit or by its close box brings up the exit
# screen on top with the main window gone; the exit screen's Exit button and its close box
# each end the program with status 0.
#
# Usage: exit_main_window.sh PATH_TO_PROGRAM
set -u
source "$(dirname "${BASH_SOURCE[0]}")/lib.sh"
source "$(dirname "${BASH_SOURCE[0]}")/exit_lib.sh"

program=${1:?usage: exit_main_window.sh PATH_TO_PROGRAM}

# Prints how far the centre of the exit screen's outer frame (the window manager's frame, from
# _NET_FRAME_EXTENTS) lies from the centre of the screen, as "DX DY"; true within a pixel.
exit_screen_centred() {
    local left right top bottom x y width height screen_width screen_height
    read -r left right top bottom < <(xprop -id "$EXIT_SCREEN" _NET_FRAME_EXTENTS | sed 's/.*= //; s/,//g')
    read -r x y width height < <(xwininfo -id "$EXIT_SCREEN" |
        awk -F: '/Absolute upper-left|Width|Height/ { gsub(/ /, "", $2); printf "%s ", $2 }')
    read -r screen_width screen_height < <(xdotool getdisplaygeometry)
    local dx=$(((2 * (x - left) + width + left + right - screen_width) / 2))
    local dy=$(((2 * (y - top) + height + top + bottom - screen_height) / 2))
    echo "$dx $dy"
    [ "${dx#-}" -le 1 ] && [ "${dy#-}" -le 1 ]
}

# A window placed before its frame was known may be moved once the frame is there.
expect_exit_screen_centred() {
    local offset deadline
    deadline=$(e2e_deadline 5)
    until offset=$(exit_screen_centred); do
        if ! e2e_before "$deadline"; then
            e2e_fail "the exit screen's outer frame is off the screen's centre by (DX DY) $offset"
            return
        fi
        sleep 0.1
    done
    e2e_pass "the exit screen's outer frame is centred on the screen: offset $offset"
}

e2e_setup
e2e_start_x

# --- File, Exit, then the exit screen's Exit button (Alt+X).
start_at_main_window "$program"
e2e_activate "$MAIN"
press_keys alt+f x
expect_exit_screen "File, Exit"
expect_exit_screen_centred
wait_for_window_destroyed "$MAIN" && e2e_pass "File, Exit: the main window is unloaded" ||
    e2e_fail "File, Exit: the main window still exists"
e2e_activate "$EXIT_SCREEN"
press_keys alt+x
expect_program_end "the exit screen's Exit button"

# --- The main window's close box, then the exit screen's close box.
start_at_main_window "$program"
wmctrl -i -c "$MAIN"
expect_exit_screen "the main window's close box"
wait_for_window_destroyed "$MAIN" && e2e_pass "close box: the main window is unloaded" ||
    e2e_fail "close box: the main window still exists"
wmctrl -i -c "$EXIT_SCREEN"
expect_program_end "the exit screen's close box"

if [ -s "$E2E_BROWSER_LOG" ]; then
    e2e_fail "pages were opened: $(tr '\n' ' ' <"$E2E_BROWSER_LOG")"
else
    e2e_pass "no web page was opened"
fi

e2e_finish
