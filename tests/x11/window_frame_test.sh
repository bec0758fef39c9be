#!/usr/bin/env bash
# The main window on a real X server: outer size and place, fixed-size hints, title, Esc.
# Usage: window_frame_test.sh PROGRAM [WINDOW_MANAGER]
set -euo pipefail
program=$1
window_manager=${2:-}

fail() { echo "FAIL: $*" >&2; exit 1; }

# The server picks a free display itself and tells its number, so that tests running side by side
# never race for one.
scratch=$(mktemp -d)
Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp 3>"$scratch/display" >/dev/null 2>&1 &
server=$!
manager=
cleanup() {
    [ -n "${app:-}" ] && kill "$app" 2>/dev/null || true
    [ -n "$manager" ] && kill "$manager" 2>/dev/null || true
    kill "$server" 2>/dev/null || true
    rm -rf "$scratch"
}
trap cleanup EXIT
for _ in $(seq 200); do [ -s "$scratch/display" ] && break; sleep 0.05; done
[ -s "$scratch/display" ] || fail "Xvfb did not start"
export DISPLAY=":$(head -n 1 "$scratch/display")"
xdpyinfo >/dev/null 2>&1 || fail "no X server on $DISPLAY"
if [ -n "$window_manager" ]; then
    "$window_manager" >/dev/null 2>&1 &
    manager=$!
    sleep 0.5
fi

env -u WAYLAND_DISPLAY QT_QPA_PLATFORM=xcb "$program" &
app=$!
window=$(timeout 10 xdotool search --sync --onlyvisible --name '砚舟的小说辅助工具' | head -n 1)
[ -n "$window" ] || fail "no window titled 砚舟的小说辅助工具"
sleep 0.5  # the frame is corrected once the window is mapped

# The outer frame: the window itself, or the window manager's frame around it.
frame=$window
root=$(xwininfo -root | awk '/Window id:/ {print $4}')
while true; do
    parent=$(xwininfo -children -id "$frame" | awk '/Parent window id:/ {print $4}')
    [ "$parent" = "$root" ] && break
    frame=$parent
done
geometry=$(xwininfo -id "$frame")
left=$(awk '/Absolute upper-left X:/ {print $4}' <<<"$geometry")
top=$(awk '/Absolute upper-left Y:/ {print $4}' <<<"$geometry")
width=$(awk '/Width:/ {print $2}' <<<"$geometry")
height=$(awk '/Height:/ {print $2}' <<<"$geometry")
client=$(xwininfo -id "$window" | awk '/Width:/ {w=$2} /Height:/ {h=$2} END {print w "x" h}')
echo "frame ${width}x${height} at ($left, $top), client $client"
[ "$width" = 439 ] && [ "$height" = 271 ] || fail "outer size ${width}x${height}, not 439x271"
[ "$left" = 292 ] && [ "$top" = 248 ] || fail "outer corner ($left, $top), not (292, 248)"

hints=$(xprop -id "$window" WM_NORMAL_HINTS)
min=$(awk '/minimum size:/ {print $4 "x" $6}' <<<"$hints")
max=$(awk '/maximum size:/ {print $4 "x" $6}' <<<"$hints")
[ -n "$min" ] && [ "$min" = "$max" ] || fail "size hints min $min max $max: the window could be resized"

title=$(xprop -id "$window" _NET_WM_NAME)
grep -q '"砚舟的小说辅助工具"' <<<"$title" || fail "title: $title"

# _MOTIF_WM_HINTS: flags, functions, decorations. No minimise or maximise function (0x8, 0x10)
# nor button (0x20, 0x40).
motif=$(xprop -id "$window" _MOTIF_WM_HINTS | sed 's/.*= //')
functions=$(cut -d, -f2 <<<"$motif" | tr -d ' ')
decorations=$(cut -d, -f3 <<<"$motif" | tr -d ' ')
if [ $((functions & 0x1)) -eq 0 ]; then  # MWM_FUNC_ALL unset: the listed functions only
    [ $((functions & 0x18)) -eq 0 ] || fail "the window offers minimise or maximise: $motif"
fi
[ $((decorations & 0x1)) -eq 0 ] && [ $((decorations & 0x60)) -eq 0 ] ||
    fail "the frame draws minimise or maximise buttons: $motif"

xdotool windowactivate --sync "$window" 2>/dev/null || xdotool windowfocus --sync "$window"
xdotool key Escape
status=0
wait "$app" || status=$?
app=
[ "$status" = 0 ] || fail "exit status $status after Esc"
echo "ok"
