#!/usr/bin/env bash
# The real program on a virtual X server, read through the accessibility bus (AT-SPI) as a screen
# reader reads it: the contact list and the edit form, whose values must be readable as text.
# Usage: a11y.sh BREVANE BREVANE_CLI A11Y_WALK_PY
# Started under its own session bus (dbus-run-session); exits 77 (skipped) when Xvfb, the bus, the
# accessibility bus launcher or python3-pyatspi is missing.
set -u
brevane=$1
cli=$2
walker=$3
launcher=
for candidate in /usr/libexec/at-spi-bus-launcher /usr/lib/at-spi2-core/at-spi-bus-launcher; do
    [ -x "$candidate" ] && launcher=$candidate
done
[ -n "$launcher" ] || { echo "SKIP: at-spi-bus-launcher is not installed"; exit 77; }
for tool in Xvfb dbus-run-session; do
    command -v "$tool" >/dev/null || { echo "SKIP: $tool is not installed"; exit 77; }
done
python=
for candidate in /usr/bin/python3 python3; do
    if "$candidate" -c 'import pyatspi' 2>/dev/null; then python=$candidate; break; fi
done
[ -n "$python" ] || { echo "SKIP: python3-pyatspi is not installed"; exit 77; }

# A session bus of its own (CI runs headless, as root, without one); its daemon's complaint about
# the file limit is noise.
if [ "${BREVANE_A11Y_INNER:-}" != 1 ]; then
    BREVANE_A11Y_INNER=1 dbus-run-session -- bash "$0" "$@" 2>&1 | grep -v 'Failed to set fd limit'
    exit "${PIPESTATUS[0]}"
fi

work=$(mktemp -d)
pids=()
cleanup() {
    for pid in "${pids[@]}"; do kill "$pid" 2>/dev/null; done
    wait 2>/dev/null
    rm -rf "$work"
}
trap cleanup EXIT
dev=$work/device
"$cli" --root "$dev" init >/dev/null || { echo "FAIL: init"; exit 1; }
anna=$("$cli" --root "$dev" add first=Anna last=Smith mobile=+15552223333 email=anna@example.com) ||
    { echo "FAIL: add"; exit 1; }

Xvfb -displayfd 3 -screen 0 800x600x24 -nolisten tcp 3>"$work/display" 2>"$work/xvfb.err" &
pids+=($!)
for _ in $(seq 50); do [ -s "$work/display" ] && break; sleep 0.2; done
[ -s "$work/display" ] || { echo "FAIL: Xvfb did not start"; exit 1; }
export DISPLAY=":$(cat "$work/display")" QT_QPA_PLATFORM=xcb QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1
"$launcher" --launch-immediately >/dev/null 2>&1 &
pids+=($!)

# The editor on Anna, over the contact list: both screens are in the tree.
"$brevane" --root "$dev" e "$anna" 2>"$work/program.err" &
pids+=($!)
"$python" "$walker" Brevane \
    "list item=Smith, Anna, M +15552223333, anna@example.com" "text=Search" \
    "text=First=Anna" "text=Last=Smith" "text=Mobile=+15552223333" "text=E-mail=anna@example.com" \
    "push button=Fields" "push button=Tools" ||
    { echo "--- program stderr"; cat "$work/program.err"; exit 1; }
echo "accessibility tree: passed"
