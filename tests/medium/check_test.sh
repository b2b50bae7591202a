#!/usr/bin/env bash
# The check before mastering: each row breaks a good content folder in one
# way, and scripts/medium (or the check alone, for a row that names another
# installation folder) must refuse it with that row's one message and write
# nothing. Then one content folder with awkward names masters.
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
# A stand-in launcher and rulebook (the installer's plug-in calls, doing
# nothing), so that content the check lets through masters at once into the
# test's own folder.
mkdir "$work/win"
echo 'int main(void) { return 0; }' | i686-w64-mingw32-gcc -x c - -o "$work/win/start.exe"
sed -n 's/^PLUGIN(\([A-Za-z]*\)).*/__declspec(dllexport) void \1(void) {}/p' "$root/src/rulebook/plugin.cpp" |
    i686-w64-mingw32-gcc -shared -x c - -o "$work/win/rulebook.dll"
export LAUNCHER_ARCH=x86 DEMO_BUILD_DIR=$work/win MEDIUM_OUT=$work/out
failed=0
fail() { echo "FAIL $*"; failed=1; }

"$MEDIUM_CHECK" "$good" 'C:\Program Files (x86)\Kora Manager DEMO' || fail "good folder refused"

long=game/$(printf 'd%.0s' {1..60})/$(printf 'e%.0s' {1..59})
# Row: how the folder is broken | the message expected | installation folder
# | the output folder, when not $work/out.
rows=(
    "truncate -s -1 loading.bmp|/loading.bmp: the launcher refuses this picture"
    "truncate -s 1048577 Readme.txt|/Readme.txt: 1048577 bytes: the launcher shows no readme over"
    "rm game/kora.exe|/game/kora.exe: missing"
    "touch 'game/save?.dat'|/game/save?.dat: name holds a character Joliet or Windows does not allow"
    "touch game/$(printf 'x%.0s' {1..65})|x: name longer than the 64 characters Joliet holds"
    "ln -s /etc/hostname game/notes.txt|/game/notes.txt: a link"
    "mkdir -p game/x && ln -s /etc game/x/data|/game/x/data: a link"
    "rm loading.bmp && ln -s gone.bmp loading.bmp|/loading.bmp: a link"
    "mkfifo game/pipe|/game/pipe: neither a plain file nor a folder"
    "touch game/Data.txt game/data.txt|/game/data.txt: the same name on Windows as Data.txt"
    "touch game/ｘ.txt|/game/ｘ.txt: name holds a character Windows-1252 cannot hold"
    "touch 'game/nul .txt'|/game/nul .txt: name is a device's"
    "touch game/COM³.txt|/game/COM³.txt: name is a device's"
    "touch game/lpt¹.exe|/game/lpt¹.exe: name is a device's"
    "touch game/KÄSE.txt game/käse.txt|/game/käse.txt: the same name on Windows as KÄSE.txt"
    "touch game/$(printf '\302\200').txt|.txt: name holds a character Windows-1252 cannot hold"
    "touch 'game/setsound.exe '|/game/setsound.exe : name ends in a dot or a blank"
    "touch game/AUX.txt|/game/AUX.txt: name is a device's"
    "touch game/Uninst.exe|/game/Uninst.exe: the installer writes its own uninst.exe"
    "touch game/INSTALL.LOG|/game/INSTALL.LOG: the installer writes its own install.log"
    "touch 'game/kora manager long.txt' game/KORAMA~1.TXT|/game/KORAMA~1.TXT: name shaped like a short (8.3) name"
    "mkdir -p $long && touch $long/$(printf 'f%.0s' {1..11}) $long/$(printf 'g%.0s' {1..12})|$(printf 'g%.0s' {1..12}): path of 133 characters below the installation folder: below the longest folder the launcher accepts (127 characters with its backslash) it would be over the 259"
    "mkdir -p $long/h|/h: path of 122 characters below the installation folder: below the longest folder the launcher accepts (127 characters with its backslash) it would be over the 247"
    "truncate -s 2G game/big.dat|/game/big.dat: 2147483648 bytes: the installer holds no file over 2147483647 bytes"
    "true|/content/game/out: the output folder lies inside the content folder||$work/content/game/out"
    "true|$work: the content folder lies inside the output folder||$work"
    "touch game/drivers|/game/drivers: not a folder: the installer makes its folder drivers"
    "true|C:\\Kora.: the launcher's path rules refuse|C:\\Kora."
    "true|the launcher would cut this uninstall command|C:\\Games -fx\\Kora"
    "true|C:\\Games\\COM1\\Kora: a segment names a device|C:\\Games\\COM1\\Kora"
)
for row in "${rows[@]}"; do
    IFS='|' read -r breaking expected install out <<<"$row"
    content=$work/content
    rm -rf "$content" && cp -r "$good" "$content"
    (cd "$content" && eval "$breaking")
    rm -rf "$work/out"
    if [ -n "$install" ]; then
        output=$("$MEDIUM_CHECK" "$content" "$install" 2>&1)
    else
        output=$(MEDIUM_OUT=${out:-$work/out} timeout 60 "$root/scripts/medium" --content "$content" 2>&1)
    fi
    status=$?
    [ "$status" != 0 ] || fail "$breaking: accepted"
    [ "$(wc -l <<<"$output")" = 1 ] && [[ $output == *"$expected"* ]] ||
        fail "$breaking: said '$output', not '$expected' alone"
    [ ! -e "$work/out" ] && [ ! -e "${out:-$work/out}/signer.pem" ] || fail "$breaking: wrote $work/out"
done

# Names NSIS would read as its own syntax and a non-ASCII one master, from a
# folder with a blank, a quote and a define named relative to the caller's
# folder, under a locale that cannot read them.
named="$work/c p\"\${X}"
cp -r "$good" "$named"
mkdir "$named/game/\$zz \${PRODUCT}"
touch "$named/game/cost\$5 \${X}.txt" "$named/game/Käse €.txt" "$named/game/\$zz \${PRODUCT}/\$1"
# The launcher shows a readme of exactly 1 MiB in full.
truncate -s 1048576 "$named/Readme.txt"
# A folder the installer makes too may come with the game.
mkdir "$named/game/save" && touch "$named/game/save/start.sav"
# More names than one string of the installer holds: a string over its 1024
# characters is cut when the installer runs, and a cut log line names
# another file.
mkdir "$named/game/maps"
for i in {1..40}; do touch "$named/game/maps/map $i of the demo's campaign.dat"; done
python3 "$root/tools/game_files.py" "$named/game" "$work/list.nsh"
awk 'length > 1024 { exit 1 }' "$work/list.nsh" || fail "a string of the installer's list is over 1024 characters"
# What the output folder held besides the image stays.
mkdir -p "$work/out/stage" && touch "$work/out/stage/mine"
(cd "$work" && LC_ALL=C "$root/scripts/medium" --content "c p\"\${X}" >"$work/master.log" 2>&1) &&
    [ -s "$work/out/kora-demo.iso" ] || fail "awkward names not mastered: $(tail -3 "$work/master.log")"
[ -e "$work/out/stage/mine" ] || fail "mastering removed what its output folder held"
# Under a locale that reads them, the same content gives the same bytes.
MEDIUM_OUT=$work/out-utf8 LC_ALL=C.UTF-8 "$root/scripts/medium" --content "$named" >"$work/master-utf8.log" 2>&1 &&
    cmp "$work/out/kora-demo.iso" "$work/out-utf8/kora-demo.iso" || fail "C and C.UTF-8 master other bytes"

# A signature that does not verify, now or at the source date, or not for
# code signing, stops the run with the reason; the last good image and its
# signer.pem stay as they were.
before=$(cat "$work/out/signer.pem" "$work/out/kora-demo.iso" | sha256sum)
export KORA_SIGN_PASSWORD=test SOURCE_DATE_EPOCH=915148800 # 1999-01-01
for key in "19900101000000Z 20000101000000Z codeSigning|: certificate has expired" \
    "19800102000000Z 20990101000000Z serverAuth|Unsupported Signer's certificate purpose" \
    "19990601000000Z 20990101000000Z codeSigning|1999-01-01: certificate is not yet valid"; do
    IFS='|' read -r dates expected <<<"$key"
    "$root/scripts/signing-certificate" "$work/key.pfx" $dates
    KORA_SIGN_PFX=$work/key.pfx "$root/scripts/medium" --content "$good" >"$work/signing.log" 2>&1 &&
        fail "signed with $dates"
    grep -q "start.exe: its signature does not verify against signer.pem at .*$expected" \
        "$work/signing.log" || fail "signed with $dates: $(tail -1 "$work/signing.log")"
done
[ "$(cat "$work/out/signer.pem" "$work/out/kora-demo.iso" | sha256sum)" = "$before" ] ||
    fail "a failed signing changed the output folder"
exit $failed
