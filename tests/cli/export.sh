#!/usr/bin/env bash
# arrowplan-cli export: pictures of a plan with rest days (tests/data/plan60.prt,
# see tests/data/README.md) in every format, with no display, and the refusals.
# Usage: export.sh <arrowplan-cli> <tests/data>
. "$(dirname "$0")/lib/clitest.bash"
plan="$data/plan60.prt"

skip_without_pictures "$plan"

size() { stat -c %s "$1" 2>/dev/null || echo 0; }

# Exports a picture and checks its first bytes and its least size.
picture() {
    local out="$1" magic="$2" least="$3"
    shift 3
    if ! run export "$plan" "$tmp/$out" "$@" >"$tmp/out" 2>"$tmp/err"; then
        fail "$out: exit status $?"
        cat "$tmp/err" >&2
        return
    fi
    [ -f "$tmp/$out" ] || { fail "$out: not written"; return; }
    local head
    head="$(head -c ${#magic} "$tmp/$out")"
    [ "$head" = "$magic" ] || fail "$out: starts with \"$head\", not \"$magic\""
    local n
    n="$(size "$tmp/$out")"
    [ "$n" -gt "$least" ] || fail "$out: only $n bytes"
    grep -q -- "-> $tmp/$out" "$tmp/out" || fail "$out: report \"$(cat "$tmp/out")\""
}

picture plan.png $'\x89PNG' 20000
picture plan.pdf '%PDF' 10000
picture plan.svg '<?xml' 20000
picture plan.bmp 'BM' 100000
picture plan.jpg $'\xff\xd8' 20000
picture screen.png $'\x89PNG' 20000 --palette screen
picture large.png $'\x89PNG' 20000 --scale 2

# Twice the scale is twice as wide: the width is bytes 16..19 of the PNG header.
width() { od -An -tu1 -j16 -N4 "$1" | awk '{print $1*16777216+$2*65536+$3*256+$4}'; }
w1="$(width "$tmp/plan.png")"
w2="$(width "$tmp/large.png")"
[ "$w2" -eq $((2 * w1)) ] || fail "scale 2: width $w2, scale 1: width $w1"
[ "$w1" -gt 800 ] || fail "plan.png only $w1 pixels wide"

expect_status() {
    local name="$1" status="$2"
    shift 2
    run "$@" >/dev/null 2>"$tmp/err"
    local rc=$?
    [ "$rc" -eq "$status" ] || fail "$name: exit status $rc, expected $status ($(cat "$tmp/err"))"
}
expect_status "unknown format" 1 export "$plan" "$tmp/plan.gif"
expect_status "missing file" 1 export "$tmp/none.prt" "$tmp/x.png"
expect_status "scale of 0" 2 export "$plan" "$tmp/x.png" --scale 0
expect_status "scale not a number" 2 export "$plan" "$tmp/x.png" --scale big
expect_status "unknown palette" 2 export "$plan" "$tmp/x.png" --palette grey
expect_status "no output" 2 export "$plan"
[ -e "$tmp/plan.gif" ] && fail "unknown format: a file was written"
# The other commands still run without any display.
expect_status "info without display" 0 info "$plan"

exit $failed
