#!/usr/bin/env bash
# arrowplan-cli export to a spreadsheet table and to the interchange XML, without
# a display, and the refusals.
# Usage: interchange.sh <arrowplan-cli> <tests/data>
. "$(dirname "$0")/lib/clitest.bash"
plan="$data/plan60.prt"

expect_status() {
    local name="$1" status="$2"
    shift 2
    run "$@" >"$tmp/out" 2>"$tmp/err"
    local rc=$?
    [ "$rc" -eq "$status" ] || fail "$name: exit status $rc, expected $status ($(cat "$tmp/err"))"
}

# The table: a byte order mark, the captions, one line per listed work.
expect_status "csv" 0 export "$plan" "$tmp/plan.csv"
[ "$(head -c 3 "$tmp/plan.csv" | od -An -tx1 | tr -d ' ')" = "efbbbf" ] || fail "csv: no byte order mark"
head -1 "$tmp/plan.csv" | grep -q "编号,工作名称,持续时间" || fail "csv: captions $(head -1 "$tmp/plan.csv")"
lines="$(($(wc -l <"$tmp/plan.csv") - 1))"
[ "$lines" -gt 10 ] || fail "csv: only $lines works"
grep -q -- "-> $tmp/plan.csv (csv)" "$tmp/out" || fail "csv: report \"$(cat "$tmp/out")\""

# GBK on request: the same table in code page 936.
expect_status "csv gbk" 0 export "$plan" "$tmp/gbk.txt" --format csv --encoding gbk
iconv -f CP936 -t UTF-8 "$tmp/gbk.txt" >"$tmp/back.csv" || fail "gbk: not code page 936"
tail -c +4 "$tmp/plan.csv" | cmp -s - "$tmp/back.csv" || fail "gbk: differs from the UTF-8 table"

# The interchange XML: a project with its tasks.
expect_status "xml" 0 export "$plan" "$tmp/plan.xml"
head -c 5 "$tmp/plan.xml" | grep -q '<?xml' || fail "xml: not an XML file"
grep -q '<Project xmlns="http://schemas.microsoft.com/project">' "$tmp/plan.xml" || fail "xml: no project"
tasks="$(grep -c '<Task>' "$tmp/plan.xml")"
[ "$tasks" -gt 10 ] || fail "xml: only $tasks tasks"
expect_status "xml by format" 0 export "$plan" "$tmp/plan.out" --format xml
cmp -s "$tmp/plan.xml" "$tmp/plan.out" || fail "xml: --format xml differs from the .xml export"

# Import of the exported XML: a plan with the same works, and its report.
expect_status "import" 0 import "$tmp/plan.xml" "$tmp/back.prt"
grep -q "导入报告" "$tmp/out" || fail "import: no report ($(cat "$tmp/out"))"
run info "$tmp/back.prt" >/dev/null 2>&1 || fail "import: the plan does not open"
# Name, duration, ES, EF, LS, LF of every real work come back.
times() { run info "$1" | awk -F'\t' '$4=="实工作" {print $3"\t"$5"\t"$6"\t"$7"\t"$8"\t"$9}' | sort; }
times "$plan" >"$tmp/t1"
times "$tmp/back.prt" >"$tmp/t2"
[ "$(wc -l <"$tmp/t1")" -gt 10 ] || fail "import: too few works to compare"
cmp -s "$tmp/t1" "$tmp/t2" || { fail "import: times differ"; diff "$tmp/t1" "$tmp/t2" | head -5 >&2; }
printf '<Project><Tasks><Task>' >"$tmp/broken.xml"
expect_status "broken xml" 1 import "$tmp/broken.xml" "$tmp/broken.prt"
grep -q "XML格式错误" "$tmp/err" || fail "broken xml: $(cat "$tmp/err")"
[ -e "$tmp/broken.prt" ] && fail "broken xml: a plan was written"
expect_status "import over itself" 2 import "$tmp/plan.xml" "$tmp/plan.xml"
expect_status "import usage" 2 import "$tmp/plan.xml"

expect_status "unknown encoding" 2 export "$plan" "$tmp/x.csv" --encoding latin1
expect_status "unknown format" 2 export "$plan" "$tmp/x.csv" --format ods
expect_status "missing plan" 1 export "$tmp/none.prt" "$tmp/x.csv"
[ -e "$tmp/x.csv" ] && fail "a refused export wrote a file"
expect_status "unwritable" 1 export "$plan" "$tmp/no/such/dir/x.csv"

exit $failed
