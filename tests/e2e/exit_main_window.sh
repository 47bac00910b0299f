#!/usr/bin/env bash
# End-to-end: leaving the main window by File, Exit or by its close box brings up the exit
# screen on top with the main window gone; the exit screen's Exit button and its close box
# each end the program with status 0. The fixed-size windows offer the window manager neither
# resizing nor maximising; under a dark desktop palette the exit screen's title stands out as
# on a light one; under xfwm4 the exit screen takes the keyboard as it appears.
#
# Usage: exit_main_window.sh PATH_TO_PROGRAM
set -u
source "$(dirname "${BASH_SOURCE[0]}")/lib.sh"

program=${1:?usage: exit_main_window.sh PATH_TO_PROGRAM}

# Prints how far the centre of the exit screen's outer frame (the window manager's frame, from
# _NET_FRAME_EXTENTS) lies from the centre of the screen, as "DX DY"; true within a pixel.
exit_screen_centred() {
    local left right top bottom x y width height screen_width screen_height
    read -r left right top bottom < <(xprop -id "$EXIT_SCREEN" _NET_FRAME_EXTENTS | sed 's/.*= //; s/,//g')
    read -r x y width height < <(window_geometry "$EXIT_SCREEN")
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

# Pixels of the exit screen's title that stand out from its white by 3:1 or more (a grey of at
# most 58%, relative luminance 0.3).
title_pixels_standing_out() { # WINDOW_ID
    screenshot_window "$1" "$E2E_DIR/exit-screen.png"
    convert "$E2E_DIR/exit-screen.png" -crop 400x40+70+28 +repage -colorspace Gray -fx 'u<0.58' \
        -format '%[fx:round(mean*w*h)]' info:
}

e2e_setup
e2e_start_x

# --- File, Exit, then the exit screen's Exit button (Alt+X).
start_at_main_window "$program"
e2e_check_equal "the main window offers moving, minimising and closing" "0x2c" "$(motif_functions "$MAIN")"
exit_by_file_exit "File, Exit"
expect_exit_screen_centred
e2e_check_equal "the exit screen offers moving and closing" "0x24" "$(motif_functions "$EXIT_SCREEN")"
light_title=$(title_pixels_standing_out "$EXIT_SCREEN")
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

expect_no_page_opened "leaving by File, Exit and the close boxes"

# --- A dark desktop (GNOME's dark theme through Qt's GTK platform theme): the menu bar follows it,
# the exit screen's fixed white keeps its black title.
e2e_use_dark_desktop
start_at_main_window "$program"
screenshot_window "$MAIN" "$E2E_DIR/main-window.png"
menu_bar=$(convert "$E2E_DIR/main-window.png" -crop 200x16+0+22 +repage -colorspace Gray -format '%[fx:round(mean*100)]' info:)
[ "$menu_bar" -lt 50 ] && e2e_pass "dark desktop: the menu bar is dark (${menu_bar}% grey)" ||
    e2e_fail "dark desktop: the menu bar is not dark (${menu_bar}% grey): no dark palette"
exit_by_file_exit "dark desktop: File, Exit"
dark_title=$(title_pixels_standing_out "$EXIT_SCREEN")
[ "$dark_title" -ge $((light_title * 9 / 10)) ] && [ "$light_title" -gt 300 ] &&
    e2e_pass "dark desktop: the exit screen's title stands out as on a light one ($dark_title of $light_title pixels)" ||
    e2e_fail "dark desktop: $dark_title pixels of the exit screen's title stand out, $light_title on a light desktop"
unset XDG_CURRENT_DESKTOP
press_keys alt+x
expect_program_end "dark desktop: the exit screen's Exit button"

# --- Under xfwm4 the exit screen takes Alt+X as it appears, without being activated by hand.
e2e_start_x xfwm4
start_at_main_window "$program"
exit_by_file_exit "xfwm4: File, Exit"
wait_for_x_focus "$EXIT_SCREEN"
press_keys alt+x
expect_program_end "xfwm4: Alt+X on the exit screen as it appears"

e2e_finish
