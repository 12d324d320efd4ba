#!/usr/bin/env bash
# The game as a Linux player installs it: cmake --install into a staging root (DESTDIR), the
# file list and Debian's validators; then the installed program, run from its untouched prefix
# under a virtual display, keeps its files in the XDG folders; --scale 2 opens the menu enlarged;
# full screen on a display that refuses mode changes covers it with the picture letterboxed, and
# the letterboxed buttons answer clicks. Screenshots go to the build's e2e folder.
set -u
build=$1
shots=$build/e2e
mkdir -p "$shots"
work=$(mktemp -d)
. "$(dirname "$0")/common.sh"
id=org.glintseeker.GlintSeeker
prefix=/opt/glint-seeker-test

# Installing.
DESTDIR="$work/root" cmake --install "$build" --prefix "$prefix" >"$work/install.log" 2>&1 ||
    { cat "$work/install.log"; echo "FAIL: cmake --install"; exit 1; }
root=$work/root$prefix
expected=(bin/glint bin/glint-tool share/glint-seeker/data/data.pk
    share/applications/$id.desktop share/metainfo/$id.metainfo.xml
    share/man/man6/glint.6 share/man/man1/glint-tool.1)
for n in 1 2 3 4 5; do expected+=("share/glint-seeker/data/s$n.wav"); done
for size in 16 24 32 48 64 128 256; do
    expected+=("share/icons/hicolor/${size}x$size/apps/$id.png")
done
for file in "${expected[@]}"; do
    [ -s "$root/$file" ] || fail "not installed: $file"
done
# Nothing lands outside the prefix.
outside=$(cd "$work/root" && find . -type f ! -path ".$prefix/*")
[ -z "$outside" ] || fail "installed outside the prefix: $outside"
desktop-file-validate "$root/share/applications/$id.desktop" || fail "desktop entry refused"
appstreamcli validate --no-net "$root/share/metainfo/$id.metainfo.xml" >"$work/as.log" 2>&1 ||
    { cat "$work/as.log"; fail "metadata refused"; }
size=$(identify -format '%wx%h' "$root/share/icons/hicolor/48x48/apps/$id.png" 2>/dev/null)
[ "$size" = 48x48 ] || fail "the 48 x 48 icon is $size"
for page in man6/glint.6 man1/glint-tool.1; do
    warnings=$(groff -man -ww -z "$root/share/man/$page" 2>&1)
    [ -z "$warnings" ] || fail "$page: $warnings"
done

# The Debian package holds the same files under /usr and names the libraries it needs.
cpack --config "$build/CPackConfig.cmake" -B "$work/package" >"$work/cpack.log" 2>&1 ||
    { cat "$work/cpack.log"; fail "cpack"; }
deb=$(ls "$work"/package/glint-seeker_*.deb 2>/dev/null | head -n 1)
if [ -n "$deb" ]; then
    contents=$(dpkg-deb -c "$deb" | awk '{print $NF}')
    for file in "${expected[@]}"; do
        grep -qx "./usr/$file" <<<"$contents" || fail "not in the package: /usr/$file"
    done
    depends=$(dpkg-deb -f "$deb" Depends)
    for library in libsdl2 libjpeg libgl1; do
        grep -q "$library" <<<"$depends" || fail "the package does not depend on $library: $depends"
    done
else
    fail "no package made"
fi

# The command line of the installed program.
glint=$root/bin/glint
"$glint" --help >"$work/out" 2>"$work/err" && grep -q -- '--scale' "$work/out" ||
    fail "--help: $(cat "$work/out" "$work/err")"
"$glint" --version >"$work/out" && [ "$(wc -l <"$work/out")" -eq 1 ] ||
    fail "--version: $(cat "$work/out")"
"$glint" --no-such-option >"$work/out" 2>"$work/err"
status=$?
[ "$status" = 2 ] && [ ! -s "$work/out" ] && grep -q -- '--data-dir' "$work/err" ||
    fail "an unknown option: status $status, $(cat "$work/out" "$work/err")"

# A display of our own, on a free number, larger than 1600 x 1200.
start_display 1920x1200x24 -wr
trap 'kill $xvfb 2>/dev/null; chmod -R u+w "$work"; rm -rf "$work"' EXIT

# The prefix stays as it was installed, whoever runs the game.
listing() { (cd "$root" && find . -printf '%p %s %T@\n' | sort); }
listing >"$work/before"
chmod -R a-w "$root"
home=$work/home
mkdir -p "$home"
tool=$root/bin/glint-tool
menu=$("$tool" cat "$root/share/glint-seeker/data/data.pk" mui/menu.txt | tr '\r\t' '  ')
at() { awk -v k="$1" '{for (i = 1; i < NF; i++) if ($i == k) print $(i + 1)}' <<<"$menu"; }

start_glint() {
    (cd / && exec env HOME="$home" "$@" "$glint" $options >"$work/out" 2>"$work/err") &
    pid=$!
    window=""
    for _ in $(seq 100); do
        window=$(xdotool search --name '^Glint Seeker$' 2>/dev/null | head -n 1)
        [ -n "$window" ] && break
        sleep 0.1
    done
    [ -n "$window" ] || { fail "no window ($options): $(cat "$work/err")"; return 1; }
    xdotool mousemove 1919 1199  # nothing hovered in the pictures compared
    sleep 2
    # Full screen by a mode change makes its window anew.
    window=$(xdotool search --name '^Glint Seeker$' 2>/dev/null | head -n 1)
}
quit_by_keys() {
    xdotool windowfocus --sync "$window" key Escape
    sleep 0.5
    xdotool key Return
    wait_exit
    [ "$status" = 0 ] || fail "quitting ($options): exit status $status"
}
geometry() { xdotool getwindowgeometry "$window" | tr -d '\n'; }
setting() {
    "$tool" unscramble qoz "$1" "$work/settings.txt" >/dev/null 2>&1
    awk -v k="$2" '$1 == k {print $2}' "$work/settings.txt"
}

# First run, at the XDG folders the environment names.
options=""
start_glint XDG_CONFIG_HOME="$work/config" XDG_DATA_HOME="$work/data" && {
    g=$(geometry)
    grep -q 'Geometry: 800x600' <<<"$g" || fail "first run: $g"
    import -window root -crop 800x600+0+0 "$shots/installed-menu.png"
    quit_by_keys
}
for file in config/glint-seeker/dx.cfg data/glint-seeker/scores1.tab data/glint-seeker/scores2.tab; do
    [ -f "$work/$file" ] || fail "not written: $file"
done
[ -z "$(ls -A "$home")" ] || fail "with XDG folders named, HOME got: $(ls -A "$home")"

# Second run at twice the size, the XDG folders left to their defaults under HOME.
options="--scale 2"
start_glint && {
    g=$(geometry)
    grep -q 'Geometry: 1600x1200' <<<"$g" || fail "--scale 2: $g"
    import -window root -crop 1600x1200+0+0 "$shots/scale2-menu.png"
    # The same picture, enlarged: each pixel of the scale-1 menu becomes four.
    convert "$shots/installed-menu.png" -filter point -resize 200% "$work/enlarged.png"
    diff=$(compare -metric RMSE "$work/enlarged.png" "$shots/scale2-menu.png" null: 2>&1 |
        sed -E 's/.*\(([0-9.e-]+)\).*/\1/')
    echo "scale 2 against the enlarged scale-1 menu: RMSE $diff"
    awk -v d="$diff" 'BEGIN { exit !(d < 0.06) }' ||
        fail "--scale 2 is not the menu enlarged (RMSE $diff)"
    quit_by_keys
}
config=$home/.config/glint-seeker/dx.cfg
[ -f "$config" ] || fail "the settings are not in ~/.config/glint-seeker"
[ -f "$home/.local/share/glint-seeker/scores1.tab" ] ||
    fail "the scores are not in ~/.local/share/glint-seeker"
[ "$(setting "$config" m_window_scale)" = 1 ] ||
    fail "--scale 2 was saved: m_window_scale $(setting "$config" m_window_scale)"

# Third run: full screen asked for on the command line. Xvfb refuses to change its mode, so the
# window covers the desktop with the picture letterboxed between bars 160 pixels wide.
printf 'm_window_width 800 m_window_height 600 x 200 y 100 m_window_scale 1\n' >"$work/stored.txt"
"$tool" scramble qoz "$work/stored.txt" "$config"
options="--fullscreen"
start_glint && {
    g=$(geometry)
    grep -q 'Position: 0,0' <<<"$g" && grep -q 'Geometry: 1920x1200' <<<"$g" ||
        fail "full screen does not cover the display: $g"
    import -window root "$shots/fullscreen-letterboxed.png"
    for bar in 160x1200+0+0 160x1200+1760+0; do
        brightest=$(convert "$shots/fullscreen-letterboxed.png" -crop "$bar" +repage \
            -format '%[fx:maxima]' info:)
        [ "$brightest" = 0 ] || fail "the bar $bar beside the picture is not black ($brightest)"
    done
    # The picture between them is not black.
    middle=$(convert "$shots/fullscreen-letterboxed.png" -crop 1600x1200+160+0 +repage \
        -format '%[fx:mean]' info:)
    awk -v m="$middle" 'BEGIN { exit !(m > 0.05) }' || fail "no picture between the bars ($middle)"
    convert "$shots/fullscreen-letterboxed.png" -crop 1600x1200+160+0 +repage "$work/picture.png"
    diff=$(compare -metric RMSE "$work/picture.png" "$shots/scale2-menu.png" null: 2>&1 |
        sed -E 's/.*\(([0-9.e-]+)\).*/\1/')
    awk -v d="$diff" 'BEGIN { exit !(d < 0.06) }' ||
        fail "the letterboxed picture is not the menu scaled to fit (RMSE $diff)"
    # The quit button, clicked where the letterboxed picture shows it; Enter confirms (in the
    # menu itself Enter would only minimize).
    xdotool mousemove --sync $((160 + 2 * ($(at m_quit_game_btnx) + 20))) \
        $((2 * ($(at m_quit_game_btny) + 15))) click 1
    sleep 0.7
    import -window root "$shots/fullscreen-quit-dialog.png"
    xdotool key Return
    wait_exit
    [ "$status" = 0 ] || fail "the letterboxed quit button: exit status $status"
}
[ "$(setting "$config" x),$(setting "$config" y)" = 200,100 ] ||
    fail "leaving from full screen lost the window's place: $(setting "$config" x),$(setting "$config" y)"

# Fourth run, every user file in a folder of the player's choice: desktop full screen chosen in
# the settings there, from the menu's button and back.
mine=$work/mine
mkdir -p "$mine"
printf 'm_window_width 800 m_window_height 600 x 200 y 100 m_fullscreen_mode 1\n' >"$work/stored.txt"
"$tool" scramble qoz "$work/stored.txt" "$mine/dx.cfg"
cp "$config" "$work/config-before"
options="--data-dir $mine"
start_glint && {
    fx=$(($(at m_mm_fullscreen_btnx) + 10))
    fy=$(($(at m_mm_fullscreen_btny) + 10))
    xdotool mousemove --sync $((200 + fx)) $((100 + fy)) click 1
    sleep 1
    g=$(geometry)
    grep -q 'Geometry: 1920x1200' <<<"$g" || fail "the full-screen button: $g"
    xdotool mousemove --sync $((160 + 2 * fx)) $((2 * fy)) click 1
    sleep 1
    g=$(geometry)
    grep -q 'Position: 200,100' <<<"$g" && grep -q 'Geometry: 800x600' <<<"$g" ||
        fail "leaving full screen did not restore the window: $g"
    import -window root "$shots/after-fullscreen.png"
    quit_by_keys
}
[ "$(setting "$mine/dx.cfg" m_fullscreen_mode)" = 1 ] || fail "m_fullscreen_mode not kept"
[ -f "$mine/scores1.tab" ] || fail "--data-dir: no scores in $mine"
cmp -s "$config" "$work/config-before" || fail "--data-dir: the XDG settings were written"

chmod -R u+w "$root"
listing >"$work/after"
diff -q "$work/before" "$work/after" >/dev/null || fail "the prefix changed: $(diff "$work/before" "$work/after")"

if [ "$failures" -ne 0 ]; then
    echo "$failures check(s) failed"
    exit 1
fi
echo "install test: all checks passed"
