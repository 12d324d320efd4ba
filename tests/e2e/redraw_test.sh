#!/usr/bin/env bash
# A picture already on screen is not drawn again, and nobody can tell: the menu, every dialog
# (hovered, scrolled, clicked) and the game are photographed twice, once drawn only when their
# picture can have changed (the program as it ships) and once drawn at every step
# (GLINT_DRAW_EVERY_STEP=1); each pair must be the same picture. The game and a focused edit
# box must go on changing by themselves.
set -u
glint=$1
build=$(dirname "$glint")
tool="$build/glint-tool"
work=$(mktemp -d)
. "$(dirname "$0")/common.sh"
start_display
trap 'kill $xvfb 2>/dev/null; [ -n "${KEEP:-}" ] || rm -rf "$work"' EXIT
copy_game "$work/app"
# The middle of a button inside a dialog.
inside() { echo "$(($(at "m_${1}_x") + $(at "${2}x") + 12)) $(($(at "m_${1}_y") + $(at "${2}y") + 12))"; }

shoot() {
    sleep 0.6
    import -window root -crop 800x600+0+0 "$work/$mode-$1.png"
    shots+=("$1")
}
point() { xdotool mousemove --sync $1; }
click() { xdotool mousemove --sync $1 click 1; }

run() {
    mode=$1
    shift
    shots=()
    rm -f "$work"/app/data/*.sav "$work"/app/data/*.cfg
    env "$@" "$work/app/glint" >/dev/null 2>&1 &
    pid=$!
    wait_window
    [ -n "$window" ] || { fail "$mode: no window"; return; }
    sleep 1.5
    xdotool windowfocus --sync "$window" mousemove --sync 790 590
    shoot menu
    point "$(button m_options_btn)"
    shoot menu-hovered
    for dialog in quit help options custom top7-1 top7-2; do
        case $dialog in
            quit) click "$(button m_quit_game_btn)" ;;
            help) click "$(button m_help_btn)" ;;
            options) click "$(button m_options_btn)" ;;
            custom) click "$(button m_play_custom_btn)" ;;
            top7-1) click "$(button m_mm_top7_1_btn)" ;;
            top7-2) click "$(button m_mm_top7_2_btn)" ;;
        esac
        xdotool mousemove --sync 790 590
        shoot "$dialog"
        case $dialog in
            help)
                click "$(inside hd m_hd_down_btn)"
                shoot help-scrolled
                ;;
            options)
                click "$(inside od m_od_autosave_chb)"
                shoot options-autosave
                click "$(inside od m_od_skin_up_btn)"
                shoot options-skin
                ;;
            custom)
                click "$(inside cgd m_cgd_game_kind2_radio)"
                shoot custom-set2
                ;;
        esac
        xdotool key Escape
    done
    # A game waits in the menu: a new game asks first.
    click "$(button m_glint1_game_btn)"
    sleep 1
    if [ "$mode" = skip ]; then
        # The game moves by itself (the level-start reveal, the lights): it is drawn anew.
        import -window root -crop 800x600+0+0 "$work/game-a.png"
        sleep 0.3
        import -window root -crop 800x600+0+0 "$work/game-b.png"
        changed=$(compare -metric AE "$work/game-a.png" "$work/game-b.png" null: 2>&1)
        [ "${changed%% *}" -gt 0 ] 2>/dev/null || fail "the game is not drawn while it moves"
    fi
    xdotool key Escape
    xdotool mousemove --sync 790 590
    shoot menu-with-game
    click "$(button m_glint2_game_btn)"
    xdotool mousemove --sync 790 590
    shoot new-game
    xdotool key Escape
    if [ "$mode" = skip ]; then
        # A focused edit box blinks its caret with nothing else happening.
        click "$(button m_play_custom_btn)"
        click "$(inside cgd m_cgd_game_type1_radio)"
        click "$(inside cgd m_cgd_level_num)"
        xdotool mousemove --sync 790 590
        sleep 0.3
        pictures=$(for i in 1 2 3 4 5 6; do
            import -window root -crop 800x600+0+0 png:- | md5sum
            sleep 0.2
        done | sort -u | wc -l)
        [ "$pictures" -ge 2 ] || fail "the caret of a focused edit box does not blink"
        xdotool key Escape
    fi
    kill -TERM "$pid"
    wait "$pid"
}

run every GLINT_DRAW_EVERY_STEP=1
run skip GLINT_DRAW_EVERY_STEP=0
for shot in "${shots[@]}"; do
    differ=$(compare -metric AE "$work/every-$shot.png" "$work/skip-$shot.png" null: 2>&1)
    [ "$differ" = 0 ] || fail "$shot: drawn only when changed, $differ pixels differ from drawn every step"
done
echo "redraw test: ${#shots[@]} pictures compared"
if [ "$failures" -ne 0 ]; then
    echo "$failures check(s) failed"
    exit 1
fi
echo "redraw test: all checks passed"
