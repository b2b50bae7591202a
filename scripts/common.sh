# Shared by scripts/demo, scripts/test, scripts/bench and scripts/medium:
# installs what this machine lacks, builds the presets, chooses the build
# the Wine lanes run, prepares a project-local Wine prefix and puts the CD
# image into its drive D:. Source it from the project root.

ROOT=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
BUILD="$ROOT/build"
export WINEPREFIX="$BUILD/wineprefix"
export WINEARCH=win32
export WINEDEBUG=-all
# winemenubuilder would copy the Start-menu shortcuts an installer makes
# into the Linux menus.
export WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d"

log() { printf '\033[1m== %s\033[0m\n' "$*"; }

# Whether this machine runs 32-bit x86 programs, found out by running one: a
# 96-byte static ELF program that only exits with code 42. Kernels built
# without 32-bit support refuse it ("Exec format error"), and so Wine's
# 32-bit side.
runs_x86_programs() {
    local probe
    mkdir -p "$BUILD" && probe=$(mktemp -p "$BUILD") || return 1
    printf '%b' '\x7fELF\x01\x01\x01\0\0\0\0\0\0\0\0\0\x02\0\x03\0\x01\0\0\0' \
        '\x54\x80\x04\x08\x34\0\0\0\0\0\0\0\0\0\0\0\x34\0\x20\0\x01\0\0\0\0\0\0\0' \
        '\x01\0\0\0\0\0\0\0\0\x80\x04\x08\0\x80\x04\x08\x60\0\0\0\x60\0\0\0' \
        '\x05\0\0\0\0\x10\0\0' \
        '\xb8\x01\0\0\0\xbb\x2a\0\0\0\xcd\x80' >"$probe"
    chmod +x "$probe"
    "$probe" 2>/dev/null
    local status=$?
    rm -f "$probe"
    [ "$status" = 42 ]
}

# Whether 32-bit x86 programs run here only through an emulator: an enabled
# binfmt_misc entry for i386 ELF programs (qemu-user's), which the kernel
# asks before its own loader. The probe above then succeeds, but every lane
# would run emulated, many times slower. X86_EMULATION_OK=1 accepts it, for
# trying the 32-bit lanes that way by hand.
x86_only_emulated() {
    local entry
    [ "${X86_EMULATION_OK:-0}" != 1 ] || return 1
    for entry in /proc/sys/fs/binfmt_misc/*; do
        [ -f "$entry" ] && grep -qx enabled "$entry" 2>/dev/null || continue
        grep -q '^magic 7f454c46010101[0-9a-f]\{22\}0300' "$entry" && return 0
    done
    return 1
}

# The one decision of which build the Wine lanes run: the 32-bit one where
# this machine runs 32-bit programs, else the x86-64 one, in 64-bit prefixes
# of their own. LAUNCHER_ARCH=x64 chooses the 64-bit lanes anywhere, and
# LAUNCHER_ARCH=x86 insists on the 32-bit ones. Sets WINE_LANES (x86 or x64)
# and WINE_LANES_WHY, the reason the other kind does not run (empty where
# nothing but the caller's own choice stops it), then what use_wine_lane sets.
choose_wine_lanes() {
    WINE_LANES_WHY="LAUNCHER_ARCH=${LAUNCHER_ARCH:-} chosen"
    case ${LAUNCHER_ARCH:-} in
    x64) WINE_LANES=x64 ;;
    x86)
        runs_x86_programs || {
            echo "LAUNCHER_ARCH=x86, but this machine runs no 32-bit x86 program" \
                "(its kernel refuses them), so neither does Wine's 32-bit side;" \
                "use LAUNCHER_ARCH=x64 or leave it unset" >&2
            return 1
        }
        ! x86_only_emulated || {
            echo "LAUNCHER_ARCH=x86, but this machine runs 32-bit x86 programs only" \
                "through an emulator (binfmt_misc), many times slower; set" \
                "X86_EMULATION_OK=1 to run them that way anyway" >&2
            return 1
        }
        WINE_LANES=x86
        ;;
    "")
        if runs_x86_programs && x86_only_emulated; then
            WINE_LANES=x64 WINE_LANES_WHY="this machine runs 32-bit code only through an emulator"
        elif runs_x86_programs; then
            WINE_LANES=x86 WINE_LANES_WHY=
        else
            WINE_LANES=x64 WINE_LANES_WHY="this machine runs no 32-bit code"
        fi
        ;;
    *)
        echo "LAUNCHER_ARCH is x86 or x64, not '$LAUNCHER_ARCH'" >&2
        return 1
        ;;
    esac
    use_wine_lane "$WINE_LANES"
}

# Sets WIN_PRESET, WIN_BUILD and OBJDUMP, and the Wine prefix, kind and
# loader, for the lanes of kind $1 (x86 or x64).
use_wine_lane() {
    if [ "$1" = x64 ]; then
        WIN_PRESET=windows64 OBJDUMP=x86_64-w64-mingw32-objdump
        export WINEPREFIX="$BUILD/wine64/prefix" WINEARCH=win64
        case :$PATH: in *:"$ROOT/scripts/wine64":*) ;; *) export PATH="$ROOT/scripts/wine64:$PATH" ;; esac
    else
        WIN_PRESET=windows OBJDUMP=i686-w64-mingw32-objdump
        export WINEPREFIX="$BUILD/wineprefix" WINEARCH=win32 PATH=${PATH//"$ROOT/scripts/wine64:"/}
    fi
    WIN_BUILD=$BUILD/$WIN_PRESET
}

# The Windows path of host file $1, on the prefix's drive Z: (the host's /).
dos_path() {
    local path
    path=$(realpath -m "$1")
    printf 'Z:%s' "${path//\//\\}"
}

# One line for the summaries: the build the Wine lanes ran on, as the driver
# found it in the headers of each start.exe it started (LAUNCHER_RAN_LOG).
lanes_ran_on() {
    local machines
    machines=$(tr -d '\r' <"$1" 2>/dev/null | sort -u | tr '\n' ' ')
    case $machines in
    "") echo "Wine lanes ran no start.exe" ;;
    "x86-64 ") echo "Wine lanes ran on the x86-64 build (start.exe PE32+, build/windows64)" ;;
    "x86 ") echo "Wine lanes ran on the 32-bit build (start.exe PE32, build/windows)" ;;
    *) echo "Wine lanes ran start.exe of these machines: $machines" ;;
    esac
}

# The line for the 32-bit programs the lanes did not run, with the reason;
# $1 says what became of them instead.
not_run_on_x64() {
    [ "$WINE_LANES" = x64 ] || return 0
    echo "not run ($WINE_LANES_WHY): the 32-bit start.exe and setup.exe; $1"
}

# Adds to `need` what the native preset lacks: its compilers, CMake,
# GoogleTest and the fuzzer runtime.
native_packages_needed() {
    command -v cmake >/dev/null || need+=(cmake)
    command -v ninja >/dev/null || need+=(ninja-build)
    command -v g++ >/dev/null || need+=(g++)
    command -v clang++ >/dev/null || need+=(clang)
    command -v python3 >/dev/null || need+=(python3)
    [ -d /usr/src/googletest ] || need+=(googletest)
    [ -n "$(ls /usr/lib/llvm-*/lib/clang/*/lib/linux/libclang_rt.fuzzer-x86_64.a 2>/dev/null)" ] ||
        need+=(libclang-rt-14-dev)
}

# Installs the native preset's tools alone: what tools/medium_check needs.
ensure_native_packages() {
    local need=()
    native_packages_needed
    apt_install "${need[@]}"
}

# Installs the cross compiler, Wine (32-bit), Xvfb, the native tools and
# the mastering tools.
ensure_packages() {
    local need=()
    command -v i686-w64-mingw32-g++-posix >/dev/null || need+=(g++-mingw-w64-i686)
    command -v x86_64-w64-mingw32-g++-posix >/dev/null || need+=(g++-mingw-w64-x86-64)
    # wine32 installs where it cannot run, and runs where it can.
    command -v wine >/dev/null && dpkg -s wine32:i386 >/dev/null 2>&1 || need+=(wine wine32:i386)
    [ -x /usr/lib/wine/wine64 ] || need+=(wine64)
    command -v Xvfb >/dev/null || need+=(xvfb)
    command -v xauth >/dev/null || need+=(xauth)
    native_packages_needed
    # scripts/medium's, which its tests use too.
    command -v makensis >/dev/null || need+=(nsis)
    command -v xorriso >/dev/null || need+=(xorriso)
    command -v osslsigncode >/dev/null || need+=(osslsigncode)
    command -v openssl >/dev/null || need+=(openssl)
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

# A fresh Wine prefix under build/ (WINEARCH says 32 or 64 bits), never the
# user's own ~/.wine. Fails unless the prefix is there and usable.
ensure_prefix() {
    if [ ! -f "$WINEPREFIX/system.reg" ]; then
        log "creating Wine prefix $WINEPREFIX"
        mkdir -p "$WINEPREFIX"
        # Its exit status says little; whether the prefix works is checked below.
        wineboot -i >/dev/null 2>&1
        wineserver -w
    fi
    prefix_usable
}

# A prefix counts as usable when its registry is there and a program run in
# it answers.
prefix_usable() {
    [ -f "$WINEPREFIX/system.reg" ] || { echo "Wine prefix $WINEPREFIX has no registry" >&2; return 1; }
    local answer
    answer=$(wine cmd /c echo usable 2>/dev/null | tr -d '\r')
    [ "$answer" = usable ] || { echo "Wine prefix $WINEPREFIX runs no program" >&2; return 1; }
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
