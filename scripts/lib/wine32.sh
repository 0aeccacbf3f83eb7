# shellcheck shell=bash
# Where and how dist/quenda.exe, the 32-bit program, runs under Wine. Sourced
# after common.sh and wine_env.sh by the scripts that run it.
#
# 32-bit Wine is itself a 32-bit Linux program. Where the kernel runs those,
# it simply runs ("native"). Where the kernel refuses them but lets a user
# make a namespace with its own binfmt_misc (Linux 6.7 and later), qemu-i386
# runs them instead, registered in that private table only ("qemu"): the
# script re-runs itself inside such a namespace. Where neither works ("none")
# only the 64-bit program runs, and the caller says why in one line.
# Nothing changes outside the namespace and build/: not the machine's apt
# sources, not its binfmt table.
#
# QUENDA_32BIT=native|qemu|none forces a route (qemu also works where the
# kernel would run 32-bit programs itself). QUENDA_REQUIRE_32BIT=1 turns "no
# route" into a failure, for machines that must test both programs.

X86_QEMU_DIR="$QUENDA_ROOT/build/qemu"
X86_QEMU="$X86_QEMU_DIR/qemu-i386"
# Debian 12's own qemu 7.2 treats a mapping flag that Wine relies on as a
# hint, and each 32-bit process then takes over a minute to start; qemu 10
# from the backports suite does not.
X86_QEMU_SOURCE="deb http://deb.debian.org/debian bookworm-backports main"
X86_QEMU_PACKAGE=qemu-user

# Sets X86_ROUTE to native, qemu or none, and X86_REASON to why none.
# Inside the namespace made for qemu the route is already decided.
x86_choose_route() {
    X86_REASON=
    if [[ -n "${QUENDA_X86_NAMESPACE:-}" ]]; then
        X86_ROUTE=qemu
        return 0
    fi
    X86_ROUTE="${QUENDA_32BIT:-}"
    case "$X86_ROUTE" in
        "") x86_choose_cheapest ;;
        native) x86_check_native || X86_ROUTE=none ;;
        qemu) x86_check_qemu || X86_ROUTE=none ;;
        none) X86_REASON="QUENDA_32BIT=none" ;;
        *) die "QUENDA_32BIT must be native, qemu or none, not '$X86_ROUTE'" ;;
    esac
    if [[ "$X86_ROUTE" == none ]]; then
        x86_give_up "$X86_REASON"
    fi
}

# No route after all, for reason $1: fatal where both programs must be tested.
x86_give_up() {
    X86_ROUTE=none X86_REASON="$1"
    if [[ "${QUENDA_REQUIRE_32BIT:-}" == 1 ]]; then
        die "dist/quenda.exe cannot run here, and QUENDA_REQUIRE_32BIT=1: $X86_REASON"
    fi
}

x86_choose_cheapest() {
    if kernel_runs_32bit; then
        X86_ROUTE=native
        x86_check_native || X86_ROUTE=none
    else
        X86_ROUTE=qemu
        x86_check_qemu || X86_ROUTE=none
    fi
}

x86_check_wine32() {
    [[ -x "$WINE32" ]] || {
        X86_REASON="32-bit Wine (wine32:i386) is not installed"
        return 1
    }
}

x86_check_native() {
    x86_check_wine32 || return 1
    wine_runs_32bit || {
        X86_REASON="the kernel refuses 32-bit programs"
        return 1
    }
}

x86_check_qemu() {
    x86_check_wine32 || return 1
    x86_namespace_allowed || {
        X86_REASON="the kernel refused a user namespace with its own binfmt_misc"
        return 1
    }
    x86_fetch_qemu || {
        X86_REASON="qemu-i386 could not be downloaded (see build/qemu/fetch.log)"
        return 1
    }
}

# Downloads qemu-user from the backports suite through an apt configuration
# of its own under build/qemu (its sources, lists and cache), and keeps only
# the static qemu-i386. Once: later runs reuse it. Any user may do this.
x86_fetch_qemu() {
    [[ -x "$X86_QEMU" ]] && return 0
    mkdir -p "$X86_QEMU_DIR"
    (
        # Two runs starting at once download it once.
        flock 9
        [[ -x "$X86_QEMU" ]] && exit 0
        say "Downloading qemu-i386 ($X86_QEMU_PACKAGE from bookworm-backports) into build/qemu"
        x86_download_qemu >"$X86_QEMU_DIR/fetch.log" 2>&1
    ) 9>"$X86_QEMU_DIR/lock"
}

x86_download_qemu() {
    local apt_dir="$X86_QEMU_DIR/apt" unpacked="$X86_QEMU_DIR/unpacked" deb
    rm -rf "$apt_dir" "$unpacked"
    mkdir -p "$apt_dir/lists/partial" "$apt_dir/archives/partial" "$unpacked"
    printf '%s\n' "$X86_QEMU_SOURCE" >"$apt_dir/sources.list"
    local options=(
        -o "Dir::Etc::sourcelist=$apt_dir/sources.list" -o Dir::Etc::sourceparts=-
        -o "Dir::State::lists=$apt_dir/lists" -o "Dir::Cache=$apt_dir"
        -o "Dir::Cache::archives=$apt_dir/archives" -o APT::Architecture=amd64
        -o APT::Architectures=amd64 -o Debug::NoLocking=1 -o APT::Sandbox::User="$(id -un)"
    )
    apt-get "${options[@]}" update &&
        (cd "$apt_dir/archives" && apt-get "${options[@]}" download "$X86_QEMU_PACKAGE") &&
        deb="$(find "$apt_dir/archives" -name "${X86_QEMU_PACKAGE}_*.deb" | head -n 1)" &&
        [[ -n "$deb" ]] &&
        dpkg-deb --fsys-tarfile "$deb" | tar -x -C "$unpacked" ./usr/bin/qemu-i386 &&
        "$unpacked/usr/bin/qemu-i386" --version &&
        mv "$unpacked/usr/bin/qemu-i386" "$X86_QEMU" &&
        rm -rf "$unpacked" "$apt_dir/archives"
}

# Re-runs the calling script ($1, with its arguments) in a namespace of its
# own where qemu-i386 runs 32-bit programs; returns when the route is not qemu
# or when already inside. Each run gets its own namespace, so runs at once
# never share one.
x86_enter_route() {
    [[ "$X86_ROUTE" == qemu && -z "${QUENDA_X86_NAMESPACE:-}" ]] || return 0
    say "32-bit programs run through qemu-i386 in a private namespace"
    exec unshare --user --map-root-user --mount --fork \
        env QUENDA_X86_NAMESPACE=1 bash "$QUENDA_ROOT/scripts/lib/x86_namespace.sh" "$X86_QEMU" "$@"
}

# One line on how dist/quenda.exe runs, or why it does not.
x86_describe_route() {
    case "$X86_ROUTE" in
        native) say "dist/quenda.exe runs under 32-bit Wine" ;;
        qemu) say "dist/quenda.exe runs under 32-bit Wine through qemu-i386" ;;
        none) say "dist/quenda.exe is not run: $X86_REASON; only the 64-bit program runs" ;;
    esac
}
