# Shared by the end-to-end tests (sourced after they set glint, build, tool and work): failures
# counted, a virtual display of their own, the game copied into a player's folder, and where
# the menu puts its controls.
failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }

# start_display [SCREEN [XVFB-OPTION...]]: Xvfb on a free display number (the server picks it,
# so tests never collide), DISPLAY exported and xvfb set to its process. A loaded machine can
# take a while to start the server; one that never starts ends the test.
start_display() {
    exec 5<> <(:)
    Xvfb -displayfd 5 -screen 0 "${1:-1280x1024x24}" -nolisten tcp -noreset "${@:2}" \
        >"$work/xvfb.log" 2>&1 &
    xvfb=$!
    display=""
    for _ in $(seq 150); do
        read -r -t 0.2 display <&5 && break
    done
    [ -n "$display" ] || { echo "FAIL: Xvfb did not start"; cat "$work/xvfb.log"; exit 1; }
    export DISPLAY=":$display" SDL_AUDIODRIVER=dummy
}

# copy_game DIR: the program and its pack in DIR and DIR/data, so that what it writes stays in
# the test's folder; reads the menu's layout for at and button.
copy_game() {
    mkdir -p "$1/data"
    cp "$glint" "$1/glint"
    cp "$build"/data/data.pk "$1/data/"
    menu=$("$tool" cat "$1/data/data.pk" mui/menu.txt | tr '\r\t' '  ')
}
# The value of a key of the menu's layout.
at() { awk -v k="$1" '{for (i = 1; i < NF; i++) if ($i == k) print $(i + 1)}' <<<"$menu"; }
# The middle of a main-menu button, by the prefix of its keys (m_help_btn).
button() { echo "$(($(at "${1}x") + 20)) $(($(at "${1}y") + 15))"; }
# wait_window: waits up to ten seconds for the window of the program started as $pid and sets
# window to it (empty when none came).
wait_window() {
    window=""
    for _ in $(seq 100); do
        window=$(xdotool search --pid "$pid" --name '^Glint Seeker$' 2>/dev/null | head -n 1)
        [ -n "$window" ] && return 0
        sleep 0.1
    done
    return 1
}

# Waits up to five seconds for the program started as $pid to end; sets status (its exit
# status, or "killed" when it had to be killed).
wait_exit() {
    for _ in $(seq 50); do
        kill -0 "$pid" 2>/dev/null || break
        sleep 0.1
    done
    if kill -0 "$pid" 2>/dev/null; then
        kill -9 "$pid"
        status=killed
    else
        wait "$pid"
        status=$?
    fi
}
