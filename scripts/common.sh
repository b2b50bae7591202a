# Shared by scripts/demo, scripts/test, scripts/bench and scripts/medium:
# installs what this machine lacks, builds both presets, prepares a
# project-local Wine prefix and puts the CD image into its drive D:.
# Source it from the project root.

ROOT=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
BUILD="$ROOT/build"
export WINEPREFIX="$BUILD/wineprefix"
export WINEARCH=win32
export WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree,mshtml="

log() { printf '\033[1m== %s\033[0m\n' "$*"; }

# Installs the cross compiler, Wine (32-bit), Xvfb and the native tools.
ensure_packages() {
    local need=()
    command -v i686-w64-mingw32-g++-posix >/dev/null || need+=(g++-mingw-w64-i686)
    command -v wine >/dev/null && dpkg -s wine32:i386 >/dev/null 2>&1 || need+=(wine wine32:i386)
    command -v Xvfb >/dev/null || need+=(xvfb)
    command -v xauth >/dev/null || need+=(xauth)
    command -v cmake >/dev/null || need+=(cmake)
    command -v ninja >/dev/null || need+=(ninja-build)
    command -v g++ >/dev/null || need+=(g++)
    command -v clang++ >/dev/null || need+=(clang)
    command -v python3 >/dev/null || need+=(python3)
    [ -d /usr/src/googletest ] || need+=(googletest)
    [ -n "$(ls /usr/lib/llvm-*/lib/clang/*/lib/linux/libclang_rt.fuzzer-x86_64.a 2>/dev/null)" ] ||
        need+=(libclang-rt-14-dev)
    apt_install "${need[@]}"
}

# Installs those of the named Debian packages that are missing.
ensure_debs() {
    local need=() pkg
    for pkg; do dpkg -s "$pkg" >/dev/null 2>&1 || need+=("$pkg"); done
    apt_install "${need[@]}"
}

apt_install() {
    [ $# -eq 0 ] && return 0
    log "installing: $*"
    if [ "$(id -u)" != 0 ]; then echo "run as root to install packages" >&2; return 1; fi
    dpkg --print-foreign-architectures | grep -qx i386 || dpkg --add-architecture i386
    export DEBIAN_FRONTEND=noninteractive
    apt-get update -qq
    apt-get install -y -qq --no-install-recommends "$@" >/dev/null
}

build_preset() {
    local preset=$1
    cmake --preset "$preset" >/dev/null
    cmake --build --preset "$preset" -j2
}

# A fresh 32-bit Wine prefix under build/, never the user's own ~/.wine.
ensure_prefix() {
    if [ ! -f "$WINEPREFIX/system.reg" ]; then
        log "creating Wine prefix $WINEPREFIX"
        mkdir -p "$WINEPREFIX"
        wineboot -i >/dev/null 2>&1 || true
        wineserver -w
    fi
}

# Maps drive letter $1 of the prefix to the host directory $2.
map_drive() {
    mkdir -p "$2"
    ln -sfn "$(cd "$2" && pwd)" "$WINEPREFIX/dosdevices/${1,,}:"
}

# The readme ships as the medium's programs expect it: Windows-1252, CR LF.
write_readme() {
    python3 - "$ROOT/demo/readme-de.txt" "$1" <<'EOF'
import sys
text = open(sys.argv[1], encoding="utf-8").read()
open(sys.argv[2], "wb").write(text.replace("\n", "\r\n").encode("cp1252"))
EOF
}

# Puts the image $1 into the prefix's CD drive D:, extracted into directory
# $2 (the kernel here mounts no ISO 9660) and made immutable as a CD is.
# Where the file system refuses that, the drive stays writable.
insert_cd() {
    eject_cd "$2"
    mkdir -p "$2"
    xorriso -no_rc -report_about SORRY -osirrox on -indev "$1" -extract / "$2" 2>/dev/null || return 1
    map_drive D "$2"
    wine reg add 'HKLM\Software\Wine\Drives' /v d: /d cdrom /f >/dev/null
    # The drive type is read when Wine's services start.
    wineserver -k 2>/dev/null || true
    chattr -R +i "$2" 2>/dev/null || log "chattr +i refused in $2: drive D: stays writable"
}

# Lifts the immutability of the CD directory $1 and removes it.
eject_cd() {
    [ -d "$1" ] || return 0
    chattr -R -i "$1" 2>/dev/null || true
    rm -rf "$1"
}

# The files under directory $1 with their SHA-256, sorted by name.
list_medium() {
    (cd "$1" && find . -type f -print0 | LC_ALL=C sort -z | xargs -0 sha256sum)
}

# Runs "$@" with a virtual display when there is none.
with_display() {
    if [ -n "${DISPLAY:-}" ] && [ "${FORCE_XVFB:-0}" != 1 ]; then
        "$@"
    else
        xvfb-run -a -s "-screen 0 1024x768x24" "$@"
    fi
}
