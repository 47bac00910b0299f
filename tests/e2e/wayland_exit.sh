#!/usr/bin/env bash
# End-to-end on Wayland: the program runs natively on a headless compositor (weston) and is
# driven through the accessibility bus, since X tools cannot reach a Wayland window: File, Exit,
# then the exit screen's Exit. The program ends with status 0 and writes nothing to stderr.
#
# Usage: wayland_exit.sh PATH_TO_PROGRAM
set -u
source "$(dirname "${BASH_SOURCE[0]}")/lib.sh"
source "$(dirname "${BASH_SOURCE[0]}")/atspi_lib.sh"

program=${1:?usage: wayland_exit.sh PATH_TO_PROGRAM}

command -v weston >/dev/null || atspi_skip weston weston
plugins=$(qtpaths6 --query QT_INSTALL_PLUGINS 2>/dev/null || qmake6 -query QT_INSTALL_PLUGINS 2>/dev/null)
compgen -G "$plugins/platforms/libqwayland-*.so" >/dev/null || atspi_skip "Qt's Wayland platform" qt6-wayland
atspi_enter_session "$@"

export E2E_NO_X=1 # no X server: lib.sh asks for none of the X tools
e2e_setup
atspi_start_bus

socket="ssn-e2e-$$"
weston --backend=headless-backend.so --socket="$socket" --idle-time=0 >"$E2E_DIR/weston.log" 2>&1 &
E2E_PIDS+=("$!")
e2e_wait_until "$E2E_TIMEOUT" test -S "$XDG_RUNTIME_DIR/$socket" ||
    e2e_abort "weston did not start: $(cat "$E2E_DIR/weston.log")"
export WAYLAND_DISPLAY=$socket QT_QPA_PLATFORM=wayland

[ -x "$program" ] || e2e_abort "program not found or not executable: $program"
"$program" >>"$E2E_DIR/app.log" 2>"$E2E_DIR/stderr.log" &
APP_PID=$!
E2E_PIDS+=("$APP_PID")

atspi_check exit "$program"
expect_program_end "the exit screen's Exit through the bus"
e2e_expect "the program wrote nothing to stderr" "the program wrote to stderr: $(head -c 2000 "$E2E_DIR/stderr.log")" \
    e2e_not test -s "$E2E_DIR/stderr.log"
e2e_finish
