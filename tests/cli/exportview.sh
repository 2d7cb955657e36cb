#!/usr/bin/env bash
# arrowplan-cli export --view: the Gantt chart and the network of a plan
# (tests/data/plan60.prt, saved in the network view), with no display.
# Usage: exportview.sh <arrowplan-cli> <tests/data>
. "$(dirname "$0")/lib/clitest.bash"
plan="$data/plan60.prt"

skip_without_pictures "$plan"

for v in default gantt network; do
    extra=()
    [ "$v" = default ] || extra=(--view "$v")
    for ext in png pdf; do
        if ! run export "$plan" "$tmp/$v.$ext" "${extra[@]}" >/dev/null 2>"$tmp/err"; then
            fail "$v.$ext: $(cat "$tmp/err")"
        fi
        [ -s "$tmp/$v.$ext" ] || fail "$v.$ext: not written"
    done
done

# The document's own view is the default; the Gantt chart is another picture.
cmp -s "$tmp/default.png" "$tmp/network.png" || fail "the default view is not the network view"
cmp -s "$tmp/gantt.png" "$tmp/network.png" && fail "--view gantt drew the network"
head -c 4 "$tmp/gantt.pdf" | grep -q '%PDF' || fail "gantt.pdf is not a PDF"

run export "$plan" "$tmp/x.png" --view tree >/dev/null 2>"$tmp/err"
[ $? -eq 2 ] || fail "unknown view: not a usage error"
grep -q -- "--view" "$tmp/err" || fail "unknown view: no message"
run export "$plan" "$tmp/x.png" --view >/dev/null 2>&1
[ $? -eq 2 ] || fail "--view without a value: not a usage error"

exit $failed
