#!/usr/bin/env bash
# arrowplan-cli on tests/data/restdays.prt, a plan from Friday 2024-03-01 with
# the weekends 2-3 and 9-10 March as rest days (written by the disabled test
# ProjectInfo.DISABLED_WriteRestDaysSample, see tests/data/README.md).
# Dates worked out by hand: a work starting on the first day of a rest
# period starts after it, one finishing where a rest begins finishes before it.
# Usage: info.sh <arrowplan-cli> <tests/data>
. "$(dirname "$0")/lib/clitest.bash"

# Compares the output of a command with the expected text; also its status.
expect() {
    local name="$1" status="$2" expected="$3"
    shift 3
    local actual rc
    actual="$("$@" 2>"$tmp/stderr")"
    rc=$?
    if [ "$rc" -ne "$status" ]; then
        fail "$name: exit status $rc, expected $status"
        cat "$tmp/stderr" >&2
    fi
    if [ "$actual" != "$expected" ]; then
        fail "$name: output differs"
        diff <(printf '%s\n' "$expected") <(printf '%s\n' "$actual") >&2
    fi
}

tab=$'\t'
info_text="version: 1.55
layout: 3
title: 休息日示例
project start: 2024-03-01
project end: 2024-03-13
total days: 13
nodes: 5
works: 5
from${tab}to${tab}name${tab}kind${tab}duration${tab}ES${tab}EF${tab}LS${tab}LF${tab}TF${tab}FF${tab}critical${tab}start date${tab}finish date
1${tab}2${tab}挖土方${tab}实工作${tab}3${tab}0${tab}3${tab}0${tab}3${tab}0${tab}0${tab}yes${tab}2024-03-01${tab}2024-03-05
2${tab}4${tab}绑钢筋${tab}实工作${tab}4${tab}3${tab}7${tab}3${tab}7${tab}0${tab}0${tab}yes${tab}2024-03-06${tab}2024-03-11
2${tab}3${tab}浇垫层 \"C15\"${tab}实工作${tab}2${tab}3${tab}5${tab}5${tab}7${tab}2${tab}0${tab}no${tab}2024-03-06${tab}2024-03-07
3${tab}4${tab}${tab}虚工作${tab}0${tab}5${tab}5${tab}7${tab}7${tab}2${tab}2${tab}no${tab}2024-03-08${tab}2024-03-08
4${tab}5${tab}浇混凝土${tab}实工作${tab}2${tab}7${tab}9${tab}7${tab}9${tab}0${tab}0${tab}yes${tab}2024-03-12${tab}2024-03-13"

info_json='{
  "title": "休息日示例",
  "version": "1.55",
  "layout": 3,
  "project_start": "2024-03-01",
  "project_end": "2024-03-13",
  "total_days": 13,
  "node_count": 5,
  "work_count": 5,
  "nodes": [
    {"id": 1, "number": 1, "time": 0, "earliest": 0, "latest": 9, "row": 0},
    {"id": 2, "number": 2, "time": 3, "earliest": 3, "latest": 3, "row": 0},
    {"id": 3, "number": 3, "time": 5, "earliest": 5, "latest": 7, "row": 0},
    {"id": 4, "number": 4, "time": 7, "earliest": 7, "latest": 7, "row": 0},
    {"id": 5, "number": 5, "time": 9, "earliest": 9, "latest": 9, "row": 0}
  ],
  "works": [
    {"from": 1, "to": 2, "from_id": 1, "to_id": 2, "name": "挖土方", "kind": "实工作", "duration": 3, "start": 0, "es": 0, "ef": 3, "ls": 0, "lf": 3, "tf": 0, "ff": 0, "critical": true, "progress": 1, "start_date": "2024-03-01", "finish_date": "2024-03-05"},
    {"from": 2, "to": 4, "from_id": 2, "to_id": 4, "name": "绑钢筋", "kind": "实工作", "duration": 4, "start": 3, "es": 3, "ef": 7, "ls": 3, "lf": 7, "tf": 0, "ff": 0, "critical": true, "progress": -0.01, "start_date": "2024-03-06", "finish_date": "2024-03-11"},
    {"from": 2, "to": 3, "from_id": 2, "to_id": 3, "name": "浇垫层 \"C15\"", "kind": "实工作", "duration": 2, "start": 3, "es": 3, "ef": 5, "ls": 5, "lf": 7, "tf": 2, "ff": 0, "critical": false, "progress": -0.01, "start_date": "2024-03-06", "finish_date": "2024-03-07"},
    {"from": 3, "to": 4, "from_id": 3, "to_id": 4, "name": "", "kind": "虚工作", "duration": 0, "start": 5, "es": 5, "ef": 5, "ls": 7, "lf": 7, "tf": 2, "ff": 2, "critical": false, "progress": -0.01, "start_date": "2024-03-08", "finish_date": "2024-03-08"},
    {"from": 4, "to": 5, "from_id": 4, "to_id": 5, "name": "浇混凝土", "kind": "实工作", "duration": 2, "start": 7, "es": 7, "ef": 9, "ls": 7, "lf": 9, "tf": 0, "ff": 0, "critical": true, "progress": -0.01, "start_date": "2024-03-12", "finish_date": "2024-03-13"}
  ]
}'

expect "info" 0 "$info_text" "$cli" info "$data/restdays.prt"
expect "info --json" 0 "$info_json" "$cli" info --json "$data/restdays.prt"
expect "info --json (option first)" 0 "$info_json" "$cli" info "$data/restdays.prt" --json

# convert writes layout 3 that reads back to the same report
expect "convert" 0 "$data/restdays.prt (version 1.55, layout 3) -> $tmp/copy.prt (version 1.55, layout 3)" \
    "$cli" convert "$data/restdays.prt" "$tmp/copy.prt"
expect "info of the copy" 0 "$info_text" "$cli" info "$tmp/copy.prt"
# the file reads; the network checks report the lines drawn over each other
# on one row and the dummy that is its start node's only work
restdays_findings() {
    printf '%s\n' "$1: ok, version 1.55, layout 3, 5 nodes, 5 works" \
        "$1: 工作线有重叠 (2-4 绑钢筋)" "$1: 工作线有重叠 (2-3 浇垫层 \"C15\")" \
        "$1: 工作线有重叠 (3-4)" "$1: 有多余逻辑关系 (3-4)"
}
expect "check of the copy" 2 "$(restdays_findings "$tmp/copy.prt")" "$cli" check "$tmp/copy.prt"

# an old file (version 1.52) becomes layout 3
expect "convert old" 0 "$data/old152.prt (version 1.52, layout 1) -> $tmp/old.prt (version 1.55, layout 3)" \
    "$cli" convert "$data/old152.prt" "$tmp/old.prt"
expect "check old copy" 0 "$tmp/old.prt: ok, version 1.55, layout 3, 2 nodes, 1 works" "$cli" check "$tmp/old.prt"

expect "check" 2 "$(restdays_findings "$data/restdays.prt")" "$cli" check "$data/restdays.prt"
expect "check of two starts and two ends" 2 "$data/checks.prt: ok, version 1.55, layout 3, 5 nodes, 4 works
$data/checks.prt: 该网络图有2个起点 (节点 1, 2)
$data/checks.prt: 该网络图有2个终点 (节点 4, 5)" "$cli" check "$data/checks.prt"

# damaged and missing files: nothing on standard output, the reason on standard error
for f in "$data"/corrupt/*.prt; do
    expect "check $(basename "$f")" 1 "" "$cli" check "$f"
    grep -q "文件格式不对或已被破坏！" "$tmp/stderr" || fail "check $(basename "$f"): no corruption message"
done
expect "info of a missing file" 1 "" "$cli" info "$tmp/none.prt"
grep -q "文件不存在：$tmp/none.prt" "$tmp/stderr" || fail "missing file: no message"
expect "convert into a missing folder" 1 "" "$cli" convert "$data/restdays.prt" "$tmp/no/such/x.prt"
grep -q "保存文件失败：" "$tmp/stderr" || fail "failed save: no message"
[ -e "$tmp/no" ] && fail "failed save left something behind"

# usage
expect "no command" 2 "" "$cli"
expect "unknown command" 2 "" "$cli" frobnicate
expect "check without file" 2 "" "$cli" check

exit $failed
