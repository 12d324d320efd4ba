#!/usr/bin/env bash
# The real program under a virtual display: one borderless 800 x 600 window titled
# "Glint Seeker" at the placed position, about 33 frame steps a second, and a clean exit when
# the window is closed by the desktop or through the menu's quit dialog; a game started from the
# menu, keys rebound in the options stored in the settings, and a dialog opened with the keyboard
# alone. Screenshots go to the build's e2e folder.
set -u
glint=$1
probe=$2
shots=${3:-$(dirname "$glint")/e2e}
mkdir -p "$shots"
work=$(mktemp -d)
. "$(dirname "$0")/common.sh"
# A display of our own, on a free number.
start_display 1280x1024x24 -wr
trap 'kill $xvfb 2>/dev/null; rm -rf "$work"' EXIT
export GLINT_FRAME_STATS=1

# The program runs from a copy of its own, so that the settings, scores and saved games it writes
# stay in the test's folder and no earlier run of the build's program changes what it does.
build=$(dirname "$glint")
mkdir -p "$work/app/data"
cp "$glint" "$work/app/glint"
cp "$build"/data/data.pk "$build"/data/s*.wav "$work/app/data/" 2>/dev/null
tool="$build/glint-tool"
glint="$work/app/glint"
# Borderless windows say so in a property whose name a desktop normally provides.
"$probe" intern _MOTIF_WM_HINTS

start_glint() {
    "$glint" >"$work/out" 2>"$work/err" &
    pid=$!
    window=""
    for _ in $(seq 100); do
        window=$(xdotool search --name '^Glint Seeker$' 2>/dev/null | head -n 1)
        [ -n "$window" ] && break
        sleep 0.1
    done
}

# First run: the window, then a close from the desktop.
start_glint
if [ -z "$window" ]; then
    fail "no window titled Glint Seeker appeared"
    cat "$work/err"
    exit 1
fi
[ "$(xdotool search --name '^Glint Seeker$' | wc -l)" -eq 1 ] || fail "more than one window"
geometry=$(xdotool getwindowgeometry "$window")
grep -q 'Position: 0,0' <<<"$geometry" || fail "window not at 0,0: $geometry"
grep -q 'Geometry: 800x600' <<<"$geometry" || fail "window not 800x600: $geometry"
hints=$(xprop -id "$window" _MOTIF_WM_HINTS)
grep -q '= 0x2, 0x0' <<<"$hints" || fail "window not borderless: $hints"
# Task bars and window switchers show the game's own icon.
xprop -id "$window" _NET_WM_ICON | head -c 200 | grep -q 'Icon (64 x 64)' ||
    fail "the window has no 64 x 64 icon"
sleep 3
import -window root "$shots/blank-window.png"
"$probe" close "$window"
wait_exit
[ "$status" = 0 ] || fail "closing the window: exit status $status"
stats=$(grep 'frame steps in' "$work/err")
steps=$(sed -E 's/.*: ([0-9]+) frame steps in ([0-9]+) ms.*/\1/' <<<"$stats")
ms=$(sed -E 's/.*: ([0-9]+) frame steps in ([0-9]+) ms.*/\2/' <<<"$stats")
if [ -z "$stats" ] || [ "$ms" -lt 2000 ]; then
    fail "no frame statistics over at least 2 s: '$stats'"
else
    rate=$(( (steps - 1) * 1000 / ms ))
    { [ "$rate" -ge 28 ] && [ "$rate" -le 34 ]; } || fail "$rate frame steps a second ($stats)"
    echo "frame steps: $stats, $rate a second"
fi

# Second run: Escape in the main menu asks to quit, Enter confirms.
start_glint
[ -n "$window" ] || fail "no window on the second start"
sleep 1
xdotool windowfocus --sync "$window" key Escape
sleep 0.5
import -window root "$shots/quit-dialog.png"
xdotool key Return
wait_exit
[ "$status" = 0 ] || fail "Escape then Enter: exit status $status"

# Third run: a game of the first level set, started from the menu as a player does. The button's
# place comes from the menu table in the pack.
pack="$work/app/data/data.pk"
if [ -f "$pack" ] && [ -x "$tool" ]; then
    menu=$("$tool" cat "$pack" mui/menu.txt | tr '\r\t' '  ')
    # The number under a key of the menu table.
    at() { awk -v k="$1" '{for (i = 1; i < NF; i++) if ($i == k) print $(i + 1)}' <<<"$menu"; }
    bx=$(at m_glint1_game_btnx)
    by=$(at m_glint1_game_btny)
    start_glint
    sleep 2
    import -window root -crop 800x600+0+0 "$shots/main-menu.png"
    xdotool mousemove --sync $((bx + 20)) $((by + 15)) click 1
    sleep 6  # past the level-start reveal
    import -window root -crop 800x600+0+0 "$shots/game.png"
    # The playfield shows something, and the status line holds text in its own yellow-green.
    field=$(convert "$shots/game.png" -crop 800x540+0+0 +repage -colorspace gray -format '%[fx:mean]' info:)
    hud=$(convert "$shots/game.png" -crop 760x40+20+550 +repage -fuzz 10% -fill white \
        -opaque 'rgb(210,237,37)' -fill black +opaque white -colorspace gray -format '%[fx:mean]' info:)
    awk -v f="$field" 'BEGIN { exit !(f > 0.02) }' || fail "the playfield looks empty (mean $field)"
    awk -v s="$hud" 'BEGIN { exit !(s > 0.01) }' || fail "no status line text (share $hud)"
    # Tilted for about a second, the playfield turns about its middle: its lower half still
    # shows the level, not the black of a playfield clipped away.
    xdotool keydown z
    sleep 1.1
    xdotool keyup z
    sleep 0.3
    import -window root -crop 800x600+0+0 "$shots/game-tilted.png"
    lower=$(convert "$shots/game-tilted.png" -crop 800x240+0+300 +repage -colorspace gray \
        -format '%[fx:mean]' info:)
    awk -v f="$lower" 'BEGIN { exit !(f > 0.01) }' ||
        fail "tilted, the lower half of the playfield is empty (mean $lower)"
    xdotool key Escape
    sleep 0.5
    xdotool key Escape
    sleep 0.5
    xdotool key Return
    wait_exit
    [ "$status" = 0 ] || fail "quitting after a game: exit status $status"

    # Enter asks the desktop to minimize the window. This display has no window manager, so
    # the window stays on screen: it must go on being drawn, in the menu and after a game.
    # Pointing at a button changes the picture (the button's hover band).
    hover_changes() {
        xdotool mousemove --sync 790 590
        sleep 0.4
        import -window root -crop 800x600+0+0 "$work/away.png"
        xdotool mousemove --sync $((bx + 20)) $((by + 15))
        sleep 0.4
        import -window root -crop 800x600+0+0 "$shots/hover-$1.png"
        changed=$(compare -metric AE "$work/away.png" "$shots/hover-$1.png" null: 2>&1)
        [ "${changed%% *}" -gt 100 ] 2>/dev/null || fail "$1: pointing at a button changes nothing ($changed pixels)"
    }
    rm -f "$work/app/data/save.sav"  # no game waiting: the button starts one at once
    start_glint
    sleep 2
    xdotool windowfocus --sync "$window" key Return
    sleep 0.5
    hover_changes after-enter-in-menu
    xdotool mousemove --sync $((bx + 20)) $((by + 15)) click 1
    sleep 1
    xdotool key Return
    sleep 0.8
    hover_changes after-enter-in-game
    xdotool key Escape
    sleep 0.5
    xdotool key Return
    wait_exit
    [ "$status" = 0 ] || fail "quitting after minimize requests: exit status $status"
else
    echo "no data pack beside the program: the game screenshot is skipped"
fi

# The frame clock keeps time: with the other core busy, steps come every 30.0 ms on average
# (deadlines at fixed times, late wake-ups not added up).
start_glint
busy() { while :; do :; done; }
busy &
spinner=$!
sleep 20
kill "$spinner"
"$probe" close "$window"
wait_exit
stats=$(grep 'frame steps in' "$work/err")
per_step=$(sed -E 's/.*\(([0-9.]+) ms a step\).*/\1/' <<<"$stats")
awk -v p="$per_step" 'BEGIN { exit !(p >= 29.9 && p <= 30.1) }' ||
    fail "the frame clock drifts: $stats"
echo "frame clock: $stats"

# Fourth run: keys rebound in the options, including keys with no editing meaning (keypad,
# punctuation), are stored in the settings when the dialog closes.
if [ -f "$pack" ] && [ -x "$tool" ]; then
    press() { xdotool keydown "$1"; sleep 0.2; xdotool keyup "$1"; sleep 0.3; }
    ox=$(at m_od_x)
    oy=$(at m_od_y)
    start_glint
    sleep 2
    xdotool mousemove --sync $(($(at m_options_btnx) + 20)) $(($(at m_options_btny) + 15)) click 1
    sleep 1
    xdotool mousemove --sync $((ox + $(at m_od_fire_key_x) + 40)) $((oy + $(at m_od_fire_key_y) + 15)) click 1
    sleep 0.3
    press KP_Subtract
    xdotool mousemove --sync $((ox + $(at m_od_left_key_x) + 40)) $((oy + $(at m_od_left_key_y) + 15)) click 1
    sleep 0.3
    press comma
    import -window root -crop 800x600+0+0 "$shots/options-rebound.png"
    xdotool mousemove --sync $((ox + $(at m_od_close_btnx) + 20)) $((oy + $(at m_od_close_btny) + 15)) click 1
    sleep 0.5
    xdotool key Escape
    sleep 0.5
    xdotool key Return
    wait_exit
    [ "$status" = 0 ] || fail "quitting after the options: exit status $status"
    "$tool" unscramble qoz "$work/app/data/dx.cfg" "$work/settings.txt" >/dev/null 2>&1
    settings=$(tr '\r\t' '  ' <"$work/settings.txt" 2>/dev/null)
    grep -Eq 'm_fire_key +74( |$)' <<<"$settings" || fail "keypad minus not stored as fire: $settings"
    grep -Eq 'm_left_key +51( |$)' <<<"$settings" || fail "comma not stored as left: $settings"
fi

# Fifth run: the keyboard alone. Without a game waiting, four presses of Tab reach the help
# button, which then shows its focus; Space opens the help dialog over the menu.
if [ -f "$pack" ] && [ -x "$tool" ]; then
    rm -f "$work/app/data/save.sav"
    start_glint
    sleep 2
    xdotool mousemove --sync 790 590
    xdotool windowfocus --sync "$window"
    import -window root -crop 800x600+0+0 "$work/no-focus.png"
    for _ in 1 2 3 4; do xdotool key Tab; sleep 0.2; done
    sleep 0.3
    import -window root -crop 800x600+0+0 "$shots/focus-help.png"
    xdotool key space
    sleep 0.5
    import -window root -crop 800x600+0+0 "$shots/focus-help-dialog.png"
    # Pixels that differ between two screenshots in a rectangle WxH at X, Y.
    changed_at() {
        convert "$1" -crop "$3+$4+$5" +repage "$work/one.png"
        convert "$2" -crop "$3+$4+$5" +repage "$work/two.png"
        compare -metric AE "$work/one.png" "$work/two.png" null: 2>&1 | cut -d' ' -f1
    }
    focused=$(changed_at "$work/no-focus.png" "$shots/focus-help.png" 130x60 "$(at m_help_btnx)" \
        "$(at m_help_btny)")
    [ "${focused:-0}" -gt 100 ] 2>/dev/null || fail "Tab: the help button shows no focus ($focused)"
    # The close button stands where the help dialog puts it, in the panel.
    closing=$(changed_at "$shots/focus-help.png" "$shots/focus-help-dialog.png" 130x60 \
        $(($(at m_hd_x) + $(at m_hd_close_btnx))) $(($(at m_hd_y) + $(at m_hd_close_btny))))
    [ "${closing:-0}" -gt 1000 ] 2>/dev/null || fail "Space on the help button: no dialog ($closing)"
    xdotool key Escape
    sleep 0.3
    xdotool key Escape
    sleep 0.5
    xdotool key Return
    wait_exit
    [ "$status" = 0 ] || fail "quitting after the keyboard run: exit status $status"
fi

# Started from elsewhere, the program works beside its executable when its data lies there.
mkdir -p "$work/install/data"
cp "$glint" "$work/install/glint"
cp "$pack" "$work/install/data/" 2>/dev/null
(cd / && exec "$work/install/glint" >"$work/out" 2>"$work/err") &
pid=$!
for _ in $(seq 100); do
    xdotool search --name '^Glint Seeker$' >/dev/null 2>&1 && break
    sleep 0.1
done
cwd=$(readlink "/proc/$pid/cwd")
[ "$cwd" = "$work/install" ] || fail "started from /, works in '$cwd' instead of beside its data"
kill -TERM "$pid"  # a termination signal closes the program like the desktop would
wait_exit
[ "$status" = 0 ] || fail "SIGTERM: exit status $status"

# Without a display: one clear line, no crash.
DISPLAY= WAYLAND_DISPLAY= timeout 20 "$glint" >"$work/out" 2>"$work/err"
status=$?
[ "$status" = 1 ] || fail "without a display: exit status $status"
# (Display libraries may print their own complaints; the program's is one line.)
[ "$(grep -c '^glint:' "$work/err")" -eq 1 ] && grep -q '^glint: cannot start the display' "$work/err" ||
    fail "without a display: $(cat "$work/err")"

if [ "$failures" -ne 0 ]; then
    echo "$failures check(s) failed"
    exit 1
fi
echo "window test: all checks passed"
