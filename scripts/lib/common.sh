# shellcheck shell=bash
# Shared by scripts/run and scripts/test: messages, package installs, builds.
# Sourced, not run; the caller sets -euo pipefail.

QUENDA_ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)"

say() { printf '==> %s\n' "$*"; }

# wait_until SECONDS COMMAND [ARGUMENTS...]: runs the command every tenth of a
# second until it succeeds (status 0) or SECONDS have passed (status 1). The
# one way scripts and tests wait: a deadline, never a fixed sleep.
wait_until() {
    local deadline=$((SECONDS + $1))
    shift
    until "$@"; do
        ((SECONDS < deadline)) || return 1
        sleep 0.1
    done
}

# Status 0 once process $1 has ended (or none was named).
process_ended() { ! kill -0 "$1" 2>/dev/null; }

die() {
    printf 'error: %s\n' "$*" >&2
    exit 1
}

# What a fresh Debian 12 needs to build, test and run the program. The X
# libraries are the ones Wine draws through when present; without them its
# windows look different from a developer's. The 32-bit ones are added where
# some route runs 32-bit programs (see scripts/lib/wine32.sh).
QUENDA_PACKAGES=(
    cmake ninja-build g++ libgtest-dev clang-format clang-tidy nsis
    g++-mingw-w64-i686-win32 g++-mingw-w64-x86-64-win32
    wine wine64 fonts-wine xvfb imagemagick fonts-dejavu-core
    libxrender1 libxrandr2 libxi6 libxcursor1 libxinerama1 libxcomposite1
)

# A 93-byte i386 program that only exits 0: the cheapest honest test of
# whether this kernel runs 32-bit programs (some kernels refuse them with
# "Exec format error" though the CPU could).
kernel_runs_32bit() {
    local parts=(
        '\177ELF\1\1\1\0\0\0\0\0\0\0\0\0'      # 32-bit, little-endian
        '\2\0\3\0\1\0\0\0'                         # executable, i386
        '\124\200\4\10\64\0\0\0\0\0\0\0'             # entry point, program header at 52
        '\0\0\0\0\64\0\40\0\1\0\0\0\0\0\0\0'         # one program header, no sections
        '\1\0\0\0\0\0\0\0\0\200\4\10\0\200\4\10'     # load the file at 0x8048000
        '\135\0\0\0\135\0\0\0\5\0\0\0\0\20\0\0'      # 93 bytes, read and execute
        '\270\1\0\0\0\61\333\315\200'                # exit(0)
    )
    local probe status=0
    probe="$(mktemp)"
    # shellcheck disable=SC2059 # the format is the program's bytes
    printf "$(printf '%s' "${parts[@]}")" >"$probe"
    chmod +x "$probe"
    "$probe" 2>/dev/null || status=$?
    rm -f "$probe"
    return "$status"
}

# The packages 32-bit Wine needs, with the i386 X libraries it draws through
# when present (without them its windows look different from the 64-bit ones).
X86_PACKAGES=(
    wine32:i386
    libxrender1:i386 libxrandr2:i386 libxi6:i386 libxcursor1:i386 libxinerama1:i386
    libxcomposite1:i386
)

# True where 32-bit programs could run, natively or through qemu-i386, so that
# their packages are worth installing: cheap, nothing is downloaded.
x86_route_possible() {
    case "${QUENDA_32BIT:-}" in
        none) return 1 ;;
        native | qemu) return 0 ;;
    esac
    kernel_runs_32bit || x86_namespace_allowed
}

# A user namespace with its own binfmt_misc can be made here.
x86_namespace_allowed() {
    unshare --user --map-root-user --mount --fork \
        sh -c 'mount -t binfmt_misc binfmt_misc /proc/sys/fs/binfmt_misc' 2>/dev/null
}

# A name without an architecture means the machine's own: once the i386 copy
# of a library is installed too, the bare name would match both. Packages for
# every architecture answer only to the bare name.
package_installed() {
    local status
    if [[ "$1" == *:* ]] ||
        ! status="$(dpkg-query -W -f='${db:Status-Status}' "$1:$(dpkg --print-architecture)" 2>/dev/null)"; then
        status="$(dpkg-query -W -f='${db:Status-Status}' "$1" 2>/dev/null)"
    fi
    [[ "$status" == installed ]]
}

as_root() {
    if [[ $EUID -eq 0 ]]; then
        "$@"
    elif command -v sudo >/dev/null; then
        sudo "$@"
    else
        die "not root and no sudo: install these packages first: ${missing[*]}"
    fi
}

# Installs through apt only what is missing, so a ready machine costs a few
# dpkg-query calls and no network.
ensure_packages() {
    local wanted=("${QUENDA_PACKAGES[@]}") missing=() package
    if x86_route_possible; then
        wanted+=("${X86_PACKAGES[@]}")
    fi
    for package in "${wanted[@]}"; do
        package_installed "$package" || missing+=("$package")
    done
    if [[ ${#missing[@]} -eq 0 ]]; then
        say "Packages: all present"
        return 0
    fi
    say "Installing missing packages: ${missing[*]}"
    if [[ " ${missing[*]} " == *":i386 "* ]] && ! dpkg --print-foreign-architectures | grep -qx i386; then
        as_root dpkg --add-architecture i386
    fi
    as_root env DEBIAN_FRONTEND=noninteractive apt-get update -q
    as_root env DEBIAN_FRONTEND=noninteractive apt-get install -y -q --no-install-recommends \
        "${missing[@]}"
}

# Configures (once) and builds one CMake preset.
build_preset() {
    local preset="$1" started=$SECONDS
    say "Building preset $preset"
    (
        cd "$QUENDA_ROOT" || exit
        if [[ ! -f "build/$preset/build.ninja" ]]; then
            cmake --preset "$preset" >/dev/null
        fi
        cmake --build --preset "$preset"
    )
    say "Built preset $preset in $((SECONDS - started)) s"
}
