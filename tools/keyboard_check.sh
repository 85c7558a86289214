#!/bin/bash
# Does every window opened from the menus take the keyboard at once? Starts the
# real program on a virtual X display (xvfb-run) over a throw-away register,
# opens 廃棄備品リスト and 保管場所別リスト from the データリスト menu with real
# key presses, then presses Alt+T and Alt+D (the menus 金額集計 and
# データリスト) without any click, and says which keys had an effect: a key
# has one when the screen changed (a menu dropped down). Every step leaves a
# screenshot in the folder given.
#
#   tools/keyboard_check.sh <screenshot folder> [build folder]
#
# A tool to run by hand (it installs xvfb, xdotool and imagemagick when they
# are missing); make test does not run it. It leaves the program's files, its
# settings and its lock in a temporary folder, removed at the end.
set -u

if [ "${1:-}" = "--inside" ]; then
    shift
    inside=1
else
    inside=0
fi
shots=${1:?usage: tools/keyboard_check.sh <screenshot folder> [build folder]}
here=$(cd "$(dirname "$0")/.." && pwd)
build=${2:-$here/build}

if [ $inside = 0 ]; then
    missing=""
    command -v xvfb-run >/dev/null || missing="$missing xvfb"
    command -v xdotool >/dev/null || missing="$missing xdotool"
    command -v import >/dev/null || missing="$missing imagemagick"
    command -v compare >/dev/null || missing="$missing imagemagick"
    if [ -n "$missing" ]; then
        if [ "$(id -u)" != 0 ]; then SUDO=sudo; else SUDO=; fi
        $SUDO apt-get update -qq && DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y -qq $missing || exit 1
    fi
    if [ ! -x "$build/zemlo2" ] || [ ! -x "$build/zemlo_sample_register" ]; then
        cmake --build "$build" --target zemlo2 zemlo_sample_register || exit 1
    fi
    mkdir -p "$shots" || exit 1
    rm -f "$shots"/[0-9][0-9]-*.png
    shots=$(cd "$shots" && pwd)
    build=$(cd "$build" && pwd)
    # A school office's screen.
    exec xvfb-run -a -s "-screen 0 1366x768x24" "$0" --inside "$shots" "$build"
fi

# ---- inside the virtual display
tmp=$(mktemp -d)
prog=$tmp/program
mkdir -p "$prog" "$tmp/config" "$tmp/runtime" "$tmp/home"
chmod 700 "$tmp/runtime"
"$build/zemlo_sample_register" "$prog" 300 >/dev/null || exit 1
# The program's folder is its executable's: the register lies beside it.
cp "$build/zemlo2" "$prog/zemlo2"
export XDG_CONFIG_HOME=$tmp/config XDG_RUNTIME_DIR=$tmp/runtime HOME=$tmp/home
export QT_QPA_PLATFORM=xcb

"$prog/zemlo2" >"$tmp/program.log" 2>&1 &
pid=$!
finish() {
    kill "$pid" 2>/dev/null
    wait "$pid" 2>/dev/null
    rm -rf "$tmp"
}
trap finish EXIT

step=0
shot() {  # shot <name>: the whole screen into the folder, named in $taken
    step=$((step + 1))
    taken=$(printf '%s/%02d-%s.png' "$shots" "$step" "$1")
    import -window root "$taken"
}
changed() {  # changed <before> <after>: the number of pixels that differ
    compare -metric AE "$1" "$2" null: 2>&1 | cut -d' ' -f1
}
focus() {  # the name of the window that has the X keyboard focus
    xdotool getwindowfocus getwindowname 2>/dev/null || echo "(none)"
}
press() {  # press <keys>: a real key press through the X server, then time to draw
    xdotool key --clearmodifiers "$@"
    sleep 1
}
results=()
# try <key> <label>: presses the key, says whether the screen changed, and
# closes what it opened.
try() {
    local before n
    shot "before-$2"
    before=$taken
    press "$1"
    shot "after-$2"
    n=$(changed "$before" "$taken")
    if [ "${n:-0}" -gt 0 ] 2>/dev/null; then
        results+=("$3: $1 had an effect ($n pixels changed)")
    else
        results+=("$3: $1 had NO effect (keyboard focus: $(focus))")
    fi
    press Escape
    press Escape
}
# opens <letter> <label>: データリスト → the entry with that letter.
opens() {
    press alt+d
    shot "menu-for-$2"
    press "$1"
    sleep 2
    shot "$2-opened"
    results+=("$2 opened; keyboard focus on: $(focus)")
}

if ! xdotool search --sync --onlyvisible --name 'ゼムロ' >/dev/null 2>&1; then
    echo "the program did not show its window" >&2
    exit 1
fi
sleep 3
shot start
results+=("at start; keyboard focus on: $(focus)")
# There is no window manager here: give the main window the keyboard once,
# as a desktop does with a window that appears (no click).
if [ -z "$(focus)" ] || [ "$(focus)" = "(none)" ]; then
    xdotool search --onlyvisible --name 'ゼムロ' windowfocus --sync 2>/dev/null
    sleep 1
    results+=("keyboard given to the main window: $(focus)")
fi

opens b disposed
try alt+t alt-t-disposed "廃棄備品リスト"
try alt+d alt-d-disposed "廃棄備品リスト"

opens k places
try alt+t alt-t-places "保管場所別リスト"
try alt+d alt-d-places "保管場所別リスト"

printf '%s\n' "${results[@]}"
echo "screenshots in $shots"
