# shellcheck shell=bash
# Helpers that drive the real program on a private X server (Xvfb with openbox as window
# manager). Source this file, call e2e_setup once, then e2e_start_x and e2e_start_app.
#
# Everything waits for a condition (a window appearing or going, a process ending, the
# clipboard changing) with a generous limit; nothing relies on a fixed sleep alone, because
# shared CI machines are slow at times. Every process started here is ended by the exit trap.

# As root, each run has a network namespace of its own: the single-instance lock is an abstract
# socket name of the program and the user, which copies run beside this one as the same user (other
# tests, other people's runs) would hold. Buses are started inside it; the private X server is
# reached through its socket file as well. Only a script that reads this file at its top is run
# again so; one that reads it inside a function gives that function a namespace itself.
if [ "$(id -u)" -eq 0 ] && [ -z "${E2E_OWN_NETWORK:-}" ] && [ "${#FUNCNAME[@]}" -eq 0 ]; then
    export E2E_OWN_NETWORK=1
    exec unshare --net -- bash "$0" "$@"
fi

E2E_TIMEOUT=${E2E_TIMEOUT:-30}      # seconds to wait for a window or a process
E2E_COPY_TIMEOUT=${E2E_COPY_TIMEOUT:-5} # seconds to wait for a keyboard copy to reach the clipboard
E2E_KEY_DELAY=${E2E_KEY_DELAY:-60}  # milliseconds between synthesised keystrokes
E2E_SKIP=77                         # ctest's SKIP_RETURN_CODE

# The program's window captions, each once: the designed windows (main, result, About) have two
# blanks before the version; the exit screen one, and the start-up form, never shown, shares it;
# message boxes carry the program's title. The report for JOHN SMITH starts with REPORT_FIRST_LINE.
# shellcheck disable=SC2034 # used by the scripts that source this file
readonly MAIN_CAPTION="VL Subconscious Self Number  v1.90" \
    EXIT_CAPTION="VL Subconscious Self Number v1.90" \
    MESSAGE_CAPTION="VL Subconscious Self Number" \
    REPORT_FIRST_LINE="Your Subconscious Self Number is: 7"

E2E_FAILURES=0
E2E_PIDS=()   # every background process started here, ended by e2e_cleanup
E2E_DIR=""
E2E_DISPLAY_READY=""
APP_PID=""

e2e_log() { printf '%s\n' "$*" >&2; }

e2e_pass() { printf 'PASS: %s\n' "$*"; }

# Records a failure and goes on, so that one run reports every broken check it reaches.
e2e_fail() {
    printf 'FAIL: %s\n' "$*"
    E2E_FAILURES=$((E2E_FAILURES + 1))
}

# Records a failure that makes the rest of the run meaningless and stops.
e2e_abort() {
    e2e_fail "$@"
    exit 1
}

e2e_check_equal() { # DESCRIPTION EXPECTED ACTUAL
    if [ "$2" == "$3" ]; then
        e2e_pass "$1: '$3'"
    else
        e2e_fail "$1: expected '$2', got '$3'"
    fi
}

# Passes with the first text when the command succeeds, fails with the second otherwise.
e2e_expect() { # PASSED FAILED COMMAND [ARGS...]
    local passed=$1 failed=$2
    shift 2
    if "$@"; then
        e2e_pass "$passed"
    else
        e2e_fail "$failed"
    fi
}

# Ends the run with the summary line and the exit code that ctest reads.
e2e_finish() {
    if [ "$E2E_FAILURES" -eq 0 ]; then
        printf 'PASS: all checks of %s\n' "$(basename "$0")"
        exit 0
    fi
    printf 'FAIL: %d check(s) of %s failed\n' "$E2E_FAILURES" "$(basename "$0")"
    exit 1
}

# Skips the test (exit 77) when there is no X server to run on, fails when another tool is
# missing: a machine with Xvfb but without xdotool is set up wrongly, not unsuited.
e2e_require_tools() {
    if ! command -v Xvfb >/dev/null; then
        echo "SKIP: Xvfb is not installed (scripts/install-deps.sh installs it)"
        exit "$E2E_SKIP"
    fi
    local tool missing=()
    for tool in openbox xdotool xclip xwininfo xdpyinfo import wmctrl; do
        command -v "$tool" >/dev/null || missing+=("$tool")
    done
    if [ ${#missing[@]} -gt 0 ]; then
        e2e_abort "missing tools: ${missing[*]} (run scripts/install-deps.sh)"
    fi
}

# A private home, configuration, runtime and temporary folder, so that the program never reads
# or writes the user's settings, and a fake browser first on PATH that only writes down the
# URLs it is given, so that no real browser ever starts.
e2e_setup() {
    [ -n "${E2E_NO_X:-}" ] || e2e_require_tools # E2E_NO_X: a test without an X server
    E2E_DIR=$(mktemp -d "${TMPDIR:-/tmp}/ssn-e2e.XXXXXX")
    trap e2e_cleanup EXIT
    trap 'exit 130' INT TERM

    mkdir -p "$E2E_DIR/home" "$E2E_DIR/config" "$E2E_DIR/data" "$E2E_DIR/cache" \
        "$E2E_DIR/runtime" "$E2E_DIR/tmp" "$E2E_DIR/bin"
    chmod 0700 "$E2E_DIR/runtime"
    export HOME="$E2E_DIR/home"
    export XDG_CONFIG_HOME="$E2E_DIR/config"
    export XDG_DATA_HOME="$E2E_DIR/data"
    export XDG_CACHE_HOME="$E2E_DIR/cache"
    export XDG_RUNTIME_DIR="$E2E_DIR/runtime"
    export TMPDIR="$E2E_DIR/tmp"
    # The short-date format the reminder's date is stored in (stored_date.py reads the same):
    # the United States' M/d/yyyy, whatever locale the test was started in.
    unset LC_ALL
    export LC_TIME=en_US.UTF-8 2>/dev/null

    E2E_BROWSER_LOG="$E2E_DIR/opened-urls.txt"
    e2e_browser_stand_ins "$E2E_DIR/bin" "$E2E_BROWSER_LOG" 0
    export DEFAULT_BROWSER="$BROWSER"

    # No desktop session: no D-Bus (and no bus autolaunched), no desktop-specific opener.
    export DBUS_SESSION_BUS_ADDRESS="unix:path=$E2E_DIR/no-session-bus"
    unset XDG_CURRENT_DESKTOP DESKTOP_SESSION KDE_FULL_SESSION GNOME_DESKTOP_SESSION_ID
    unset WAYLAND_DISPLAY SESSION_MANAGER
    export QT_QPA_PLATFORM=xcb
    unset DISPLAY # nothing may reach the user's own display; e2e_start_x sets the private one
    unset QT_SCALE_FACTOR QT_SCREEN_SCALE_FACTORS QT_AUTO_SCREEN_SCALE_FACTOR QT_STYLE_OVERRIDE
}

# Stand-in browsers first on PATH that only write down the URLs they are given into LOG and
# exit with STATUS, so that no real browser ever starts.
e2e_browser_stand_ins() { # DIR LOG STATUS
    : >"$2"
    local opener
    for opener in xdg-open x-www-browser sensible-browser www-browser firefox google-chrome \
        chromium kfmclient gnome-open; do
        printf '#!/bin/sh\nprintf "%%s\\n" "$*" >>"%s"\nexit %d\n' "$2" "$3" >"$1/$opener"
        chmod +x "$1/$opener"
    done
    export PATH="$1:$PATH" BROWSER="$1/xdg-open"
}

e2e_cleanup() {
    local status=$?
    local pid i
    # A picture of the screen as the failure left it, before anything is ended.
    if [ "$status" -ne 0 ] && [ "$status" -ne "$E2E_SKIP" ] && [ -n "$E2E_DISPLAY_READY" ]; then
        screenshot_screen "$E2E_DIR/failure.png"
    fi
    [ -n "$E2E_CLIP_PID" ] && kill "$E2E_CLIP_PID" 2>/dev/null
    # Newest first: the program, then the helpers, then the window manager, then the X server.
    for ((i = ${#E2E_PIDS[@]} - 1; i >= 0; i--)); do
        pid=${E2E_PIDS[i]}
        kill -0 "$pid" 2>/dev/null && kill "$pid" 2>/dev/null
    done
    for pid in "${E2E_PIDS[@]}" $E2E_CLIP_PID; do
        wait "$pid" 2>/dev/null
    done
    if [ -n "$E2E_DIR" ] && [ -d "$E2E_DIR" ]; then
        if [ "$status" -ne 0 ] && [ "$status" -ne "$E2E_SKIP" ]; then
            e2e_log "e2e: artefacts kept in $E2E_DIR (program output app.log, screen failure.png)"
            [ -s "$E2E_DIR/app.log" ] && sed 's/^/  app: /' "$E2E_DIR/app.log" >&2
        else
            rm -rf "$E2E_DIR"
        fi
    fi
    exit "$status"
}

# Seconds since the epoch with fractions, for deadlines.
e2e_now() { date +%s.%N; }

e2e_before() { # DEADLINE: true while now < DEADLINE
    awk -v now="$(e2e_now)" -v deadline="$1" 'BEGIN { exit !(now < deadline) }'
}

e2e_deadline() { # SECONDS
    awk -v now="$(e2e_now)" -v s="$1" 'BEGIN { printf "%.3f", now + s }'
}

# Runs the command every tenth of a second until it succeeds; returns 1 when SECONDS are up.
e2e_wait_until() { # SECONDS COMMAND [ARGS...]
    local deadline
    deadline=$(e2e_deadline "$1")
    shift
    until "$@"; do
        e2e_before "$deadline" || return 1
        sleep 0.1
    done
}

e2e_not() { ! "$@"; }

e2e_quiet() { "$@" >/dev/null 2>&1; }

# Starts Xvfb on a free display (it picks the number itself) and a window manager on it: openbox,
# or xfwm4 (Xfce's), which keeps its settings on a D-Bus session bus of its own; or none, where
# only the programs move the keyboard focus.
e2e_start_x() { # [xfwm4|none]
    local display_file="$E2E_DIR/display"
    : >"$display_file"
    Xvfb -displayfd 3 -screen 0 1280x1024x24 -dpi 96 -nolisten tcp -noreset \
        3>"$display_file" >"$E2E_DIR/xvfb.log" 2>&1 &
    E2E_XVFB_PID=$!
    E2E_PIDS+=("$E2E_XVFB_PID")

    local deadline
    deadline=$(e2e_deadline "$E2E_TIMEOUT")
    while ! grep -q '[0-9]' "$display_file" 2>/dev/null; do
        kill -0 "$E2E_XVFB_PID" 2>/dev/null || e2e_abort "Xvfb did not start: $(cat "$E2E_DIR/xvfb.log")"
        e2e_before "$deadline" || e2e_abort "Xvfb did not report a display within ${E2E_TIMEOUT}s"
        sleep 0.05
    done
    DISPLAY=":$(tr -dc '0-9' <"$display_file")"
    export DISPLAY
    e2e_wait_until "$E2E_TIMEOUT" e2e_quiet xdpyinfo || e2e_abort "display $DISPLAY does not answer"
    E2E_DISPLAY_READY=1

    if [ "${1:-}" == xfwm4 ]; then
        local bus
        bus=$(dbus-daemon --session --fork --print-address=1 --print-pid=3 3>"$E2E_DIR/wm-bus.pid")
        E2E_PIDS+=("$(cat "$E2E_DIR/wm-bus.pid")")
        DBUS_SESSION_BUS_ADDRESS=$bus xfwm4 --compositor=off >"$E2E_DIR/wm.log" 2>&1 &
    elif [ "${1:-}" != none ]; then
        openbox --sm-disable >"$E2E_DIR/wm.log" 2>&1 &
    fi
    if [ "${1:-}" != none ]; then
        E2E_PIDS+=("$!")
        e2e_wait_until "$E2E_TIMEOUT" e2e_quiet wmctrl -m ||
            e2e_abort "the window manager did not start: $(cat "$E2E_DIR/wm.log")"
    fi
    # The pointer rests in a corner where no window is placed, so that no window sees it move.
    xdotool mousemove 1279 1023
}

# Starts the program in the background; its output goes to app.log. Sets APP_PID.
e2e_start_app() { # EXECUTABLE [ARGS...]
    [ -x "$1" ] || e2e_abort "program not found or not executable: $1"
    "$@" >>"$E2E_DIR/app.log" 2>&1 &
    APP_PID=$!
    E2E_PIDS+=("$APP_PID")
}

# Starts the program and waits for the main window; sets MAIN.
start_at_main_window() { # EXECUTABLE [ARGS...]
    e2e_start_app "$@"
    MAIN=$(wait_for_window "$MAIN_CAPTION") || e2e_abort "the main window did not appear"
}

# Escapes a literal text for the extended regular expressions of xdotool search.
e2e_regex_literal() {
    # shellcheck disable=SC2016 # the dollar sign is one of the characters to escape
    printf '%s' "$1" | sed 's/[][\.|$(){}?+*^]/\\&/g'
}

# Ids of the visible windows whose title is exactly TITLE, one a line.
e2e_visible_windows() { # TITLE
    xdotool search --onlyvisible --name "^$(e2e_regex_literal "$1")\$" 2>/dev/null
}

# Ids of every window titled exactly TITLE, mapped or not, one a line. A window that was ever
# shown keeps its X window while it is hidden: the same id means the same window, never a fresh
# one, and none at all means that no such window was ever shown.
e2e_all_windows() { # TITLE
    xdotool search --name "^$(e2e_regex_literal "$1")\$" 2>/dev/null
}

e2e_window_visible() { # WINDOW_ID
    xwininfo -id "$1" 2>/dev/null | grep -q 'Map State: IsViewable'
}

e2e_none_visible() { # TITLE
    [ -z "$(e2e_visible_windows "$1")" ]
}

# Passes when no window titled TITLE is visible, fails when one is.
expect_none_visible() { # WHEN TITLE
    e2e_expect "$1: no window titled '$2' is visible" "$1: a window titled '$2' is visible" e2e_none_visible "$2"
}

# Waits until a visible window titled exactly TITLE exists that is none of the given ids
# (a hidden window keeps its id, so a new window of the same title is told apart this way)
# and prints its id.
wait_for_window() { # TITLE [EXCLUDED_ID...]
    local title=$1 id excluded found
    shift
    local deadline
    deadline=$(e2e_deadline "$E2E_TIMEOUT")
    while e2e_before "$deadline"; do
        for id in $(e2e_visible_windows "$title"); do
            found=$id
            for excluded in "$@"; do
                [ "$id" == "$excluded" ] && found=""
            done
            if [ -n "$found" ]; then
                echo "$found"
                return 0
            fi
        done
        [ -n "$APP_PID" ] && ! kill -0 "$APP_PID" 2>/dev/null && break
        sleep 0.1
    done
    return 1
}

# Waits until the window is no longer visible (hidden or destroyed).
wait_for_window_gone() { # WINDOW_ID
    e2e_wait_until "$E2E_TIMEOUT" e2e_not e2e_window_visible "$1"
}

# Waits until the window no longer exists at all: unloaded, not merely hidden.
wait_for_window_destroyed() { # WINDOW_ID
    e2e_wait_until "$E2E_TIMEOUT" e2e_not e2e_quiet xwininfo -id "$1"
}

# Whether the process has ended; a zombie child has ended too, only wait can reap it.
e2e_process_ended() { # PID
    ! kill -0 "$1" 2>/dev/null || [ "$(ps -o stat= -p "$1" 2>/dev/null | cut -c1)" == "Z" ]
}

# Waits until the process has ended and sets E2E_EXIT_STATUS to its exit status.
wait_for_exit() { # PID
    e2e_wait_until "$E2E_TIMEOUT" e2e_process_ended "$1" || return 1
    wait "$1" 2>/dev/null
    # shellcheck disable=SC2034 # read by the test scripts
    E2E_EXIT_STATUS=$?
    return 0
}

# Ends the program with the signal (TERM unless given) and waits until it has gone.
stop_program() { # [SIGNAL]
    kill -"${1:-TERM}" "$APP_PID" 2>/dev/null
    wait_for_exit "$APP_PID" || e2e_abort "the program did not end on SIG${1:-TERM}"
}

# Waits for the program to end and checks its exit status is 0.
expect_program_end() { # HOW_IT_WAS_ENDED
    if wait_for_exit "$APP_PID"; then
        e2e_check_equal "$1: the program ends with status" "0" "$E2E_EXIT_STATUS"
    else
        e2e_fail "$1: the program did not end within ${E2E_TIMEOUT}s"
    fi
}

e2e_has_x_focus() { # WINDOW_ID
    [ "$(xdotool getwindowfocus 2>/dev/null)" == "$1" ]
}

# Waits until the X input focus is on the window; returns 1 when the time is up.
wait_for_x_focus() { # WINDOW_ID
    e2e_wait_until "$E2E_TIMEOUT" e2e_has_x_focus "$1"
}

# Makes the window the active one, so that synthesised keys reach it. With E2E_WAIT_FOR_X_FOCUS
# set (programs under Wine), it also waits until the X input focus is on the window: Wine hands
# the focus on to the window's control only then, and a key sent before is lost.
e2e_activate() { # WINDOW_ID
    timeout "$E2E_TIMEOUT" xdotool windowactivate --sync "$1" >/dev/null 2>&1 ||
        timeout "$E2E_TIMEOUT" xdotool windowfocus --sync "$1" >/dev/null 2>&1 || # no window manager
        e2e_log "e2e: window $1 did not become active"
    if [ -n "${E2E_WAIT_FOR_X_FOCUS:-}" ] && ! wait_for_x_focus "$1"; then
        e2e_log "e2e: window $1 did not get the keyboard focus"
    fi
}

# The functions a window offers the window manager (the Motif hints' second field), e.g. 0x24.
motif_functions() { # WINDOW_ID
    xprop -id "$1" _MOTIF_WM_HINTS | sed 's/.*= //' | cut -d, -f2 | tr -d ' '
}

# The process that owns the window.
window_pid() { # WINDOW_ID
    xprop -id "$1" _NET_WM_PID 2>/dev/null | awk '{ print $3 }'
}

# Position and size of a window on the screen, as one line "X Y WIDTH HEIGHT".
window_geometry() { # WINDOW_ID
    xwininfo -id "$1" 2>/dev/null |
        awk -F: '/Absolute upper-left|Width|Height/ { gsub(/ /, "", $2); printf "%s ", $2 }'
}

# Programs started from now on meet a dark desktop: GNOME's dark theme through Qt's GTK platform
# theme (package qt6-gtk-platformtheme).
e2e_use_dark_desktop() {
    mkdir -p "$XDG_CONFIG_HOME/gtk-3.0"
    printf '[Settings]\ngtk-theme-name=Adwaita-dark\ngtk-application-prefer-dark-theme=1\n' \
        >"$XDG_CONFIG_HOME/gtk-3.0/settings.ini"
    export XDG_CURRENT_DESKTOP=GNOME
}

# Presses Alt with a letter as a person does, Alt held down a moment first (a quick chord can open
# and close a menu at once).
press_alt() { # LETTER
    xdotool keydown alt
    sleep 0.2
    xdotool key "$1" keyup alt
}

# Types text into the focused widget, one key at a time as a user would.
type_text() { # TEXT
    xdotool type --clearmodifiers --delay "$E2E_KEY_DELAY" -- "$1"
}

# Presses keys or chords in turn, e.g. press_keys alt+n  or  press_keys Tab Tab ctrl+a.
press_keys() { # KEY...
    xdotool key --clearmodifiers --delay "$E2E_KEY_DELAY" "$@"
}

# The clipboard's text exactly, trailing line breaks included (written to stdout).
clipboard_text() {
    xclip -o -selection clipboard -t UTF8_STRING 2>/dev/null
}

clipboard_holds() { # TEXT
    [ "$(clipboard_text)" == "$1" ]
}

# Puts a marker text into the clipboard (owned by a small xclip process) and waits until it
# can be read back, so that a later copy by the program is seen as a change.
E2E_CLIP_PID=""
e2e_set_clipboard() { # TEXT
    if [ -n "$E2E_CLIP_PID" ]; then
        kill "$E2E_CLIP_PID" 2>/dev/null
        wait "$E2E_CLIP_PID" 2>/dev/null
    fi
    printf '%s' "$1" | xclip -quiet -i -selection clipboard >/dev/null 2>&1 &
    E2E_CLIP_PID=$!
    e2e_wait_until "$E2E_TIMEOUT" clipboard_holds "$1" || e2e_abort "could not put a marker into the clipboard"
}

E2E_MARKER_COUNT=0

# Whether the clipboard, written to OUT, holds something other than MARKER.
clipboard_changed_from() { # MARKER OUT
    clipboard_text >"$2"
    [ -s "$2" ] && [ "$(cat "$2")" != "$1" ]
}

# Copies from the focused widget with the given keys (default: select all, copy) and writes
# what reached the clipboard to the file OUT. Returns 1, with OUT empty, when nothing was
# copied. Not for use inside $(...): it starts a process that the exit trap must know.
copy_with_keys() { # OUT [KEY...]
    local out=$1
    shift
    [ $# -eq 0 ] && set -- ctrl+a ctrl+c
    E2E_MARKER_COUNT=$((E2E_MARKER_COUNT + 1))
    local marker="e2e-clipboard-marker-$E2E_MARKER_COUNT-$$"
    e2e_set_clipboard "$marker"
    press_keys "$@"
    e2e_wait_until "$E2E_COPY_TIMEOUT" clipboard_changed_from "$marker" "$out" && return 0
    : >"$out"
    return 1
}

# Copies the focused field's whole text into E2E_COPIED (trailing line breaks dropped);
# E2E_COPIED is empty when nothing was copied.
copy_field_text() {
    local out="$E2E_DIR/copied.txt"
    copy_with_keys "$out"
    # shellcheck disable=SC2034 # read by the test scripts
    E2E_COPIED=$(cat "$out")
}

# Saves a PNG of the window with its frame from the window manager.
screenshot_window() { # WINDOW_ID FILE
    import -window "$1" -frame "$2" 2>>"$E2E_DIR/import.log"
}

# Saves a PNG of the whole screen, e.g. after a failure.
screenshot_screen() { # FILE
    import -window root "$1" 2>>"$E2E_DIR/import.log"
}

opened_urls_at_least() { # COUNT
    [ "$(wc -l <"$E2E_BROWSER_LOG")" -ge "$1" ]
}

# Lines the stand-in browser has written, once COUNT have arrived or the time is up.
wait_for_opened_urls() { # COUNT
    e2e_wait_until "$E2E_TIMEOUT" opened_urls_at_least "$1"
}

expect_no_page_opened() { # WHEN
    e2e_expect "$1: no web page was opened" "$1: pages were opened: $(tr '\n' ' ' <"$E2E_BROWSER_LOG")" \
        e2e_not test -s "$E2E_BROWSER_LOG"
}

# The reminder's stored date minus today ("none" when there is none), and a date stored DAYS
# from today, read and written by the scripts' own encoder (stored_date.py, from the design's
# description of the stored form) in the settings file of the program PROGRAM; as the case's
# user where fault_lib.sh names one (CASE_USER).
stored_date() { # COMMAND [DAYS]
    ${CASE_USER:+as_case_user} /usr/bin/python3 "$(dirname "${BASH_SOURCE[0]}")/stored_date.py" "$1" \
        "$XDG_CONFIG_HOME/$(basename "$PROGRAM")/$(basename "$PROGRAM").ini" "${@:2}"
}
stored_days() { stored_date days 2>/dev/null; }
store_days() { stored_date store "$1" || e2e_abort "could not store a reminder date"; } # DAYS_FROM_TODAY

# The start-up form is never shown, not even for a moment: no window ever had its caption.
check_startup_form_never_shown() {
    e2e_expect "the start-up form was never shown" \
        "a window titled '$EXIT_CAPTION' was created (the start-up form was shown)" \
        test -z "$(e2e_all_windows "$EXIT_CAPTION")"
}

# From the main window MAIN_ID, with the focus in the first-name field: JOHN SMITH, then Next.
# Sets RESULT to the result window.
open_report_for_john_smith() { # MAIN_ID
    e2e_activate "$1"
    type_text "john"
    press_keys Tab Tab
    type_text "smith"
    press_keys alt+n
    wait_for_window_gone "$1" || e2e_abort "Next did not hide the main window"
    RESULT=$(wait_for_window "$MAIN_CAPTION" "$1") || e2e_abort "the result window did not appear"
}

# Copies the report box's text into the file OUT with the keyboard alone (a mouse over the report
# empties the clipboard). The box may or may not have the focus as the window opens; Tab moves
# into it. Returns 1 when nothing could be copied.
copy_report() { # OUT
    local _
    for _ in 1 2 3; do
        copy_with_keys "$1" && return 0
        press_keys Tab
    done
    return 1
}

# The result window RESULT, active, shows the report for JOHN SMITH.
check_report_shown() {
    copy_report "$E2E_DIR/report.txt"
    e2e_check_equal "the report's first line" "$REPORT_FIRST_LINE" "$(head -n 1 "$E2E_DIR/report.txt")"
}

# Back (Alt+B) in the result window RESULT: it goes and the main window comes back; sets MAIN.
back_to_main_window() {
    e2e_activate "$RESULT"
    press_keys alt+b
    wait_for_window_gone "$RESULT" || e2e_abort "Back did not close the result window"
    # shellcheck disable=SC2034 # read by the test scripts
    MAIN=$(wait_for_window "$MAIN_CAPTION") || e2e_abort "the main window did not come back after Back"
}

# Waits for the exit screen, checks that it is the one visible window of the program and that
# it stays above other windows; sets EXIT_SCREEN.
expect_exit_screen() { # HOW_IT_WAS_REACHED
    EXIT_SCREEN=$(wait_for_window "$EXIT_CAPTION") || e2e_abort "$1: the exit screen did not appear"
    e2e_pass "$1: the exit screen appears"
    if xprop -id "$EXIT_SCREEN" _NET_WM_STATE 2>/dev/null | grep -q _NET_WM_STATE_ABOVE; then
        e2e_pass "$1: the exit screen stays on top"
    else
        e2e_fail "$1: the exit screen is not kept above other windows"
    fi
    e2e_wait_until "$E2E_TIMEOUT" e2e_none_visible "$MAIN_CAPTION"
    expect_none_visible "$1, beside the exit screen" "$MAIN_CAPTION"
    kill -0 "$APP_PID" 2>/dev/null || e2e_fail "$1: the program ended instead of showing the exit screen"
}

# File, Exit on the main window MAIN; then expect_exit_screen.
exit_by_file_exit() { # HOW_IT_WAS_REACHED
    e2e_activate "$MAIN"
    press_keys alt+f x
    expect_exit_screen "$1"
}

# From the main window MAIN_ID: File, Exit shows the exit screen, whose Exit button ends the
# program with status 0.
leave_through_file_exit() { # MAIN_ID
    e2e_activate "$1"
    press_keys alt+f x
    EXIT_SCREEN=$(wait_for_window "$EXIT_CAPTION") || e2e_abort "File, Exit did not show the exit screen"
    e2e_pass "File, Exit shows the exit screen"
    e2e_activate "$EXIT_SCREEN"
    press_keys alt+x
    expect_program_end "the exit screen's Exit"
}
