#!/usr/bin/env bash
# A whole game with a (virtual) game controller alone: from the menu into a game, moving,
# digging, giving up every life, the name typed with the controller, into the Top 7. A second
# game by keyboard. Both leave replays that glint-tool confirms, and the Top 7 plays one back.
set -u
glint=$1
build=$(dirname "$glint")
tool="$build/glint-tool"
shots=${GLINT_SHOT_DIR:-$build/e2e}
mkdir -p "$shots"
work=$(mktemp -d)
. "$(dirname "$0")/common.sh"
start_display
cleanup() {
    [ -n "${pid:-}" ] && kill "$pid" 2>/dev/null
    kill "$xvfb" 2>/dev/null
    [ -n "${KEEP:-}" ] || rm -rf "$work"
}
trap cleanup EXIT
copy_game "$work/app"
shoot() { import -window root -crop 800x600+0+0 "$shots/pad-$1.png"; }
# Whether the game-over dialog's panel covers the playfield's black sky.
game_over() {
    ! import -window root -crop 1x1+400+100 -depth 8 txt:- | tail -n 1 | grep -q '#000000'
}
# Repeats a way of giving up a life until the game is over (each death waits for the next
# level start first).
give_up_until_over() {
    for _ in $(seq 25); do
        "$@"
        sleep 2
        game_over && return 0
    done
    fail "the game did not end by giving up lives"
}

mkfifo "$work/pad"
GLINT_VIRTUAL_PAD="$work/pad" "$work/app/glint" >"$work/glint.log" 2>&1 &
pid=$!
exec 7>"$work/pad"
pad() { echo "$*" >&7; }
tap() { pad press "$1"; sleep 0.15; pad release "$1"; sleep 0.15; }
hold() { pad press "$1"; sleep "$2"; pad release "$1"; sleep 0.1; }
wait_window
[ -n "$window" ] || { echo "FAIL: no window"; exit 1; }
sleep 2
xdotool windowfocus --sync "$window" mousemove --sync 790 590
pad plug
sleep 0.3

# The first move of the controller shows the focus on the first button; south presses it.
tap down
shoot menu-focus
tap south
sleep 5  # the level-start reveal
hold right 5
tap south
shoot game
# The back button gives up a life only when held for a second: a tap costs nothing, four
# holds end the game (three lives, then the last one).
tap back
sleep 1
shoot tapped-back
give_up_until_over hold back 1.4
sleep 1
shoot game-over
# The name box has the focus: up gives a letter, right moves on; south leaves the box for the
# close button, and south again enters the score.
tap up
tap up
tap right
tap up
tap south
tap south
sleep 1
shoot after-game

# A game by keyboard, lost to reach the Top 7.
xdotool mousemove --sync $(button m_glint1_game_btn) click 1
sleep 5
xdotool keydown Right
sleep 5
xdotool keyup Right
shoot keyboard-game
press_k() { xdotool keydown k; sleep 0.2; xdotool keyup k; }
give_up_until_over press_k
sleep 1
xdotool type --delay 100 KEY
xdotool key Return
sleep 1
shoot keyboard-game-entered

replays=("$work"/app/data/replays/*.replay)
[ "${#replays[@]}" -eq 2 ] || fail "expected two replays, found ${#replays[@]}"
for replay in "${replays[@]}"; do
    [ -f "$replay" ] || continue
    "$tool" replay "$replay" --quiet --pack "$work/app/data/data.pk" ||
        fail "glint-tool does not confirm $(basename "$replay")"
done

# The Top 7 plays an entry's replay under its name; Escape returns to the table.
xdotool mousemove --sync $(button m_mm_top7_1_btn) click 1
sleep 0.5
shoot top7
xdotool mousemove --sync 400 120 click 1
sleep 5
shoot replay
xdotool key Escape
sleep 0.5
shoot back-in-top7
[ "$(compare -metric AE "$shots/pad-top7.png" "$shots/pad-replay.png" null: 2>&1)" != 0 ] ||
    fail "the Top 7 entry did not play its replay"

kill -TERM "$pid"
wait "$pid"
pid=""
# Both games are in the table, under the names given with each device.
scores=$("$tool" unscramble ko%58w "$work/app/data/scores1.tab" "$work/scores1.txt" && tr "\r\n" "  " <"$work/scores1.txt")
case "$scores" in
    *"name0 BA "*"name1 KEY "*) ;;
    *) fail "the Top 7 does not hold BA and KEY: $scores" ;;
esac
if [ "$failures" -ne 0 ]; then
    echo "$failures check(s) failed; screenshots in $shots"
    exit 1
fi
echo "controller and replay test: all checks passed"
