#!/usr/bin/env bash
# brevane-cli driven as a user drives it, on temporary devices: init and its refusals, a demo
# device, imports (files of other programs: odd line ends, damaged parts, extensions, a mail
# client's table), searches, lists and their stored order, show and format-phone, changes,
# categories, alphabets, the index, an export and re-import, calls and messages, the registry,
# wrong command lines, a missing device and a watcher in the background.
# Usage: e2e.sh BREVANE_CLI VCARD_DATA_DIR
set -u
cli=$1
data=$2
work=$(mktemp -d)
watcher=
cleanup() {
    [ -n "$watcher" ] && kill "$watcher" 2>/dev/null
    rm -rf "$work"
}
trap cleanup EXIT
dev=$work/device
failures=0
TAB=$'\t'

fail() {
    echo "FAIL: $*" >&2
    failures=$((failures + 1))
}

# Runs the tool on the device; sets $out, $err and $status.
run() {
    out=$("$cli" --root "$dev" "$@" 2>"$work/err")
    status=$?
    err=$(cat "$work/err")
}

# ok ARGS...: the command succeeds.
ok() {
    run "$@"
    [ "$status" -eq 0 ] || fail "$* exited $status: $err"
}

# same WHAT EXPECTED ACTUAL
same() {
    [ "$2" == "$3" ] || fail "$1: expected [$2], got [$3]"
}

# has WHAT TEXT LINE: TEXT holds LINE as a whole line.
has() {
    grep -qxF -- "$3" <<<"$2" || fail "$1: no line [$3] in [$2]"
}

hasnt() {
    ! grep -qxF -- "$3" <<<"$2" || fail "$1: unexpected line [$3]"
}

contacts() {
    ok index stats
    sed -n "s/^contacts$TAB//p" <<<"$out"
}

# Every line of a list is OID<TAB>row text with a lower-case hexadecimal OID.
list_shaped() {
    local bad
    bad=$(grep -vE "^[0-9a-f]+$TAB.+\$" <<<"$2" | grep -v '^$')
    [ -z "$bad" ] || fail "$1: lines not shaped OID<TAB>text: [$bad]"
}

# --- init: options, the root from the environment, refusals that create nothing -----------------
fresh=$work/fresh
out=$(BREVANE_ROOT=$fresh "$cli" init --no-phone --locale de_DE)
same "init through BREVANE_ROOT prints the root" "$fresh" "$out"
[ ! -e "$fresh/Windows/sms.dll" ] || fail "init --no-phone made a phone device"
out=$(BREVANE_ROOT=$dev "$cli" --root="$fresh" reg get 'HKCU\ControlPanel\International' LocaleName)
same "--root wins over BREVANE_ROOT; the locale given" de_DE "$out"
for line in "init --locale German:2:usage: brevane-cli init" "init --phone:2:usage: brevane-cli init" \
            "reg dump:1:brevane-cli: no device at"; do
    # shellcheck disable=SC2086
    run ${line%%:*}
    same "exit status of [${line%%:*}] on no device" "$(cut -d: -f2 <<<"$line")" "$status"
    [[ "$err" == "${line#*:*:}"* ]] || fail "[${line%%:*}] says [$err]"
done
[ ! -e "$dev" ] || fail "a refused command created the device"
out=$("$cli" --root "$fresh/Windows/registry.db" init 2>&1)
[[ "$out" == "brevane-cli: cannot initialise the device"* ]] || fail "init under a file says [$out]"

# --- A new device with the sample contacts -------------------------------------------------------
ok init --locale en_US
root=$(cd "$dev" && pwd -P)
same "init prints the root" "$root" "$out"
ok init --demo
same "init --demo prints the root" "$root" "$out"
same "sample contacts and SIM card entries" 306 "$(contacts)"
ok reg get 'HKLM\SOFTWARE\Microsoft\PimApps\PimExtensions\Contacts\AddIns\CardExport' Menu
same "the demo device's add-in" "Save as vCard" "$out"
[ -s "$dev/Windows/CardExport.dll" ] || fail "the demo device has no CardExport.dll"
ok list
list_shaped "list" "$out"
first=$(head -1 <<<"$out")
ok delete "${first%%$TAB*}"
same "after deleting a sample contact" 305 "$(contacts)"
ok init --demo
same "init --demo puts back only the missing one" 306 "$(contacts)"
ok list
has "the sample contact is back" "$(cut -f2 <<<"$out")" "${first#*$TAB}"

ok categories
names=$(cut -f2 <<<"$out")
for name in Business Personal Family Friends; do has "categories" "$names" "$name"; done
same "categories in name order" "$(LC_ALL=C sort <<<"$names")" "$names"

# --- Imports -------------------------------------------------------------------------------------
cards=$(cat "$data/apple_groups.vcf" "$data/phone21_qp.vcf" "$data/v40_data_uri.vcf" | grep -c '^BEGIN:VCARD')
before=$(contacts)
ok import "$data/apple_groups.vcf" "$data/phone21_qp.vcf" "$data/v40_data_uri.vcf"
same "vCard import" "imported $cards contacts" "$out"
same "contacts after the vCard import" $((before + cards)) "$(contacts)"
before=$(contacts)
ok import "$data/google.csv"
[[ "$out" =~ ^imported\ ([0-9]+)\ contacts$ ]] || fail "CSV import printed [$out]"
same "contacts after the CSV import" $((before + ${BASH_REMATCH[1]:-0})) "$(contacts)"
ok list --category "Sailing club"
grep -qP "^[0-9a-f]+\tMendes, Carlos$" <<<"$out" || fail "an imported row's new category: [$out]"
ok list --order fileas
hasnt "imported contacts are filed under their names" "$(cut -f2 <<<"$out")" "Unnamed"
grep -qP "^[0-9a-f]+\tMendes, Carlos$" <<<"$out" || fail "File As of an imported contact: [$out]"

# Damaged files give their good cards and name what they left out; a file that gives no contact
# fails the whole import.
before=$(contacts)
for row in "broken_base64.vcf:1 of 1:line 4: PHOTO: damaged base64 data (property skipped)" \
           "broken_missing_end.vcf:1 of 2:line 6: BEGIN:VCARD without END:VCARD (card skipped)" \
           "broken_quote.csv:1 of 2:line 3: quoted field not closed (the rest of the file is in it) (row skipped)"
do
    IFS=: read -r broken count skip <<<"$row"
    run import "$data/$broken"
    same "import of $broken: exit status" 3 "$status"
    same "import of $broken" "imported 1 contacts" "$out"
    same "import of $broken names what it skipped and counts what it read" \
        "$data/$broken: $skip"$'\n'"$data/$broken: $count contacts read" "$err"
done
same "damaged files give their good contacts" $((before + 3)) "$(contacts)"
before=$(contacts)
run import "$data/apple_groups.vcf" "$data/broken_charset.vcf"
same "a file that gives no contact fails" 1 "$status"
[[ "$err" == *"brevane-cli: $data/broken_charset.vcf: line 3: nothing could be read" ]] ||
    fail "broken_charset says [$err]"
same "a file gives no contact: nothing is imported, the good file beside it neither" "$before" "$(contacts)"
run import "$work/no-such-file.vcf"
same "a missing file fails" 1 "$status"

# Files of other programs: a phone's export (CR CR LF, folded photos, one cut short, soft breaks,
# extra numbers), a desktop address book's cards (comments, its own properties, dates without a
# year) and a mail client's table.
run import "$data/phone_crcrlf.vcf" "$data/desktop_extensions.vcf" "$data/mail_client.csv"
same "import of other programs' files: exit status" 3 "$status"
same "import of other programs' files" "imported 7 contacts" "$out"
same "what was left out" "$data/phone_crcrlf.vcf: line 5: PHOTO: damaged base64 data (property skipped)
$data/phone_crcrlf.vcf: 3 of 3 contacts read
$data/desktop_extensions.vcf: 2 of 2 contacts read
$data/mail_client.csv: 2 of 2 contacts read" "$err"
ok search åström
lars=$(cut -f1 <<<"$out")
same "a name in quoted-printable, its soft break dropped" "$lars${TAB}Åström, Lars" "$out"
ok search astrom
same "a name typed without its marks" "$lars${TAB}Åström, Lars" "$out"
ok search åstr
same "a name typed with its marks" "$lars${TAB}Åström, Lars" "$out"
ok search ästr
same "a mark typed that the name does not carry finds nothing" "" "$out"
for digits in 702223344 702223345 85550102; do
    ok lookup "$digits"
    same "lookup of every number of a card ($digits)" "$lars${TAB}Åström, Lars" "$out"
done
ok show "$lars"
has "show: the second mobile number" "$out" "Mobile${TAB}+46 70 222 33 45"
has "show: the video number" "$out" "Video${TAB}+46 8 555 01 02"
has "show: the note without a stray =" "$out" "Note${TAB}Call after six / or on weekends"
ok export "$lars"
has "export: the formatted name" "$(tr -d '\r' <<<"$out")" "FN:Lars Åström"
card=$(tr -d '\r' <<<"$out")
has "export: the second mobile keeps its type" "$card" "TEL;TYPE=CELL,VOICE:+46 70 222 33 45"
ok search "liv quist"
liv=$(cut -f1 <<<"$out")
same "the desktop card, filed under its name" "$liv${TAB}Quist, Olivia" "$out"
ok show "$liv"
for line in "Name${TAB}Olivia Quist / Nordlys AB Research" "Spouse${TAB}Per Quist" "Assistant${TAB}Ada Berg" \
            "IM${TAB}liv.quist@chat.example Google Talk" "IM 2${TAB}@livquist Twitter" \
            "Callback${TAB}+46 8 555 03 99" \
            "Birthday${TAB}2/3" "Anniversary${TAB}8/14/10"; do
    has "show: a desktop extension or a date without a year" "$out" "$line"
done
ok export "$liv"
has "export: the card's own formatted name" "$(tr -d '\r' <<<"$out")" "FN:Liv Quist"
has "export: a birthday without a year, as it came" "$(tr -d '\r' <<<"$out")" "BDAY:--02-03"
ok search greta
same "the mail client's row" "Lind, Greta" "$(cut -f2 <<<"$out" | head -1)"
ok lookup 704445566
same "the mail client's mobile number" "Lind, Greta" "$(cut -f2 <<<"$out")"
ok list --category Rowing
grep -qP "^[0-9a-f]+\tDahl, Tor$" <<<"$out" || fail "a category name with a comma is two categories: [$out]"

ok search lindqvist
list_shaped "search" "$out"
grep -qP "^[0-9a-f]+\tLindqvist, Maja$" <<<"$out" || fail "search lindqvist misses the imported card: [$out]"

# --- A contact of our own: searches, lookup, orders, categories ----------------------------------
ok add first=Zoltán last=Xylander company=Quirkwell "mobile=+36 30 481 7263" email=zx@quirkwell.example
oid=$out
[[ "$oid" =~ ^[0-9a-f]+$ ]] || fail "add printed [$oid]"
ok search xyl
same "search by a word's beginning" "$oid${TAB}Xylander, Zoltán" "$out"
ok search QUIRK
has "search by company, ignoring case" "$out" "$oid${TAB}Xylander, Zoltán"
ok abc 995
has "abc 995 (x y l)" "$out" "$oid${TAB}Xylander, Zoltán"
list_shaped "abc" "$out"
ok lookup 4817263
same "lookup by trailing digits" "$oid${TAB}Xylander, Zoltán" "$out"
ok lookup 999999999
same "lookup without a match" "" "$out"

ok list --order company
header=$(head -1 <<<"$out")
[[ "$header" =~ ^#\ \ \([0-9]+\)$ ]] || fail "company order starts with the group without company: [$header]"
grep -qxF "# Quirkwell (1)" <<<"$out" || fail "no group [# Quirkwell (1)]"
same "the Quirkwell group" "$oid${TAB}Xylander, Zoltán" "$(grep -A1 -xF '# Quirkwell (1)' <<<"$out" | tail -1)"
awk -F'\t' -v want="$(contacts)" '
    /^# / { if (left != 0) bad = 1; n = $0; sub(/.*\(/, "", n); sub(/\)$/, "", n); left = n + 0; next }
    { left--; rows++ }
    END { if (left != 0 || bad || rows != want) exit 1 }' <<<"$out" || fail "company groups do not add up"

ok assign "$oid" Business Friends
ok list --category Friends
has "category filter" "$out" "$oid${TAB}Xylander, Zoltán"
ok search --category Business xyl
same "search within a category" "$oid${TAB}Xylander, Zoltán" "$out"
ok assign "$oid"
ok list --category Friends
hasnt "assign without names clears" "$out" "$oid${TAB}Xylander, Zoltán"

ok update "$oid" company=Quirkwell\ Ltd middle=Q fileas="Xylander, Zoltán"
same "update prints nothing" "" "$out"
ok search xyl
same "updated row text" "$oid${TAB}Xylander, Zoltán" "$out"
ok update "$oid" fileas=Zed
ok list --order fileas
has "File As text after update" "$out" "$oid${TAB}Zed"
ok reg set 'HKCU\Software\Velmora\PIM\Settings' SortType dword 1
ok list
has "list without --order takes the stored File As order" "$out" "$oid${TAB}Zed"
ok reg set 'HKCU\Software\Velmora\PIM\Settings' SortType dword 7
ok list
has "a stored order the program does not know is name order" "$out" "$oid${TAB}Xylander, Zoltán"
ok reg delete 'HKCU\Software\Velmora\PIM\Settings' SortType

ok show "$oid"
same "show: the heading first, line breaks as ' / '" "Name${TAB}Zoltán Q Xylander / Quirkwell Ltd" "$(head -1 <<<"$out" | cut -f1-2)"
has "show: the number" "$(cut -f2 <<<"$out")" "+36 30 481 7263"
[ -z "$(grep -v "$TAB" <<<"$out")$(grep '<' <<<"$out")" ] || fail "show: lines without a label or with markup: [$out]"
for line in "show 1 2:2" "show xyz:2" "show 123456789:2" "show 7fff:1" "format-phone:2"; do
    # shellcheck disable=SC2086
    run ${line%:*}
    same "exit status of [${line%:*}]" "${line#*:}" "$status"
    [ -z "$out" ] && [ -n "$err" ] || fail "[${line%:*}] printed [$out] / [$err]"
done
long=$(printf '5%.0s' $(seq 300))
ok format-phone 5551234567 "$long"
same "format-phone with the formats switched off" "5551234567"$'\n'"$long" "$out"
ok reg set 'HKCU\Software\Velmora\PIM\Templates' IsActiveTemplate dword 1
ok format-phone 5551234567 "" "$long"
same "format-phone with the formats on" "555-123-4567"$'\n\n'"$long" "$out"

ok category-add Zeppelin
same "category-add prints nothing" "" "$out"
for name in "a,b" "a;b"; do
    run category-add "$name"
    same "category-add $name" "1:brevane-cli: Category names cannot contain ' , ' or ' ; ' symbols." \
        "$status:$err"
done
run add first=Nobody "category=x,y"
same "add with a category name holding a comma" 1 "$status"
ok categories
hasnt "no category with a comma" "$(cut -f2 <<<"$out")" "a,b"
ok categories
has "category added" "$(cut -f2 <<<"$out")" Zeppelin
ok category-delete Zeppelin
ok categories
hasnt "category deleted" "$(cut -f2 <<<"$out")" Zeppelin
run category-delete Business
same "a category in use is not deleted" 1 "$status"
ok add first=Olga category=Orphans
ok delete "$out"
ok category-delete Orphans
ok categories
hasnt "a deleted contact leaves no assignment behind" "$(cut -f2 <<<"$out")" Orphans

# --- Alphabets: a change of alphabet rebuilds the group tree ------------------------------------
ok add first=Иван last=Петров
ivan=$out
ok reg set 'HKCU\Software\Velmora\PIM\ABC' Type dword 2
ok abc 4
has "abc 4 with the Russian alphabet (И in ИЙКЛ)" "$out" "$ivan${TAB}Петров, Иван"
ok reg set 'HKCU\Software\Velmora\PIM\ABC' Type dword 1
ok abc 995
has "abc 995 again with the English alphabet" "$out" "$oid${TAB}Xylander, Zoltán"
ok abc 4
hasnt "Cyrillic names are in no English group" "$out" "$ivan${TAB}Петров, Иван"

# --- The index: check and rebuild keep the results ----------------------------------------------
ok search an
search_an=$out
ok list --order company
company=$out
ok index stats
stats=$out
same "stats lines" "contacts words pim_index1.dat pim_index2.dat" "$(cut -f1 <<<"$stats" | tr '\n' ' ' | sed 's/ $//')"
bad=$(cut -f2 <<<"$stats" | grep -vE '^[1-9][0-9]*$')
[ -z "$bad" ] || fail "stats figures (the tool writes both index files before it exits): [$stats]"
for action in rebuild check; do
    ok index "$action"
    same "index $action summary" "$(head -1 <<<"$stats")" "$(head -1 <<<"$out")"
    ok search an
    same "search after index $action" "$search_an" "$out"
    ok list --order company
    same "company order after index $action" "$company" "$out"
done

# --- Export and re-import ------------------------------------------------------------------------
ok export
printf '%s\n' "$out" >"$work/all.vcf"
same "one card per contact" "$(contacts)" "$(grep -c '^BEGIN:VCARD' "$work/all.vcf")"
ok list
names_before=$(cut -f2 <<<"$out" | LC_ALL=C sort)
count_before=$(contacts)
dev_first=$dev
dev=$work/copy
ok init --locale en_US
ok import "$work/all.vcf"
same "re-import" "imported $count_before contacts" "$out"
ok list
same "the same contacts after the round trip" "$names_before" "$(cut -f2 <<<"$out" | LC_ALL=C sort)"
dev=$dev_first

# --- Delete --------------------------------------------------------------------------------------
ok delete "$oid"
same "delete prints nothing" "" "$out"
ok search xyl
same "a deleted contact is not found" "" "$out"

# --- Calls, messages and the recent list ---------------------------------------------------------
# The device's stand-in programs and libraries log what they are asked in \Windows\programs.log.
log=$dev/Windows/programs.log
# logged WHAT LINE: the log gets LINE (without its time) within 10 s; the stand-in programs run
# on their own and write when they have started.
logged() {
    for _ in $(seq 100); do
        cut -f2- "$log" 2>/dev/null | grep -qxF -- "$2" && return
        sleep 0.1
    done
    fail "$1: no line [$2] in the program log: [$(cut -f2- "$log" 2>/dev/null)]"
}
ok add first=Rita last=Recent mobile=+1-555-0100 email=rita@example.com
rita=$out
ok dial "$rita"
same "dial result through the phone library" 0 "$out"
logged "the phone library got the contact's number and name" \
    "phone.dll${TAB}PhoneMakeCall${TAB}0${TAB}+1-555-0100${TAB}(null)${TAB}Recent, Rita${TAB}(null)"
ok sms "+1 (555) 123-4567" "Smith; John"
same "sms prints nothing" "" "$out"
logged "sms command line" "tmail.exe${TAB}-service \"SMS\" -To \"Smith John<+15551234567>\""
ok email 'a@example.com"; rm -rf /'
logged "email command line, quotes removed" "tmail.exe${TAB}-To \"a@example.com; rm -rf /\""
ok web 'https://example.com/?q=$(id)'
logged "web address as given" "iexplore.exe${TAB}https://example.com/?q=\$(id)"
ok reg set 'HKCU\Software\Velmora\PIM\CatRecent' Count dword 2
ok reg set 'HKCU\Software\Velmora\PIM\CatRecent' 0 dword "$((16#$rita))"
ok reg set 'HKCU\Software\Velmora\PIM\CatRecent' 1 dword 123456
ok list --recent
same "recent contacts that still exist" "$rita${TAB}Recent, Rita" "$out"

# --- The registry ------------------------------------------------------------------------------
key='HKCU\Software\Velmora\PIM\Settings'
for row in "SortType:dword:2:2" "CID_Vol:dword:-1:4294967295" "Name:sz:Ärger Smith:Ärger Smith" \
           "CatFltData:binary:0100000aFF:0100000aff" "Empty:binary::"; do
    IFS=: read -r name type value printed <<<"$row"
    ok reg set "$key" "$name" "$type" "$value"
    ok reg get 'hkcu\SOFTWARE\velmora\pim\settings' "$name"
    same "reg get $name" "$printed" "$out"
    ok reg dump "$key"
    has "reg dump $name" "$out" "$key$TAB$name$TAB$type$TAB$printed"
done
ok reg set 'HKLM\Test\A' n dword 1
ok reg set 'HKLM\Test\A\Sub' text sz "two${TAB}parts"
ok reg set 'HKLM\Test\B' "" binary beef
ok reg dump 'HKLM\Test'
same "reg dump of a key" "HKLM\Test\A${TAB}n${TAB}dword${TAB}1"$'\n'"HKLM\Test\A\Sub${TAB}text${TAB}sz${TAB}two\\tparts"$'\n'"HKLM\Test\B${TAB}${TAB}binary${TAB}beef" "$out"
ok reg delete 'HKLM\Test\B' ""
ok reg delete 'HKLM\test\a'
ok reg dump 'HKLM\Test'
same "reg delete of a value and of a key" "" "$out"
ok reg dump
same "reg dump starts with the locale" "HKCU\ControlPanel\International${TAB}LocaleName${TAB}sz${TAB}en_US" "$(head -1 <<<"$out")"
run reg get 'HKCU\Software' missing
[ "$status" -eq 1 ] && [[ "$err" == 'brevane-cli: no value "missing"'* ]] || fail "reg get of a missing value: $status [$err]"

# --- Wrong command lines and a missing device ----------------------------------------------------
wrong=("" "frobnicate" "--bogus reg dump" "reg" 'reg get HKXX\Software v' 'reg set HKCU\K v dword 4294967296'
       'reg set HKCU\K v qword 1' "list --order size" "abc 1" "lookup 12345x" "update" "delete xyz" "add nofield=1"
       "add birthday=2020-13-45" "index fix" "watch --count" "assign" "search" "dial $rita --card" "email a b")
for line in "${wrong[@]}"; do
    # shellcheck disable=SC2086
    run $line
    same "exit status of [$line]" 2 "$status"
    [[ "$err" == "usage: brevane-cli"* ]] || fail "[$line] gives no usage line: [$err]"
    same "[$line] prints nothing" "" "$out"
done
dev=$work/missing
for line in "list" "export"; do
    # shellcheck disable=SC2086
    run $line
    same "a missing device: exit status of [$line]" 1 "$status"
    [ -n "$err" ] || fail "a missing device: [$line] says nothing"
done
[ ! -e "$work/missing" ] || fail "a missing device was created"
dev=$dev_first

# --- Help ----------------------------------------------------------------------------------------
ok --help
grep -qE '^  delete +deletes' <<<"$out" || fail "--help lists the commands with a line each: [$out]"
ok update --help
[[ "$out" == "usage: brevane-cli update OID FIELD=VALUE..."* ]] || fail "update --help: [$out]"
grep -q '^exit status: 0 done' <<<"$out" || fail "update --help gives the exit statuses: [$out]"

# --- Failing updates and deletes say so and change nothing ---------------------------------------
run update 7fff first=Nobody
same "update of a missing contact" 1 "$status"
[[ "$err" == "brevane-cli: no contact 7fff"* ]] || fail "update of a missing contact says [$err]"
run delete "$rita" 7fff
same "delete with a missing contact" 1 "$status"
ok show "$rita"
same "a refused delete deletes none" "Name${TAB}Rita Recent" "$(head -1 <<<"$out" | cut -f1-2)"

# --- A damaged store: every command says so, exits 1 (no crash) and writes nothing ---------------
dev_main=$dev
dev=$work/damaged
ok init --no-phone --locale en_US
ok add first=Dora last=Damage
dora=$out
vol=$dev/pim.vol
for damage in zeroed truncated foreign; do
    cp "$vol" "$work/vol.good"
    case $damage in
        zeroed) dd if=/dev/zero of="$vol" bs=100 count=1 conv=notrunc status=none ;;
        truncated) truncate -s 1000 "$vol" ;;
        foreign) cp "$dev/Windows/registry.db" "$vol" ;;
    esac
    cp "$vol" "$work/vol.damaged"
    for line in "list" "search dora" "add last=After" "update $dora last=Changed" "delete $dora"; do
        # shellcheck disable=SC2086
        run $line
        same "$damage store: exit status of [$line]" 1 "$status"
        [[ "$err" == *"contacts store"*"it was left as it is"* ]] || fail "$damage store: [$line] says [$err]"
    done
    cmp -s "$vol" "$work/vol.damaged" || fail "$damage store: a command wrote into it"
    cp "$work/vol.good" "$vol"
done
reg=$dev/Windows/registry.db
cp "$reg" "$work/reg.good"
dd if=/dev/zero of="$reg" bs=100 count=1 conv=notrunc status=none
run add last=Unregistered
same "a damaged registry: exit status of add" 1 "$status"
[[ "$err" == "brevane-cli: registry "*"it was left as it is"* ]] || fail "a damaged registry: add says [$err]"
cp "$work/reg.good" "$reg"

# --- Device files that are not what they seem ----------------------------------------------------
# A FIFO in place of an index file is refused, not waited on; the index is rebuilt over it.
rm -f "$dev/pim_index1.dat"
mkfifo "$dev/pim_index1.dat"
out=$(timeout 60 "$cli" --root "$dev" list 2>"$work/err")
status=$?
same "list with a FIFO for an index file" 0 "$status"
same "the list with a FIFO for an index file" "$dora${TAB}Damage, Dora" "$out"
[ -f "$dev/pim_index1.dat" ] && [ ! -p "$dev/pim_index1.dat" ] || fail "the FIFO was not replaced by the index file"
# Links planted under the temporary names of the index files and the logs are never written through.
echo "outside the device" >"$work/victim"
for planted in pim_index1.dat.tmp pim_index2.dat.tmp Windows/programs.log; do
    ln -s "$work/victim" "$dev/$planted"
done
ok add first=Lina last=Linked
ok index rebuild
ok web https://example.com/planted
sleep 1  # the browser stand-in logs once it runs
same "files planted as links stay untouched" "outside the device" "$(cat "$work/victim")"
dev=$dev_main

# --- A full disk part-way through an import: the report says exactly what the store holds --------
# Whether the disk fills before the import's first commit or after some depends on the machine's
# speed; either way the contacts written since the last commit are gone and not counted.
dev=$work/full
ok init --no-phone --locale en_US
for i in $(seq 3000); do
    printf 'BEGIN:VCARD\r\nVERSION:3.0\r\nN:Filler%s;Fay\r\nTEL:+1 555 %07d\r\nNOTE:%s\r\nEND:VCARD\r\n' \
        "$i" "$i" "$(printf '%0300d' "$i")"
done >"$work/many.vcf"
limit=$(( ($(stat -c %s "$dev/pim.vol") + $(stat -c %s "$dev/pim.vol-wal" 2>/dev/null || echo 0)) / 1024 + 1500 ))
out=$(ulimit -f "$limit"; trap '' XFSZ; "$cli" --root "$dev" import "$work/many.vcf" 2>"$work/err")
status=$?
err=$(cat "$work/err")
same "an import on a full disk: exit status" 1 "$status"
told=$(sed -n 's/.*imported \([0-9]*\) of 3000 contacts.*/\1/p' <<<"$err")
[ -n "$told" ] || fail "an import on a full disk does not say what was stored: [$err]"
ok index rebuild
same "an import on a full disk stored what it told" "$told" "$(contacts)"
dev=$dev_main

# --- A watcher in the background sees an add -----------------------------------------------------
"$cli" --root "$dev" watch --count 1 --timeout 15 >"$work/watch.out" 2>"$work/watch.err" &
watcher=$!
# The watcher is listening once it has the store open (then a moment for its request to stand).
for _ in $(seq 100); do
    ls -l "/proc/$watcher/fd" 2>/dev/null | grep -q 'pim\.vol$' && break
    sleep 0.1
done
sleep 0.5
ok add first=Watched last=Person
added=$out
wait "$watcher"
watch_status=$?
watcher=
same "watch exit status" 0 "$watch_status"
same "watch sees the add" "created $added" "$(head -1 "$work/watch.out")"
same "watch stops after --count lines" 1 "$(wc -l <"$work/watch.out")"

if [ "$failures" -ne 0 ]; then
    echo "$failures failures" >&2
    exit 1
fi
echo "all passed"
