#!/usr/bin/env bash
# The real program on a virtual X server, driven with xdotool as a user drives it: type part of
# a name, press Talk (F3) twice (the phone chooser, then its call) and find the call with that
# contact's number in the device's program log; then a second `brevane v OID` hands its request
# to the running window and exits with 1, and Talk calls the contact it showed.
# `brevane e OID` opens the editor, where a changed mobile number is saved for `brevane-cli show` to
# see, and a custom label chosen from the label popup leaves the form taking taps; `brevane f` opens
# speed dial, where Enter calls the first button's number.
# Usage: e2e.sh BREVANE BREVANE_CLI
# Exits 77 (skipped) when Xvfb or xdotool is not installed.
set -u
brevane=$1
cli=$2
for tool in Xvfb xdotool; do
    command -v "$tool" >/dev/null || { echo "SKIP: $tool is not installed"; exit 77; }
done
work=$(mktemp -d)
xvfb=
program=
cleanup() {
    [ -n "$program" ] && kill "$program" 2>/dev/null
    [ -n "$xvfb" ] && kill "$xvfb" 2>/dev/null
    wait 2>/dev/null
    rm -rf "$work"
}
trap cleanup EXIT
dev=$work/device
log=$dev/Windows/programs.log
failures=0
fail() {
    echo "FAIL: $*" >&2
    failures=$((failures + 1))
}

# waitfor SECONDS COMMAND...: polls the command every 0.2 s until it succeeds.
waitfor() {
    local tries=$(($1 * 5))
    shift
    while ! "$@" 2>/dev/null; do
        tries=$((tries - 1))
        [ "$tries" -gt 0 ] || return 1
        sleep 0.2
    done
}
logged() { grep -qF -- "$1" "$log"; }

"$cli" --root "$dev" init >/dev/null || { echo "FAIL: init"; exit 1; }
zelda=$("$cli" --root "$dev" add first=Zelda last=Quist mobile=+15550001111) || fail "add Zelda"
anna=$("$cli" --root "$dev" add first=Anna last=Smith mobile=+15552223333) || fail "add Anna"
speed='HKCU\Software\Velmora\PIM\SpeedCall'
"$cli" --root "$dev" reg set "$speed" Oid0 dword 0 && "$cli" --root "$dev" reg set "$speed" Index0 dword 0 &&
    "$cli" --root "$dev" reg set "$speed" Display0 sz Desk &&
    "$cli" --root "$dev" reg set "$speed" Phone0 sz +15559998888 || fail "binding the first speed-dial button"

Xvfb -displayfd 3 -screen 0 800x600x24 -nolisten tcp 3>"$work/display" 2>"$work/xvfb.err" &
xvfb=$!
waitfor 10 test -s "$work/display" || { echo "FAIL: Xvfb did not start"; cat "$work/xvfb.err"; exit 1; }
export DISPLAY=":$(cat "$work/display")"
export QT_QPA_PLATFORM=xcb

"$brevane" --root "$dev" 2>"$work/program.err" &
program=$!
window=
find_window() { window=$(xdotool search --onlyvisible --name '^Brevane$' | head -1); [ -n "$window" ]; }
waitfor 20 find_window || { echo "FAIL: no window"; cat "$work/program.err"; exit 1; }
xdotool windowactivate --sync "$window" 2>/dev/null || xdotool windowfocus --sync "$window"
sleep 0.5

# Typing goes to the search box: "smi" leaves Anna, who is not the first row of the full list
# (Quist, Zelda is), so her call proves the typing arrived. Talk opens the phone chooser of the
# selected contact (shown always by default) and Talk in the chooser calls its default number.
xdotool type --delay 80 "smi"
sleep 0.5
xdotool key F3
sleep 0.5
xdotool key F3
waitfor 10 logged 15552223333 || fail "Talk after typing smi: no call to Anna's number in the log"

# Clear the search so that every contact is listed again.
xdotool key BackSpace BackSpace BackSpace
sleep 0.5

# A second instance forwards its request and exits with 1; the running window shows that contact.
"$brevane" --root "$dev" v "$zelda" 2>"$work/second.err"
status=$?
[ "$status" -eq 1 ] || fail "second instance exited $status, expected 1: $(cat "$work/second.err")"
sleep 0.5
xdotool key F3
sleep 0.5
xdotool key F3
waitfor 10 logged 15550001111 || fail "Talk after 'v $zelda': no call to Zelda's number in the log"
xdotool key Escape
sleep 0.5

# `brevane e OID` from another process opens the editor on that contact. A tap on the Mobile field,
# the new number typed over the old one, and Tools then Enter (its first item, OK) store it, as
# another process's `brevane-cli show` sees.
"$brevane" --root "$dev" e "$anna" 2>"$work/second.err"
status=$?
[ "$status" -eq 1 ] || fail "'e $anna' exited $status, expected 1: $(cat "$work/second.err")"
sleep 1
# The Mobile value is the third phone row, below the name block (seven 16-pixel rows and the
# picture) and the Work and Home rows.
xdotool mousemove --window "$window" 165 231 click 1
sleep 0.3
xdotool key End shift+Home
xdotool type --delay 60 "+15554445555"
sleep 0.3
xdotool key F2
sleep 0.5
xdotool key Return
new_mobile() { "$cli" --root "$dev" show "$anna" | grep -qxF "$(printf 'Mobile\t+15554445555')"; }
waitfor 10 new_mobile || fail "the edited mobile number is not in 'show $anna': $("$cli" --root "$dev" show "$anna")"

# A custom label from the label popup ("Custom...", a typed label, a tap on OK). The prompt over
# the form must leave the form taking taps: a tap on the row's value and a new number typed, then
# Tools, OK store the label and the number together.
"$brevane" --root "$dev" e "$zelda" 2>"$work/second.err"
sleep 1
xdotool mousemove --window "$window" 50 231 click 1
sleep 0.5
xdotool key Up Return # the popup's last item, "Custom..."
sleep 0.5
xdotool type --delay 60 "Cottage"
sleep 0.3
xdotool mousemove --window "$window" 60 307 click 1 # the prompt's OK soft key
sleep 0.5
xdotool mousemove --window "$window" 165 231 click 1
sleep 0.3
xdotool key End shift+Home
xdotool type --delay 60 "+15556667777"
sleep 0.3
xdotool key F2
sleep 0.5
xdotool key Return
cottage() { "$cli" --root "$dev" show "$zelda" | grep -qxF "$(printf 'Cottage\t+15556667777')"; }
waitfor 10 cottage || fail "the custom label and the number typed after it are not in 'show $zelda': $("$cli" --root "$dev" show "$zelda")"

# `brevane f` opens speed dial; Enter on its first button calls the number bound to it.
"$brevane" --root "$dev" f 2>"$work/second.err"
status=$?
[ "$status" -eq 1 ] || fail "'f' exited $status, expected 1: $(cat "$work/second.err")"
sleep 1
xdotool key Return
waitfor 10 logged 15559998888 || fail "Enter on the first speed-dial button: no call to its number in the log"

kill "$program" 2>/dev/null
wait "$program" 2>/dev/null
program=
if [ "$failures" -gt 0 ]; then
    echo "--- programs.log"; cat "$log" 2>/dev/null
    echo "--- program stderr"; cat "$work/program.err"
    exit 1
fi
echo "screen end-to-end: passed"
