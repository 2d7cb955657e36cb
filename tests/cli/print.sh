#!/usr/bin/env bash
# arrowplan-cli print: a tiled, multi-page PDF of each view of a plan
# (tests/data/plan60.prt), with no display; bad options are refused.
# Usage: print.sh <arrowplan-cli> <tests/data>
. "$(dirname "$0")/lib/clitest.bash"
plan="$data/plan60.prt"

pages() {
    grep -a -c '/Type /Page$' "$1"
}

if ! run print "$plan" "$tmp/probe.pdf" >/dev/null 2>"$tmp/err"; then
    grep -q "cannot print" "$tmp/err" && { echo "built without the Qt library"; exit 0; }
    fail "print: $(cat "$tmp/err")"
fi

# The stored A4 landscape at 100 %: three pages across, two down.
run print "$plan" "$tmp/plan.pdf" >"$tmp/out" 2>"$tmp/err" || fail "plan: $(cat "$tmp/err")"
head -c 4 "$tmp/plan.pdf" | grep -q '%PDF' || fail "plan.pdf is not a PDF"
[ "$(pages "$tmp/plan.pdf")" = 6 ] || fail "plan.pdf has $(pages "$tmp/plan.pdf") pages, not 6"
grep -q "6 pages, 3 across, 2 down" "$tmp/out" || fail "report: $(cat "$tmp/out")"

# A larger sheet and a smaller ratio need fewer pages.
run print "$plan" "$tmp/a3.pdf" --paper a3 --ratio 30 >/dev/null 2>"$tmp/err" || fail "a3: $(cat "$tmp/err")"
[ "$(pages "$tmp/a3.pdf")" = 1 ] || fail "a3.pdf has $(pages "$tmp/a3.pdf") pages, not 1"

for v in network gantt resource logic; do
    run print "$plan" "$tmp/$v.pdf" --view "$v" --portrait >/dev/null 2>"$tmp/err" ||
        fail "$v: $(cat "$tmp/err")"
    [ "$(pages "$tmp/$v.pdf")" -ge 2 ] || fail "$v.pdf has fewer than two pages"
done

for bad in "--paper B99" "--ratio 0" "--ratio 10,x" "--view tree" "--frobnicate"; do
    # shellcheck disable=SC2086
    run print "$plan" "$tmp/bad.pdf" $bad >/dev/null 2>&1
    [ $? = 2 ] || fail "$bad was not refused as usage"
done
[ -e "$tmp/bad.pdf" ] && fail "a refused command wrote a file"
run print "$data/missing.prt" "$tmp/missing.pdf" >/dev/null 2>&1 && fail "a missing plan printed"

exit $failed
