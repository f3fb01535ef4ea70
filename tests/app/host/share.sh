#!/usr/bin/env bash
# The contacts shared with the host's phone programs follow the tool's adds, changes, deletes and
# imports: one whole vCard file per contact in $XDG_DATA_HOME/kpeoplevcard/brevane, the numbers
# table where an sxmo configuration folder exists, speed-dial favourites marked. Devices made
# with --root share nothing.
# Usage: share.sh BREVANE-CLI
set -euo pipefail
cli=$1
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
export HOME=$work/home XDG_DATA_HOME=$work/data XDG_CONFIG_HOME=$work/config
unset BREVANE_ROOT
mkdir -p "$HOME" "$XDG_CONFIG_HOME/sxmo"
cards=$XDG_DATA_HOME/kpeoplevcard/brevane
table=$XDG_CONFIG_HOME/sxmo/contacts.tsv
tab=$'\t'

fail() { echo "FAIL: $*" >&2; exit 1; }
card() { tr -d '\r' <"$cards/$1.vcf"; }

"$cli" --root "$work/test-device" init >/dev/null
"$cli" --root "$work/test-device" add first=Test mobile=+15550001111 >/dev/null
[ ! -e "$XDG_DATA_HOME/kpeoplevcard" ] || fail "a --root device shared its contacts"

"$cli" init --locale en_US >/dev/null
anna=$("$cli" add first=Anna last=Smith mobile=+15551234567 category=Business)
card "$anna" | grep -qx "FN:Anna Smith" || fail "no card for an added contact"
card "$anna" | grep -q "^CATEGORIES:.*Business" || fail "the card lacks the category"
grep -qxF "+15551234567${tab}Anna Smith" "$table" || fail "no table line for an added contact"

"$cli" update "$anna" mobile=+15557654321 last=Jones >/dev/null
card "$anna" | grep -qx "FN:Anna Jones" || fail "the card did not follow a change"
[ "$(cat "$table")" = "+15557654321${tab}Anna Jones" ] || fail "the table did not follow a change: $(cat "$table")"

"$cli" reg set 'HKCU\Software\Velmora\PIM\SpeedCall' Oid0 dword "$((16#$anna))"
"$cli" update "$anna" first=Ann >/dev/null
card "$anna" | grep -qx "X-FOLKS-FAVOURITE:true" || fail "a speed-dial contact is not a favourite"

"$cli" delete "$anna"
[ ! -e "$cards/$anna.vcf" ] || fail "a deleted contact's card stayed"
[ ! -s "$table" ] || fail "a deleted contact's numbers stayed: $(cat "$table")"

for i in $(seq 1 20); do
    printf 'BEGIN:VCARD\r\nVERSION:3.0\r\nN:Person%d;Imported\r\nFN:Imported Person%d\r\nTEL;TYPE=CELL:+1555000%04d\r\nEND:VCARD\r\n' "$i" "$i" "$i"
done >"$work/import.vcf"
"$cli" import "$work/import.vcf" >/dev/null
[ "$(find "$cards" -name '*.vcf' | wc -l)" = 20 ] || fail "an import did not give one card per contact"
[ "$(wc -l <"$table")" = 20 ] || fail "an import did not give one table line per number"
grep -qxF "+15550000020${tab}Imported Person20" "$table" || fail "the table lacks an imported number"
[ -z "$(find "$cards" "$XDG_CONFIG_HOME/sxmo" -name '.*part-*')" ] || fail "a temporary file was left"
echo "share: ok"
