#!/usr/bin/env bash
# Takes PNG pictures of the program's windows on a private X server (Xvfb with openbox, so the
# pictures show the window frame and caption) and writes them to docs/screenshots/.
#
# Usage: [SCALE=2] [DARK=1] scripts/screenshots.sh BUILD_DIR [OUTPUT_DIR]
#   BUILD_DIR   a configured and built tree, e.g. build/release (build/windows: under Wine)
#   OUTPUT_DIR  where the pictures go (default: docs/screenshots in the repository, and its
#               folder dark/ with DARK=1)
#   SCALE       a scale factor other than 1 runs the program as on a high-DPI screen
#               (QT_SCALE_FACTOR) and names the pictures NAME@<SCALE>x.png
#   DARK        1 runs the program on a dark desktop: GNOME's dark theme through Qt's GTK
#               platform theme (package qt6-gtk-platformtheme)
#
# Each window has one shoot_* step below; to add a window, add a step that brings it up from
# the state the previous step left, and call it at the end.
set -u
repo=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
# shellcheck source=SCRIPTDIR/../tests/e2e/lib.sh
source "$repo/tests/e2e/lib.sh"

build_dir=${1:?usage: scripts/screenshots.sh BUILD_DIR [OUTPUT_DIR]}
dark=${DARK:-0}
out_dir=${2:-$repo/docs/screenshots$([ "$dark" == 1 ] && echo /dark)}
program=("$(cd "$build_dir" && pwd)/src/app/VLFreeSubconsciousSelfNumber")
# A Windows build runs under Wine, through the build's wine-run.sh.
if [ -x "$build_dir/wine-run.sh" ]; then
    program=("$(cd "$build_dir" && pwd)/wine-run.sh" "${program[0]}.exe")
    E2E_WAIT_FOR_X_FOCUS=1
fi
[ -e "${program[-1]}" ] || {
    echo "not built: ${program[-1]}" >&2
    exit 1
}
mkdir -p "$out_dir"
out_dir=$(cd "$out_dir" && pwd)

scale=${SCALE:-1}
suffix=""
[ "$scale" != 1 ] && suffix="@${scale}x"


# Writes the window with its frame to OUTPUT_DIR/NAME.png, without time stamps in the file so
# that an unchanged window gives an unchanged file. The window may still be repainting after
# the last key, so pictures are taken until two in a row are the same.
shoot() { # WINDOW_ID NAME
    local file="$out_dir/$2$suffix.png" previous="$E2E_DIR/previous.png" current="$E2E_DIR/current.png"
    local deadline
    deadline=$(e2e_deadline "$E2E_TIMEOUT")
    import -window "$1" -frame -define png:exclude-chunks=date,time "$previous" ||
        e2e_abort "could not take a picture of window $1"
    while :; do
        sleep 0.2
        import -window "$1" -frame -define png:exclude-chunks=date,time "$current" ||
            e2e_abort "could not take a picture of window $1"
        cmp -s "$previous" "$current" && break
        e2e_before "$deadline" || e2e_abort "the picture of window $1 does not settle"
        mv "$current" "$previous"
    done
    mv "$current" "$file"
    echo "wrote $file"
}

# The main window with a name typed in (lower case, shown in capitals). The focus then goes on
# to the Next button, so that no blinking text cursor makes two runs give different pictures.
shoot_main_window() {
    main=$(wait_for_window "$MAIN_CAPTION") || e2e_abort "the main window did not appear"
    e2e_activate "$main"
    type_text "john"
    press_keys Tab Tab
    type_text "smith"
    press_keys Tab Tab Tab Tab
    shoot "$main" main-window
}

# The result window with the report for JOHN SMITH, the focus on Back (no blinking cursor);
# Back returns to the main window.
shoot_result_window() {
    e2e_activate "$main"
    press_keys alt+n
    wait_for_window_gone "$main" || e2e_abort "Next did not hide the main window"
    local result
    result=$(wait_for_window "$MAIN_CAPTION" "$main") || e2e_abort "the result window did not appear"
    e2e_activate "$result"
    press_keys Tab
    shoot "$result" result-window
    press_keys alt+b
    wait_for_window_gone "$result" || e2e_abort "Back did not close the result window"
    wait_for_window "$MAIN_CAPTION" >/dev/null || e2e_abort "the main window did not come back"
}

# The About box (Help, About Software), closed again by its close box.
shoot_about_box() {
    e2e_activate "$main"
    press_keys alt+h a
    local about
    about=$(wait_for_window "$MAIN_CAPTION" "$main") || e2e_abort "the About box did not appear"
    e2e_activate "$about"
    shoot "$about" about-box
    wmctrl -i -c "$about"
    wait_for_window_gone "$about" || e2e_abort "the About box did not close"
}

# The exit screen after File, Exit, activated so that its Exit button shows the focus; its
# Exit button then ends the program.
shoot_exit_screen() {
    e2e_activate "$main"
    press_keys alt+f x
    local exit_screen
    exit_screen=$(wait_for_window "$EXIT_CAPTION") || e2e_abort "the exit screen did not appear"
    e2e_activate "$exit_screen"
    shoot "$exit_screen" exit-screen
    press_keys alt+x
    wait_for_exit "$APP_PID" || e2e_abort "the exit screen's Exit button did not end the program"
}

e2e_setup
# A scaled window can be wider than the test screen; give the X server room for it.
if [ "$scale" != 1 ]; then
    eval "$(declare -f e2e_start_x | sed "s/1280x1024x24/$((1280 * ${scale%.*}))x$((1024 * ${scale%.*}))x24/")"
fi
e2e_start_x
# lib.sh clears the scale variables so that tests see one pixel per pixel; set it again here.
[ "$scale" != 1 ] && export QT_SCALE_FACTOR="$scale"
[ "$dark" == 1 ] && e2e_use_dark_desktop
e2e_start_app "${program[@]}"
shoot_main_window
shoot_result_window
shoot_about_box
shoot_exit_screen
