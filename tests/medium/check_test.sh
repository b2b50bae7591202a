#!/usr/bin/env bash
# The check before mastering: each row breaks a good content folder in one
# way, and scripts/medium must refuse it with that row's one message and
# write nothing.
#   check_test.sh <medium_check program>
set -u
root=$(cd "$(dirname "$0")/../.." && pwd)
export MEDIUM_CHECK=${1:?usage: $0 <medium_check program>}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

good=$work/good
mkdir -p "$good/game"
printf 'MZ' >"$good/game/kora.exe"
printf 'Liesmich\r\n' >"$good/Readme.txt"
python3 "$root/tools/make_splash.py" "$good/loading.bmp" 478 361
failed=0
fail() { echo "FAIL $*"; failed=1; }

"$MEDIUM_CHECK" "$good" 'C:\Program Files (x86)\Kora Manager DEMO' || fail "good folder refused"

# Row: how the folder is broken | the message expected.
rows=(
    "truncate -s -1 loading.bmp|/loading.bmp: the launcher refuses this picture"
    "truncate -s 1048577 Readme.txt|/Readme.txt: 1048577 bytes: the launcher shows no readme over 1 MiB"
    "rm game/kora.exe|/game/kora.exe: missing"
    "touch 'game/save?.dat'|/game/save?.dat: name holds a character Joliet or Windows does not allow"
    "touch game/$(printf 'x%.0s' {1..65})|x: name longer than the 64 characters Joliet holds"
)
marker=$work/marker
for row in "${rows[@]}"; do
    breaking=${row%%|*} expected=${row#*|}
    content=$work/content
    rm -rf "$content" && cp -r "$good" "$content"
    (cd "$content" && eval "$breaking")
    touch "$marker"
    output=$("$root/scripts/medium" --content "$content" 2>&1)
    status=$?
    written=$(find "$root/build/medium" "$root/build/medium64" -newer "$marker" 2>/dev/null)
    [ "$status" != 0 ] || fail "$breaking: accepted"
    [ "$(wc -l <<<"$output")" = 1 ] && [[ $output == *"$expected"* ]] ||
        fail "$breaking: said '$output', not '$expected' alone"
    [ -z "$written" ] || fail "$breaking: wrote $written"
done
exit $failed
