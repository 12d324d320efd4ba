#!/usr/bin/env bash
# glint-tool as a user runs it: arguments, exit codes, standard output and files on disk.
set -u
tool=$1
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cd "$work"
failures=0
check() {  # check DESCRIPTION EXPECTED ACTUAL
    if [ "$2" != "$3" ]; then
        printf 'FAIL: %s\n  expected: %q\n  actual:   %q\n' "$1" "$2" "$3"
        failures=$((failures + 1))
    fi
}

mkdir -p src/dat src/mui
printf 'm_skins_count 3\n' >src/dat/param.txt
printf 'm_hd_x "1 2"\n' >src/mui/menu.txt

"$tool" pack data.pk src
check "pack exits 0" 0 $?
check "list" "$(printf 'dat/param.txt\t16\nmui/menu.txt\t13')" "$("$tool" list data.pk)"
check "cat" "m_skins_count 3" "$("$tool" cat data.pk dat/param.txt)"
"$tool" cat data.pk dat/none.txt 2>/dev/null
check "cat of a missing entry exits 1" 1 $?

"$tool" scramble ko%58w src/dat/param.txt stored.tab
check "scramble exits 0" 0 $?
check "table --key" "$(printf '{\n  "m_skins_count": "3"\n}')" "$("$tool" table stored.tab --key ko%58w)"
"$tool" unscramble ko%58w stored.tab plain.txt
cmp -s plain.txt src/dat/param.txt
check "unscramble restores the text" 0 $?

"$tool" frobnicate 2>/dev/null
check "an unknown command exits 2" 2 $?
"$tool" --help | grep -q '^usage: glint-tool'
check "--help prints the usage" 0 $?

if [ "$failures" -ne 0 ]; then
    echo "$failures check(s) failed"
    exit 1
fi
echo "glint-tool command line: all checks passed"
