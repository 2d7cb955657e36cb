#!/usr/bin/env bash
# arrowplan-cli on tests/data/inconsistent.prt, a plan saved with nodes later
# than its schedule needs: S->T 2 days and T->U 3 days, T left at day 5 and U
# at day 8 (written by the disabled test
# ProjectInfo.DISABLED_WriteInconsistentSample, see tests/data/README.md).
# Loaded and recalculated, T comes back to day 2 and U to day 5: every work
# starts at or after its start node and ends at or before its end node, and
# the project is 5 days long, its longest path. The schedule is checked from
# the JSON report as a script would check it, and against the hand-worked report.
# Usage: schedule.sh <arrowplan-cli> <tests/data>
. "$(dirname "$0")/lib/clitest.bash"

json="$(run info --json "$data/inconsistent.prt")" || fail "info --json: exit status $?"

expected='{
  "title": "位置不一致示例",
  "version": "1.55",
  "layout": 3,
  "project_start": "2024-03-01",
  "project_end": "2024-03-05",
  "total_days": 5,
  "node_count": 3,
  "work_count": 2,
  "nodes": [
    {"id": 1, "number": 1, "time": 0, "earliest": 0, "latest": 5, "row": 0},
    {"id": 2, "number": 2, "time": 2, "earliest": 2, "latest": 2, "row": 0},
    {"id": 3, "number": 3, "time": 5, "earliest": 5, "latest": 5, "row": 0}
  ],
  "works": [
    {"from": 1, "to": 2, "from_id": 1, "to_id": 2, "name": "垫层", "kind": "实工作", "duration": 2, "start": 0, "es": 0, "ef": 2, "ls": 0, "lf": 2, "tf": 0, "ff": 0, "critical": true, "progress": -0.01, "start_date": "2024-03-01", "finish_date": "2024-03-02"},
    {"from": 2, "to": 3, "from_id": 2, "to_id": 3, "name": "基础", "kind": "实工作", "duration": 3, "start": 2, "es": 2, "ef": 5, "ls": 2, "lf": 5, "tf": 0, "ff": 0, "critical": true, "progress": -0.01, "start_date": "2024-03-03", "finish_date": "2024-03-05"}
  ]
}'
if [ "$json" != "$expected" ]; then
    fail "info --json: output differs"
    diff <(printf '%s\n' "$expected") <(printf '%s\n' "$json") >&2
fi

# The invariant from outside: node times by id, then every work against its
# nodes and its float, and the end against the longest path (1e-6 days).
printf '%s\n' "$json" | awk '
    function num(line, key,   m) {
        if (match(line, "\"" key "\": -?[0-9.e+-]+")) {
            m = substr(line, RSTART, RLENGTH); sub(/^[^:]*: /, "", m); return m + 0
        }
        return "none"
    }
    /"earliest":/ { id = num($0, "id"); t[id] = num($0, "time"); e[id] = num($0, "earliest")
                    if (t[id] > end) end = t[id]; if (e[id] > longest) longest = e[id]
                    if (t[id] < e[id] - 1e-6) { print "node " id " before its earliest"; bad = 1 } }
    /"from_id":/ { f = num($0, "from_id"); to = num($0, "to_id"); s = num($0, "start"); d = num($0, "duration")
                   if (s < t[f] - 1e-6) { print "a work starts before its node " f; bad = 1 }
                   if (s + d > t[to] + 1e-6) { print "a work ends after its node " to; bad = 1 }
                   if (s < num($0, "es") - 1e-6 || s > num($0, "ls") + 1e-6) { print "a start outside its float"; bad = 1 } }
    END { if (end - longest > 1e-6 || longest - end > 1e-6) { print "the end is not the longest path"; bad = 1 }
          exit bad }' >&2 || fail "the schedule of the file is not consistent"

exit $failed
