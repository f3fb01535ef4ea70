#!/usr/bin/env bash
# Two-way sync against real servers started here on 127.0.0.1 (a free port, a temporary folder):
# Radicale without authentication and with htpasswd basic authentication, and Xandikos. Two
# devices and one server: first syncs each way, first-sync matching, changes and deletes each
# way, a conflict, edit against delete, a refused sync token, a server killed in the middle of a
# sync, the tool killed with SIGKILL during syncs, a randomized round of edits on both devices that
# must end with equal devices and no UID twice, a wrong password, and a self-signed certificate
# refused without --ca-file and taken with it.
# Usage: sync-e2e.sh BREVANE_CLI      (exit 77: no server program installed)
set -u
cli=$1
python=/usr/bin/python3
work=$(mktemp -d)
server_pid=
cleanup() {
    [ -n "$server_pid" ] && kill "$server_pid" 2>/dev/null && wait "$server_pid" 2>/dev/null
    rm -rf "$work"
}
trap cleanup EXIT
export BREVANE_NO_KEYCHAIN=1
failures=0
TAB=$'\t'

fail() {
    echo "FAIL [$label]: $*" >&2
    failures=$((failures + 1))
}

if ! "$python" -c 'import radicale' 2>/dev/null || ! command -v xandikos >/dev/null; then
    echo "SKIP: Radicale (python3-radicale) or Xandikos (xandikos) is not installed"
    exit 77
fi

free_port() { "$python" -c 'import socket; s=socket.socket(); s.bind(("127.0.0.1",0)); print(s.getsockname()[1])'; }

wait_port() {
    for _ in $(seq 100); do
        "$python" -c "import socket; socket.create_connection(('127.0.0.1',$1),0.2)" 2>/dev/null && return 0
        sleep 0.1
    done
    return 1
}

# start_radicale AUTH: Radicale on a new port over $work/$label/store; AUTH "none" or "htpasswd".
start_radicale() {
    local auth=(--auth-type none)
    if [ "$1" = tls ]; then
        auth+=(--server-ssl True --server-certificate "$work/$label/cert.pem" --server-key "$work/$label/key.pem")
    elif [ "$1" = htpasswd ]; then
        printf 'anna:secret\n' >"$work/$label/htpasswd"
        auth=(--auth-type htpasswd --auth-htpasswd-filename "$work/$label/htpasswd"
              --auth-htpasswd-encryption plain --auth-delay 0)
    fi
    "$python" -m radicale -C "" --server-hosts "127.0.0.1:$port" \
        --storage-filesystem-folder "$work/$label/store" "${auth[@]}" >>"$work/$label/server.log" 2>&1 &
    server_pid=$!
    wait_port "$port" || fail "Radicale did not start"
}

start_xandikos() {
    xandikos -d "$work/$label/store" --defaults -l 127.0.0.1 -p "$port" >>"$work/$label/server.log" 2>&1 &
    server_pid=$!
    wait_port "$port" || fail "Xandikos did not start"
}

stop_server() {
    kill "$server_pid" 2>/dev/null
    wait "$server_pid" 2>/dev/null
    server_pid=
}

# Makes the address book /anna/book/ on Radicale (it must exist before a client uses it).
make_radicale_book() {
    local scheme=${1:-http}
    local body='<?xml version="1.0"?><d:mkcol xmlns:d="DAV:" xmlns:cr="urn:ietf:params:xml:ns:carddav"><d:set><d:prop><d:resourcetype><d:collection/><cr:addressbook/></d:resourcetype></d:prop></d:set></d:mkcol>'
    curl -sk -o /dev/null -u anna:secret -X PROPFIND "$scheme://127.0.0.1:$port/anna/"
    curl -sk -o /dev/null -u anna:secret -X MKCOL -H 'Content-Type: application/xml' --data "$body" \
        "$scheme://127.0.0.1:$port/anna/book/"
}

# t DEVICE ARGS...: runs the tool; sets $out, $err, $status.
t() {
    local dev=$1
    shift
    out=$("$cli" --root "$work/$label/$dev" "$@" 2>"$work/err")
    status=$?
    err=$(cat "$work/err")
}

ok() {
    t "$@"
    [ "$status" -eq 0 ] || fail "$* exited $status: $err"
}

sync_ok() {
    ok "$1" sync
    [[ "$out" =~ ^sent\ [0-9]+,\ received\ [0-9]+,\ deleted\ [0-9]+\ here,\ [0-9]+\ there,\ [0-9]+\ conflicts$ ]] ||
        fail "sync on $1 printed: $out"
}

# The device's contacts as sorted "name|phones|e-mails" lines, one per contact.
contents() {
    local dev=$1 oid
    "$cli" --root "$work/$label/$dev" export 2>/dev/null | tr -d '\r' |
        awk '/^BEGIN:VCARD/{fn="";tel="";mail=""} /^FN:/{fn=substr($0,4)} /TEL[;:]/{sub(/.*:/,"");tel=tel" "$0}
             /EMAIL[;:]/{sub(/.*:/,"");mail=mail" "$0} /^END:VCARD/{print fn"|"tel"|"mail}' | sort
}

# The UIDs of the cards on the server's disk that occur more than once.
twice_on_server() { cat "$store_dir"/*.vcf 2>/dev/null | tr -d '\r' | grep '^UID:' | sort | uniq -d; }

same_devices() {
    local a b
    a=$(contents A)
    b=$(contents B)
    [ "$a" = "$b" ] || fail "$1: the devices differ:"$'\n'"A: $a"$'\n'"B: $b"
    [ -z "$(twice_on_server)" ] || fail "$1: a UID is twice on the server: $(twice_on_server)"
}

new_devices() {
    ok A init
    ok B init
    echo secret >"$work/$label/password"
    t A account add home "$1" --user anna --password-file "$work/$label/password"
    [ "$status" -eq 0 ] || fail "account add: $err"
    book=$out
    t B account add home "$book" --user anna --password-file "$work/$label/password"
    [ "$status" -eq 0 ] || fail "account add on B: $err"
}

# The scenarios every server goes through.
scenarios() {
    # First sync each way, with one person on both devices before either synced: matched, not doubled.
    ok A add first=Anna last=Smith mobile=+15551234567 email=anna@example.org
    anna_a=$out
    ok A add first=Bob last=Jones work-phone=+15550000001
    ok B add first=Smith last=Anna home-phone=+15551234567 note=met
    sync_ok A
    sync_ok B
    sync_ok A
    same_devices "first syncs"
    [ "$(contents A | wc -l)" -eq 2 ] || fail "Anna was doubled: $(contents A)"

    # Nothing changed: nothing sent or received.
    sync_ok A
    [ "$out" = "sent 0, received 0, deleted 0 here, 0 there, 0 conflicts" ] || fail "idle sync: $out"

    # A change on each side, a delete on each side.
    ok B add first=Carl last=Diaz email=carl@example.org
    sync_ok B
    sync_ok A
    carl_a=$(t A search Carl; echo "$out" | cut -f1)
    ok A update "$anna_a" email:Work=anna@work.example
    ok A delete "$carl_a"
    sync_ok A
    [[ "$out" == *"1 there"* ]] || fail "the delete did not reach the server: $out"
    sync_ok B
    [[ "$out" == *"deleted 1 here"* ]] || fail "the delete did not reach B: $out"
    same_devices "changes and deletes"

    # A conflict: both change Bob's company; the server's value wins and A keeps a record.
    bob_a=$(t A search Bob; echo "$out" | cut -f1)
    bob_b=$(t B search Bob; echo "$out" | cut -f1)
    ok A update "$bob_a" company=Alpha email=bob@a.example
    ok B update "$bob_b" company=Beta mobile=+15550000002
    sync_ok B
    sync_ok A
    [[ "$out" == *"1 conflicts"* ]] || fail "no conflict counted: $out"
    sync_ok B
    same_devices "conflict"
    t A show "$bob_a"
    [[ "$out" == *Beta* && "$out" == *bob@a.example* && "$out" == *+15550000002* ]] ||
        fail "the merge lost a value: $out"
    t A sync --conflicts
    [[ "$out" == *Alpha*Beta* ]] || fail "sync --conflicts: $out"

    # Edit here against delete there: the edited contact stays.
    ok B delete "$bob_b"
    ok A update "$bob_a" note=keep
    sync_ok B
    sync_ok A
    sync_ok B
    [[ "$(contents B)" == *Bob* ]] || fail "the edited Bob was lost"
    same_devices "edit against delete"
}

# The server dies in the middle of a first upload; the next sync completes it without doubles.
killed_mid_sync() {
    for i in $(seq 60); do
        printf 'BEGIN:VCARD\r\nVERSION:3.0\r\nN:Card;Mass%s;;;\r\nTEL;TYPE=CELL:+1666000%s\r\nEND:VCARD\r\n' "$i" "$i"
    done >"$work/$label/mass.vcf"
    ok A import "$work/$label/mass.vcf"
    "$cli" --root "$work/$label/A" sync >/dev/null 2>&1 &
    local sync_pid=$!
    sleep 0.7
    stop_server
    wait "$sync_pid"
    start_radicale none
    sync_ok A
    sync_ok B
    sync_ok A
    same_devices "server killed"
}

# The tool killed with SIGKILL at moments of a sync of new and changed contacts, again and again:
# the sync that finally runs to its end leaves both devices equal and no card twice.
client_killed() {
    for i in $(seq 30); do
        printf 'BEGIN:VCARD\r\nVERSION:3.0\r\nN:Kill;K%s;;;\r\nEMAIL:k%s@example.org\r\nEND:VCARD\r\n' "$i" "$i"
    done >"$work/$label/kill.vcf"
    ok B import "$work/$label/kill.vcf"
    for delay in 0.3 0.9 1.4; do
        "$cli" --root "$work/$label/B" sync >/dev/null 2>&1 &
        local sync_pid=$!
        sleep "$delay"
        kill -9 "$sync_pid" 2>/dev/null
        wait "$sync_pid" 2>/dev/null
        ok A update "$(t A list; echo "$out" | head -1 | cut -f1)" note="killed $delay"
        sync_ok A
    done
    sync_ok B
    sync_ok A
    sync_ok B
    same_devices "client killed"
}

# Random edits on both devices, syncs between, until both hold the same and no UID is twice.
random_round() {
    RANDOM=26
    for round in $(seq 5); do
        for dev in A B; do
            local oids
            oids=$("$cli" --root "$work/$label/$dev" list 2>/dev/null | cut -f1)
            local pick
            pick=$(echo "$oids" | shuf -n1 --random-source=<(yes $round))
            case $((RANDOM % 4)) in
            0) ok "$dev" add first=R$round$dev last=Rand mobile=+1777$round$RANDOM ;;
            1) [ -n "$pick" ] && ok "$dev" update "$pick" note="n$round$dev" ;;
            2) [ -n "$pick" ] && ok "$dev" update "$pick" email:Other="r$round@$dev.example" ;;
            3) [ -n "$pick" ] && ok "$dev" delete "$pick" ;;
            esac
            [ $((RANDOM % 2)) -eq 0 ] && sync_ok "$dev"
        done
    done
    sync_ok A
    sync_ok B
    sync_ok A
    same_devices "random round"
}

# --- Radicale without authentication ---------------------------------------------------------
label=radicale
mkdir -p "$work/$label"
port=$(free_port)
start_radicale none
make_radicale_book
store_dir=$work/$label/store/collection-root/anna/book
new_devices "http://127.0.0.1:$port/anna/"
[ "$book" = "http://127.0.0.1:$port/anna/book/" ] || fail "discovery found $book"
scenarios
killed_mid_sync
client_killed
random_round

# A refused token: the next sync lists everything again and deletes nothing here.
count_before=$(contents A | wc -l)
sed -i "s/^token\t.*/token\thttp:\/\/radicale.org\/ns\/sync\/0000/" "$work/$label/A/Application Data/Brevane/Accounts/home.state"
sync_ok A
[ "$(contents A | wc -l)" -eq "$count_before" ] || fail "a refused token lost contacts"
same_devices "refused token"
stop_server

# --- Radicale with basic authentication -------------------------------------------------------
label=radicale-auth
mkdir -p "$work/$label"
port=$(free_port)
start_radicale htpasswd
make_radicale_book
store_dir=$work/$label/store/collection-root/anna/book
echo wrong >"$work/$label/wrong"
ok A init
t A account add home "http://127.0.0.1:$port/" --user anna --password-file "$work/$label/wrong"
[ "$status" -eq 1 ] && [[ "$err" == *"refused the user name or password"* ]] || fail "a wrong password: $status $err"
rm -rf "$work/$label/A"
new_devices "http://127.0.0.1:$port/"
[ "$book" = "http://127.0.0.1:$port/anna/book/" ] || fail "discovery through the principal found $book"
ok A add first=Anna last=Smith mobile=+15551234567
sync_ok A
sync_ok B
[ "$out" = "sent 0, received 1, deleted 0 here, 0 there, 0 conflicts" ] || fail "first sync into B: $out"
same_devices "with authentication"
stop_server

# --- Radicale over TLS with a self-signed certificate -----------------------------------------
label=radicale-tls
mkdir -p "$work/$label"
port=$(free_port)
openssl req -x509 -newkey rsa:2048 -nodes -keyout "$work/$label/key.pem" -out "$work/$label/cert.pem" -days 2 \
    -subj /CN=127.0.0.1 -addext subjectAltName=IP:127.0.0.1 2>/dev/null || fail "openssl made no certificate"
start_radicale tls
make_radicale_book https
ok A init
echo secret >"$work/$label/password"
t A account add home "https://127.0.0.1:$port/anna/" --user anna --password-file "$work/$label/password"
[ "$status" -eq 1 ] && [[ "$err" == *"certificate is not trusted"* ]] || fail "an unknown certificate: $status $err"
t A account add home "https://127.0.0.1:$port/anna/" --user anna --password-file "$work/$label/password" \
    --ca-file "$work/$label/cert.pem"
[ "$status" -eq 0 ] && [ "$out" = "https://127.0.0.1:$port/anna/book/" ] || fail "with --ca-file: $status $out $err"
ok A add first=Tls last=Person
sync_ok A
[ "$out" = "sent 1, received 0, deleted 0 here, 0 there, 0 conflicts" ] || fail "sync over TLS: $out"
stop_server

# --- Xandikos --------------------------------------------------------------------------------
label=xandikos
mkdir -p "$work/$label"
port=$(free_port)
start_xandikos
store_dir=$work/$label/store/user/contacts/addressbook
new_devices "http://127.0.0.1:$port/"
[ "$book" = "http://127.0.0.1:$port/user/contacts/addressbook/" ] || fail "discovery found $book"
scenarios
stop_server

[ "$failures" -eq 0 ] && echo "sync end to end: all passed"
exit $((failures > 0))
