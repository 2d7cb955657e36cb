# Shared by the command-line tests, sourced with the test's own arguments
# <arrowplan-cli> <tests/data>: the program and the data folder, a scratch
# folder removed at exit, failures collected in $failed, and runs of the
# program without any display.
set -u
cli="$1"
data="$2"
tmp="$(mktemp -d)"
trap 'rm -rf "$tmp"' EXIT
failed=0

fail() {
    echo "FAIL: $*" >&2
    failed=1
}

# No display at all: the program picks the offscreen platform itself.
run() {
    env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM "$cli" "$@"
}

# Ends the test as passed when the program was built without the Qt library
# and so writes no pictures.
skip_without_pictures() {
    if ! run export "$1" "$tmp/probe.png" >/dev/null 2>"$tmp/err" &&
        grep -q "no picture writer" "$tmp/err"; then
        echo "arrowplan-cli built without the Qt library: no pictures to check"
        exit 0
    fi
}
