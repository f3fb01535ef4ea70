#!/usr/bin/env bash
# brevane-callerid against a fake ModemManager and a fake notification service on private buses:
# a known caller (name, categories, picture, the category's ringtone), an unknown number and a
# hidden one (the ringtones of "#NOCONTACT#" and "#NOPHONE#"), a caller of a category the call
# filter keeps out (hung up and logged, no notice), an outgoing call (ignored) and a modem removed
# mid-call (logged; the program keeps watching).
# Usage: callerid.sh BREVANE-CLI BREVANE-CALLERID
set -euo pipefail
cli=$1 callerid=$2
here=$(dirname "$0")
command -v dbus-daemon >/dev/null || { echo "SKIP: dbus-daemon is not installed"; exit 77; }
/usr/bin/python3 -c 'import dbus, gi' 2>/dev/null || { echo "SKIP: python3-dbus or python3-gi is not installed"; exit 77; }

work=$(mktemp -d)
pids=()
cleanup() { for pid in "${pids[@]}"; do kill "$pid" 2>/dev/null || true; done; rm -rf "$work"; }
trap cleanup EXIT
fail() { echo "FAIL: $*" >&2; echo "--- record"; cat "$work/record" 2>/dev/null; echo "--- log"; cat "$dev/Windows/programs.log" 2>/dev/null; exit 1; }

# A private bus with the session configuration: its address in $bus_address, its process kept.
start_bus() {
    local out
    out=$(dbus-daemon --config-file=/usr/share/dbus-1/session.conf --fork --print-address=1 --print-pid=1)
    bus_address=$(sed -n 1p <<<"$out")
    pids+=("$(sed -n 2p <<<"$out")")
}
start_bus; export DBUS_SYSTEM_BUS_ADDRESS=$bus_address
start_bus; export DBUS_SESSION_BUS_ADDRESS=$bus_address

dev=$work/device
"$cli" --root "$dev" init --locale en_US >/dev/null
"$cli" --root "$dev" add first=Anna last=Known mobile="(555) 123-4567" category=Business >/dev/null
"$cli" --root "$dev" add first=Frank last=Filtered mobile=+15559876543 category=Personal >/dev/null
personal=$("$cli" --root "$dev" categories | awk -F'\t' '$2 == "Personal" {print $1}')
key='HKCU\Software\Velmora\PIM'
"$cli" --root "$dev" reg set "$key\\Ringtone" Business sz /sounds/business.wav
"$cli" --root "$dev" reg set "$key\\Ringtone" '#NOCONTACT#' sz /sounds/unknown.wav
"$cli" --root "$dev" reg set "$key\\Ringtone" '#NOPHONE#' sz /sounds/private.wav
"$cli" --root "$dev" reg set "$key\\CatFilter" All dword 0
"$cli" --root "$dev" reg set "$key\\CatFilter" Count dword 1
"$cli" --root "$dev" reg set "$key\\CatFilter" 0 dword "$((personal))"

/usr/bin/python3 "$here/fake_bus.py" "$work/record" "$work/ready" &
pids+=($!)
for _ in $(seq 100); do [ -e "$work/ready" ] && break; sleep 0.1; done
[ -e "$work/ready" ] || fail "the fake services did not start"
"$callerid" --root "$dev" &
pids+=($!)
for _ in $(seq 100); do grep -q "brevane-callerid	watching" "$dev/Windows/programs.log" 2>/dev/null && break; sleep 0.1; done

call() {  # NUMBER DIRECTION VANISH
    dbus-send --bus="$DBUS_SYSTEM_BUS_ADDRESS" --print-reply --dest=org.freedesktop.ModemManager1 /test \
        org.brevane.Test.AddCall "string:$1" "uint32:$2" int32:3 "boolean:$3" >/dev/null
}
# Waits until the record holds LINES lines.
records() {
    for _ in $(seq 100); do [ "$(cat "$work/record" 2>/dev/null | wc -l)" -ge "$1" ] && return 0; sleep 0.1; done
    fail "expected $1 records"
}
tab=$'\t'

call +15551234567 2 false  # outgoing: nothing
call +15551234567 1 false
records 1
[ "$(sed -n 1p "$work/record")" = "notify${tab}Known, Anna${tab}Business${tab}/sounds/business.wav${tab}" ] ||
    fail "known caller"
call +15550001111 1 false
records 2
[ "$(sed -n 2p "$work/record")" = "notify${tab}+15550001111${tab}${tab}/sounds/unknown.wav${tab}" ] || fail "unknown caller"
call "" 1 false
records 3
[ "$(sed -n 3p "$work/record")" = "notify${tab}Private number${tab}${tab}/sounds/private.wav${tab}" ] || fail "hidden caller"
call +15559876543 1 false
records 4
[ "$(sed -n 4p "$work/record")" = "hangup${tab}+15559876543" ] || fail "filtered caller not hung up"
grep -q "brevane-callerid	hang up	+15559876543" "$dev/Windows/programs.log" || fail "the hang-up is not logged"
call +15551234567 1 true
for _ in $(seq 100); do grep -q "brevane-callerid	call gone" "$dev/Windows/programs.log" && break; sleep 0.1; done
grep -q "brevane-callerid	call gone" "$dev/Windows/programs.log" || fail "a vanished call is not logged"
call 5551234567 1 false
records 5
[ "$(sed -n 5p "$work/record")" = "notify${tab}Known, Anna${tab}Business${tab}/sounds/business.wav${tab}" ] ||
    fail "no notice after a modem vanished"
[ "$(wc -l <"$work/record")" = 5 ] || fail "unexpected requests"
echo "callerid: ok"
