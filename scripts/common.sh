# Shared by scripts/demo, scripts/test and scripts/bench: installs what this
# machine lacks, builds both presets and prepares a project-local Wine prefix.
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
    [ ${#need[@]} -eq 0 ] && return 0
    log "installing: ${need[*]}"
    if [ "$(id -u)" != 0 ]; then echo "run as root to install packages" >&2; return 1; fi
    dpkg --print-foreign-architectures | grep -qx i386 || dpkg --add-architecture i386
    export DEBIAN_FRONTEND=noninteractive
    apt-get update -qq
    apt-get install -y -qq --no-install-recommends "${need[@]}" >/dev/null
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
    ln -sfn "$2" "$WINEPREFIX/dosdevices/${1,,}:"
}

# Runs "$@" with a virtual display when there is none.
with_display() {
    if [ -n "${DISPLAY:-}" ] && [ "${FORCE_XVFB:-0}" != 1 ]; then
        "$@"
    else
        xvfb-run -a -s "-screen 0 1024x768x24" "$@"
    fi
}
