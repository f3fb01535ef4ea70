#!/usr/bin/env bash
# Calls, messages and mail handed to the host computer, as on the device a person runs: the
# default device (no --root) hands them over, a demo device does not; calls and SMS reach the
# host's registered programs with the number in E.164 form for the device's country; with no
# program registered for calls, the user is told which programs would take them.
# Usage: handoff.sh BREVANE-CLI
set -euo pipefail
cli=$1
for tool in xvfb-run xdg-mime xdg-open; do
    command -v "$tool" >/dev/null || { echo "SKIP: $tool is not installed"; exit 77; }
done

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
export HOME=$work/home XDG_DATA_HOME=$work/data XDG_CONFIG_HOME=$work/config XDG_CURRENT_DESKTOP=X-Generic
unset BREVANE_ROOT
mkdir -p "$HOME" "$XDG_DATA_HOME/applications" "$XDG_CONFIG_HOME"
device=$XDG_DATA_HOME/brevane/device

fail() { echo "FAIL: $*" >&2; exit 1; }

# A fake host program for SCHEME: records its argument in $work/SCHEME.got.
register() {
    local scheme=$1
    printf '#!/bin/sh\nprintf "%%s\\n" "$1" >> "%s/%s.got"\n' "$work" "$scheme" >"$work/fake-$scheme"
    chmod +x "$work/fake-$scheme"
    printf '[Desktop Entry]\nType=Application\nName=Fake %s\nExec=%s %%u\nMimeType=x-scheme-handler/%s;\n' \
        "$scheme" "$work/fake-$scheme" "$scheme" >"$XDG_DATA_HOME/applications/fake-$scheme.desktop"
    xdg-mime default "fake-$scheme.desktop" "x-scheme-handler/$scheme"
}

# Waits until $work/SCHEME.got holds the line EXPECTED (xdg-open runs detached).
expect_handed() {
    local scheme=$1 expected=$2
    for _ in $(seq 100); do
        grep -qxF "$expected" "$work/$scheme.got" 2>/dev/null && return 0
        sleep 0.1
    done
    fail "$scheme handler got '$(cat "$work/$scheme.got" 2>/dev/null)', expected '$expected'"
}

# The default device hands over and shares; a demo device does neither.
"$cli" init --locale de_DE >/dev/null
[ "$("$cli" reg get 'HKCU\Software\Brevane\Platform' UseDesktop)" = 1 ] || fail "default device without UseDesktop"
[ "$("$cli" reg get 'HKCU\Software\Brevane\Platform' ShareContacts)" = 1 ] || fail "default device without ShareContacts"
"$cli" --root "$work/demo" init --demo >/dev/null
if "$cli" --root "$work/demo" reg get 'HKCU\Software\Brevane\Platform' UseDesktop >/dev/null 2>&1; then
    fail "demo device hands over"
fi

# No program for calls: the call is still placed on the device, and the box names who would take it.
xvfb-run -a "$cli" dial "030 123456" >/dev/null
grep -q "No program on this computer places calls" "$device/Windows/messagebox.log" || fail "no message without a tel: handler"

register tel
register sms
register mailto
: >"$device/Windows/messagebox.log"
xvfb-run -a "$cli" dial "030 123456" >/dev/null
expect_handed tel "tel:+4930123456"
xvfb-run -a "$cli" dial "1" >/dev/null
expect_handed tel "tel:1"
xvfb-run -a "$cli" sms "0171 2345678" "Anna" >/dev/null
expect_handed sms "sms:+491712345678"
xvfb-run -a "$cli" email "anna@example.org" >/dev/null
expect_handed mailto "mailto:anna@example.org"
[ ! -s "$device/Windows/messagebox.log" ] || fail "a message although handlers exist: $(cat "$device/Windows/messagebox.log")"
echo "hand-off: ok"
