#!/usr/bin/env bash
# arrowplan-cli resources and export --view resource on the house sample
# (labour, reinforcement steel and a custom crane), with no display.
# Usage: resources.sh <arrowplan-cli> <tests/data>
. "$(dirname "$0")/lib/clitest.bash"
plan="$data/../../share/示例/01住宅楼工程.prt"

run resources "$plan" >"$tmp/sum" 2>"$tmp/err" || fail "resources: $(cat "$tmp/err")"
# Totals summed by hand from the works' lines: steel 20+36+48+48+24, the
# workers per day times the durations, the crane on days 23 to 54.
grep -qP '^M01\t钢筋\t吨\t176\t4\t2025-03-06$' "$tmp/sum" || fail "steel: $(cat "$tmp/sum")"
grep -qP '^R01\t劳动力\t工日\t1889\t55\t' "$tmp/sum" || fail "labour: $(cat "$tmp/sum")"
grep -qP '^ZJ1\t塔式起重机\t台班\t32\t1\t2025-03-26$' "$tmp/sum" || fail "crane: $(cat "$tmp/sum")"

run resources "$plan" --csv >"$tmp/csv" 2>"$tmp/err" || fail "--csv: $(cat "$tmp/err")"
head -1 "$tmp/csv" | tr -d '\r' | grep -qx 'date,M01 钢筋(吨),R01 劳动力(工日),ZJ1 塔式起重机(台班)' ||
    fail "csv header: $(head -1 "$tmp/csv")"
# Day 8 (2025-03-11): only the excavation's 12 workers; day 23: steel, structure and crane.
grep -q $'^2025-03-11,,12,\r$' "$tmp/csv" || fail "csv day 8"
grep -q $'^2025-03-26,4,36,1\r$' "$tmp/csv" || fail "csv day 23"
# The column sums are the totals.
sums=$(tail -n +2 "$tmp/csv" | tr -d '\r' | awk -F, '{a+=$2; b+=$3; c+=$4} END {print a, b, c}')
[ "$sums" = "176 1889 32" ] || fail "csv sums: $sums"

run resources "$tmp/missing.prt" >/dev/null 2>&1
[ $? -eq 1 ] || fail "missing file: not a failure"
run resources >/dev/null 2>&1
[ $? -eq 2 ] || fail "no file: not a usage error"

if run export "$plan" "$tmp/probe.png" >/dev/null 2>"$tmp/err"; then
    for v in resource network; do
        run export "$plan" "$tmp/$v.png" --view "$v" >/dev/null 2>"$tmp/err" || fail "$v: $(cat "$tmp/err")"
        [ -s "$tmp/$v.png" ] || fail "$v.png: not written"
    done
    cmp -s "$tmp/resource.png" "$tmp/network.png" && fail "--view resource drew the network"
elif ! grep -q "no picture writer" "$tmp/err"; then
    fail "export: $(cat "$tmp/err")"
fi

exit $failed
