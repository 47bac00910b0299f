# shellcheck shell=bash
# What the accessibility-bus tests share, on top of lib.sh (source that first): a private D-Bus
# session with the accessibility bus (AT-SPI) on it, as a screen reader finds it on a desktop,
# and the checker that reads the program from that bus.

ATSPI_CHECK="$(dirname "${BASH_SOURCE[0]}")/atspi_check.py"
readonly ATSPI_CHECK
readonly ATSPI_BUS_LAUNCHER=/usr/libexec/at-spi-bus-launcher

atspi_skip() { # WHAT PACKAGE
    echo "SKIP: $1 is not installed (package $2; scripts/install-deps.sh installs it)"
    exit "$E2E_SKIP"
}

# Skips when a part of the accessibility stack is not installed; then, once, runs the calling
# script again inside a private D-Bus session, so that nothing reaches the user's own session.
atspi_enter_session() { # "$@" of the calling script
    command -v dbus-run-session >/dev/null || atspi_skip dbus-run-session dbus
    command -v dbus-send >/dev/null || atspi_skip dbus-send dbus
    [ -x "$ATSPI_BUS_LAUNCHER" ] || atspi_skip "$ATSPI_BUS_LAUNCHER" at-spi2-core
    # Debian's own interpreter: another python3 on PATH lacks Debian's modules.
    /usr/bin/python3 -c 'import pyatspi' 2>/dev/null || atspi_skip "pyatspi for /usr/bin/python3" python3-pyatspi
    if [ -z "${ATSPI_SESSION_BUS:-}" ]; then
        ATSPI_SESSION_BUS=private exec dbus-run-session -- bash "$0" "$@"
    fi
    ATSPI_SESSION_BUS=$DBUS_SESSION_BUS_ADDRESS
}

# After e2e_setup (which cuts the program off from any session bus): gives the private session
# back, starts the accessibility bus on it and has Qt export the program's tree there.
atspi_start_bus() {
    export DBUS_SESSION_BUS_ADDRESS=$ATSPI_SESSION_BUS
    "$ATSPI_BUS_LAUNCHER" --launch-immediately >"$E2E_DIR/atspi.log" 2>&1 &
    E2E_PIDS+=("$!")
    e2e_wait_until "$E2E_TIMEOUT" e2e_quiet dbus-send --session --print-reply --dest=org.a11y.Bus \
        /org/a11y/bus org.a11y.Bus.GetAddress ||
        e2e_abort "the accessibility bus did not start: $(cat "$E2E_DIR/atspi.log")"
    export QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1
}

# Runs the checker (atspi_check.py COMMAND ...) against the program; its lines are the report.
atspi_check() { # COMMAND PROGRAM [ARGS...]
    local command=$1 program=$2
    shift 2
    E2E_MAIN_CAPTION=$MAIN_CAPTION E2E_EXIT_CAPTION=$EXIT_CAPTION E2E_REPORT_FIRST_LINE=$REPORT_FIRST_LINE \
        /usr/bin/python3 "$ATSPI_CHECK" "$command" "$(basename "$program")" "$@" ||
        e2e_fail "the accessibility bus shows failures (lines above)"
}

# Starts the screen reader Orca on the private session, speaking to nothing: speech-dispatcher with
# one module whose command does nothing, and ALSA's null device. Orca's debug file records each
# utterance as a "SPEECH OUTPUT" line; Orca opens it block-buffered, so a copy of Orca that opens it
# line-buffered runs instead. Skips when Orca or speech-dispatcher is not installed.
atspi_start_orca() {
    command -v orca >/dev/null || atspi_skip orca orca
    command -v speech-dispatcher >/dev/null || atspi_skip speech-dispatcher speech-dispatcher
    local speechd="$XDG_CONFIG_HOME/speech-dispatcher"
    mkdir -p "$speechd/modules"
    printf '%s\n' 'AudioOutputMethod "alsa"' 'AddModule "silent" "sd_generic" "silent.conf"' \
        'DefaultModule silent' >"$speechd/speechd.conf"
    printf '%s\n' 'GenericExecuteSynth "true"' 'AddVoice "en" "MALE1" "silent"' >"$speechd/modules/silent.conf"
    printf 'pcm.!default { type null }\n' >"$HOME/.asoundrc"
    sed "s/open(args.debug_file, 'w')/open(args.debug_file, 'w', buffering=1)/" "$(command -v orca)" \
        >"$E2E_DIR/orca"
    ORCA_LOG="$E2E_DIR/orca-debug.txt"
    /usr/bin/python3 "$E2E_DIR/orca" --replace --debug-file="$ORCA_LOG" >"$E2E_DIR/orca.log" 2>&1 &
    E2E_PIDS+=("$!")
    e2e_wait_until "$E2E_TIMEOUT" e2e_quiet grep -q "SPEECH OUTPUT: 'Screen reader on" "$ORCA_LOG" ||
        e2e_abort "Orca did not start: $(tail -c 2000 "$E2E_DIR/orca.log")"
    # Orca leaves the speech server it started running; it goes with the rest at the end.
    E2E_PIDS+=($(cat "$XDG_RUNTIME_DIR/speech-dispatcher/pid/speech-dispatcher.pid" 2>/dev/null))
    orca_mark
}

# What Orca says from now on is what orca_says looks at.
orca_mark() {
    ORCA_MARK=$(($(wc -l <"$ORCA_LOG") + 1))
}

# What Orca has said since the last mark, one utterance a line without its closing full stop (an
# utterance of several lines is joined into one).
orca_utterances() {
    tail -n +"$ORCA_MARK" "$ORCA_LOG" | awk '/SPEECH OUTPUT:/ {
        said = $0
        while (said !~ /}[[:space:]]*$/ && (getline more) > 0) said = said " " more
        print said
    }' | sed -E "s/.*SPEECH OUTPUT: '(.*)' ?\{.*/\1/; s/\.$//"
}

# Waits until Orca has said TEXT since the last mark; given more texts, until it has said them as
# whole utterances one right after the other.
orca_says() { # DESCRIPTION TEXT [TEXT...]
    local description=$1 deadline said wanted
    shift
    wanted="|$(printf '%s|' "$@")"
    deadline=$(e2e_deadline "$E2E_TIMEOUT")
    while :; do
        said=$(orca_utterances)
        if { [ $# -eq 1 ] && grep -qF -- "$1" <<<"$said"; } ||
            [[ "|$(tr '\n' '|' <<<"$said")" == *"$wanted"* ]]; then
            e2e_pass "$description: Orca says '$*'"
            return
        fi
        e2e_before "$deadline" || break
        sleep 0.1
    done
    e2e_fail "$description: Orca did not say '$*' but: $(tr '\n' '|' <<<"$said" | cut -c1-500)"
}

# Orca has not said TEXT since the last mark.
orca_did_not_say() { # DESCRIPTION TEXT
    if orca_utterances | grep -qF -- "$2"; then
        e2e_fail "$1: Orca said '$2' again: $(orca_utterances | tr '\n' '|' | cut -c1-500)"
    else
        e2e_pass "$1: Orca did not say '$2'"
    fi
}
