#!/usr/bin/env bash
# End-to-end: what a person meets on a desktop with a window manager. Undo and redo in a name
# field, also after a middle-click paste, which inserts at the caret rather than replacing the
# selection; Enter and keypad Enter press the focused button; text
# selected in the report with the mouse does not stay in the X selection; the main window comes back where it was after Back;
# a double-click on the sponsor line opens one page; a message box raised from the exit screen,
# and a second copy's message, stand above the topmost exit screen and offer no resizing.
#
# Usage: desktop_conventions.sh PATH_TO_PROGRAM
set -u
# shellcheck source=SCRIPTDIR/lib.sh
source "$(dirname "${BASH_SOURCE[0]}")/lib.sh"

program=${1:?usage: desktop_conventions.sh PATH_TO_PROGRAM}

# Where the window manager stacks a window among the managed ones: 0 at the bottom, counted
# upwards; empty when it is not listed.
stacking_place() { # WINDOW_ID
    local wanted
    wanted=$(printf '0x%x' "$1")
    xprop -root _NET_CLIENT_LIST_STACKING | sed 's/^[^#]*# //' | tr -d ' ' | tr ',' '\n' |
        awk -v id="$wanted" '$0 == id { print NR - 1 }'
}

# Waits for a message box, checks that the window manager stacks it above the exit screen, and
# answers it with Return.
expect_message_above_exit_screen() { # DESCRIPTION
    local message box exit
    message=$(wait_for_window "$MESSAGE_CAPTION") || e2e_abort "$1: no message box appeared"
    e2e_check_equal "$1: offers moving and closing (Motif functions)" "0x24" \
        "$(motif_functions "$message")"
    box=$(stacking_place "$message")
    exit=$(stacking_place "$EXIT_SCREEN")
    if [ -n "$box" ] && [ -n "$exit" ] && [ "$box" -gt "$exit" ]; then
        e2e_pass "$1: stacked above the exit screen ($box over $exit)"
    else
        e2e_fail "$1: stacked at '$box', the exit screen at '$exit'"
    fi
    e2e_activate "$message"
    press_keys Return
    wait_for_window_gone "$message" || e2e_abort "$1: Return did not dismiss the message"
}

primary_selection_is() { # TEXT
    [ "$(xclip -o -selection primary 2>/dev/null)" == "$1" ]
}

# Lines the stand-in browser wrote once COUNT arrived; a shorter wait, for a page that must not come.
opened_pages_after() { # COUNT SECONDS
    E2E_TIMEOUT=$2 wait_for_opened_urls "$1"
    wc -l <"$E2E_BROWSER_LOG"
}

e2e_setup
e2e_start_x
start_at_main_window "$program"
e2e_activate "$MAIN"
place_before=$(window_geometry "$MAIN")

# --- Undo and redo in a name field: typed lower case arrives upper-cased as the field's own edit.
type_text "smith"
copy_field_text
e2e_check_equal "typed 'smith'" "SMITH" "$E2E_COPIED"
press_keys ctrl+z
copy_field_text
e2e_check_equal "Ctrl+Z undoes the typing" "" "$E2E_COPIED"
press_keys ctrl+shift+z
copy_field_text
e2e_check_equal "Ctrl+Shift+Z redoes it" "SMITH" "$E2E_COPIED"
press_keys ctrl+a BackSpace

# --- Pasted with a middle click from the X selection into the (empty) middle-name field, with
# Shift, which keeps the selection of the typed "jo": inserted at the caret, upper-cased as the
# field's own edit, one step of its own that Ctrl+Z takes back.
press_keys Tab
type_text "jo"
press_keys Home shift+End
printf 'hn' | xclip -quiet -i -selection primary >/dev/null 2>&1 &
E2E_PIDS+=("$!")
e2e_wait_until "$E2E_TIMEOUT" primary_selection_is "hn" || e2e_abort "could not put text into the X selection"
xdotool mousemove --window "$MAIN" 200 107 keydown shift click 2 keyup shift mousemove 1279 1023
copy_field_text
e2e_check_equal "'jo' typed and selected, 'hn' pasted with a middle click" "JOHN" "$E2E_COPIED"
press_keys ctrl+z
copy_field_text
e2e_check_equal "Ctrl+Z after the middle click" "JO" "$E2E_COPIED"
press_keys shift+Tab

# --- Enter on the focused Next. JOHN SMITH, then Tab past the three date lists to Next.
type_text "john"
press_keys Tab Tab
type_text "smith"
press_keys Tab Tab Tab Tab Return
wait_for_window_gone "$MAIN" || e2e_abort "Enter on the focused Next did not hide the main window"
result=$(wait_for_window "$MAIN_CAPTION" "$MAIN") || e2e_abort "Enter on the focused Next showed no report"
e2e_pass "Enter on the focused Next gives the report"

# --- Text selected in the report with the mouse is gone from the X selection as well.
e2e_activate "$result"
xdotool mousemove --window "$result" 20 60 mousedown 1 mousemove --window "$result" 300 120 mouseup 1
xdotool mousemove 1279 1023
e2e_wait_until "$E2E_COPY_TIMEOUT" primary_selection_is ""
e2e_check_equal "the X selection after selecting report text with the mouse" "" \
    "$(xclip -o -selection primary 2>/dev/null | head -c 40)"

# --- Keypad Enter on the focused Back; the main window comes back where it was.
press_keys Tab KP_Enter
wait_for_window_gone "$result" || e2e_abort "keypad Enter on the focused Back did not close the report"
MAIN=$(wait_for_window "$MAIN_CAPTION") || e2e_abort "the main window did not come back"
e2e_pass "keypad Enter on the focused Back returns to the main window"
e2e_check_equal "the main window's place after Back" "$place_before" "$(window_geometry "$MAIN")"

# --- A double-click on the sponsor line (below the menu bar, in the middle of its frame) opens one page.
xdotool mousemove --window "$MAIN" 213 41 click --repeat 2 --delay 80 1
xdotool mousemove 1279 1023
e2e_check_equal "pages opened by a double-click on the sponsor line" "1" "$(opened_pages_after 2 3)"

# --- A space in "Your Email Address" on the exit screen: the box stands above the exit screen.
exit_by_file_exit "File, Exit"
e2e_activate "$EXIT_SCREEN"
press_keys Tab Tab Tab Tab space # Exit, the check box, Your Name, Refer A Friend Now, Your Email Address
expect_message_above_exit_screen "the no-space message"

# --- A second copy's message stands above the first copy's exit screen too.
first=$APP_PID
e2e_start_app "$program"
expect_message_above_exit_screen "the second copy's message"
wait_for_exit "$APP_PID" || e2e_fail "the second copy did not end after OK"
APP_PID=$first

# --- Enter on the exit screen's focused Exit ends the program.
e2e_activate "$EXIT_SCREEN"
press_keys shift+Tab shift+Tab shift+Tab shift+Tab Return
expect_program_end "Enter on the focused Exit"

e2e_finish
