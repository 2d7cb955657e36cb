#!/usr/bin/env bash
# arrowplan-cli export --view logic: a plan saved in the time-scaled view
# drawn as its logic network, with no display.
# Usage: exportlogic.sh <arrowplan-cli> <tests/data>
. "$(dirname "$0")/lib/clitest.bash"
plan="$data/plan60.prt"

skip_without_pictures "$plan"

for ext in png pdf svg; do
    if ! run export "$plan" "$tmp/logic.$ext" --view logic >/dev/null 2>"$tmp/err"; then
        fail "logic.$ext: $(cat "$tmp/err")"
    fi
    [ -s "$tmp/logic.$ext" ] || fail "logic.$ext: not written"
done
run export "$plan" "$tmp/network.svg" --view network >/dev/null 2>&1 || fail "network.svg not written"
head -c 4 "$tmp/logic.pdf" | grep -q '%PDF' || fail "logic.pdf is not a PDF"
# The logic network is another picture than the time-scaled one.
cmp -s "$tmp/logic.png" "$tmp/probe.png" && fail "--view logic drew the time-scaled network"
# It has no ruler frame: fewer texts than the time-scaled drawing with its rulers.
lt=$(grep -o '<text' "$tmp/logic.svg" | wc -l)
nt=$(grep -o '<text' "$tmp/network.svg" | wc -l)
[ "$lt" -gt 0 ] || fail "the logic network has no labels"
[ "$lt" -lt "$nt" ] || fail "the logic network has as many texts ($lt) as the time-scaled one ($nt)"

exit $failed
