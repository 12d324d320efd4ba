#!/usr/bin/env bash
# The real program killed at random moments around its saves (a new game that is kept at its
# level start, then a quit that writes every user file), round after round. After each kill
# every user file must be a complete version (the old one or the new one), the saved game must
# still be there, and the next start must clean away what an interrupted write left behind.
set -u
glint=$1
rounds=${2:-30}
build=$(dirname "$glint")
tool="$build/glint-tool"
work=$(mktemp -d)
. "$(dirname "$0")/common.sh"
start_display
trap 'kill $xvfb 2>/dev/null; rm -rf "$work"' EXIT
app="$work/app"
data="$app/data"
copy_game "$app"
bx=$(($(at m_glint1_game_btnx) + 20))
by=$(($(at m_glint1_game_btny) + 15))

# Autosave on, so that a game is kept at each level start.
printf 'm_autosave 1\nm_window_width 800\nm_window_height 600\nx 0\ny 0\n' >"$work/settings.txt"
"$tool" scramble qoz "$work/settings.txt" "$data/dx.cfg" >/dev/null

# key, and the entries a complete file of each kind holds.
declare -A keys=([dx.cfg]=qoz [save.sav]=qx71m [scores1.tab]='ko%58w' [scores2.tab]='ko%58w')
declare -A needs=([dx.cfg]='m_autosave m_window_width x y' [save.sav]='gf_m_level_current m_game_kind'
    [scores1.tab]=num [scores2.tab]=num)

complete() {
    local name=$1 plain="$work/plain"
    "$tool" unscramble "${keys[$name]}" "$data/$name" "$plain" >/dev/null 2>&1 || return 1
    [ "$(tail -c 1 "$plain" | od -An -c | tr -d ' ')" = '\n' ] || return 1
    for key in ${needs[$name]}; do
        grep -q "^$key " "$plain" || return 1
    done
}

start_glint() {
    "$app/glint" >/dev/null 2>"$work/err" &
    pid=$!
    wait_window
}

# A first, whole run leaves a saved game and every file.
start_glint
sleep 1
xdotool windowfocus --sync "$window" mousemove --sync "$bx" "$by" click 1
sleep 1
xdotool key Escape
sleep 0.3
xdotool key Escape
sleep 0.3
xdotool key Return
for _ in $(seq 50); do kill -0 "$pid" 2>/dev/null || break; sleep 0.1; done
for name in "${!keys[@]}"; do
    complete "$name" || fail "the first run left no complete $name"
done

killed_during_writes=0
for round in $(seq "$rounds"); do
    start_glint
    [ -n "$window" ] || { fail "round $round: no window"; kill -9 "$pid" 2>/dev/null; continue; }
    # What interrupted writes left behind is gone once the program has started.
    leftovers=$(find "$data" -regextype posix-extended -regex '.*/(dx\.cfg|save\.sav|scores[12]\.tab)\.[A-Za-z0-9]{6}')
    [ -z "$leftovers" ] || fail "round $round: temporaries left after a start: $leftovers"
    # A new game ("Start New Game?" asks, Enter confirms), then a quit; killed somewhere in it.
    # (xdotool may wait for a window that is gone: the actions get a few seconds at most.)
    timeout 4 bash -c "
        xdotool windowfocus --sync $window mousemove --sync $bx $by click 1
        sleep 0.15; xdotool key Return
        sleep 0.3; xdotool key Escape
        sleep 0.15; xdotool key Escape
        sleep 0.15; xdotool key Return" >/dev/null 2>&1 &
    actions=$!
    # Anywhere from the click to a little after the quit's writes.
    delay=$((RANDOM % 1500))
    sleep "$((delay / 1000)).$(printf '%03d' $((delay % 1000)))"
    kill -9 "$pid" 2>/dev/null
    wait "$pid" 2>/dev/null
    pkill -P "$actions" 2>/dev/null
    kill "$actions" 2>/dev/null
    wait "$actions" 2>/dev/null
    find "$data" -regextype posix-extended -regex '.*\.[A-Za-z0-9]{6}' | grep -q . &&
        killed_during_writes=$((killed_during_writes + 1))
    [ -f "$data/save.sav" ] || fail "round $round: the saved game is lost"
    for name in "${!keys[@]}"; do
        complete "$name" || fail "round $round: $name is not a complete file"
    done
done
echo "crash test: $rounds rounds, $killed_during_writes killed with a write under way"

# The last kill's leftovers go at the next start too.
start_glint
sleep 0.5
leftovers=$(find "$data" -regextype posix-extended -regex '.*/(dx\.cfg|save\.sav|scores[12]\.tab)\.[A-Za-z0-9]{6}')
[ -z "$leftovers" ] || fail "temporaries left after the last start: $leftovers"
kill -TERM "$pid"
wait "$pid"

if [ "$failures" -ne 0 ]; then
    echo "$failures check(s) failed"
    exit 1
fi
echo "crash test: all checks passed"
