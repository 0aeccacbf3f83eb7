#!/usr/bin/env bash
# shellcheck source-path=SCRIPTDIR
# The release check: what a user downloads is the installer, so build it and,
# under Wine, do what a user and an administrator do with it: a silent
# install, the program running in the tray, Exit, a start as at log-on, and a
# silent uninstall while it runs, checking the files, the Start-menu shortcut,
# the log-on entry, and that the user's settings outlive the uninstall unless
# they are asked to go. All of it twice: on a 64-bit Windows, which gets the
# 64-bit program, and on a 32-bit one, which gets the 32-bit program (where
# this machine runs 32-bit programs: scripts/lib/wine32.sh). Also the
# programs' size, what they import (nothing newer than the Windows floor) and
# the hardening they carry.
# scripts/test runs it after the programs are built; it fails on the first
# broken step, leaving its logs under build/release/.
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/common.sh"
source "$(dirname "${BASH_SOURCE[0]}")/wine_env.sh"
source "$(dirname "${BASH_SOURCE[0]}")/wine32.sh"

RELEASE_MAX_PROGRAM_KB=400
# ASLR, DEP, and no Terminal Services shims; on 64-bit, ASLR over the whole
# address space as well (HIGH_ENTROPY_VA).
RELEASE_PE_FLAGS="DYNAMIC_BASE NX_COMPAT TERMINAL_SERVICE_AWARE"
RELEASE_RUN_KEY='HKCU\Software\Microsoft\Windows\CurrentVersion\Run'
RELEASE_UNINSTALL_KEY='HKCU\Software\Microsoft\Windows\CurrentVersion\Uninstall\Quenda'
RELEASE_SETTINGS_KEY='HKCU\Software\Quenda'

release_check_steps() {
    local dir="$QUENDA_ROOT/build/release"
    wine_without_address_randomization "${BASH_SOURCE[0]}"
    x86_choose_route
    x86_enter_route "${BASH_SOURCE[0]}"
    rm -rf "$dir"
    mkdir -p "$dir"
    say "Release check (logs in build/release)"
    command -v makensis >/dev/null || ensure_packages
    release_check_programs
    release_build_installers "$dir"

    trap 'release_log_tails "$dir"; wine_stop; xvfb_stop' EXIT
    xvfb_start
    release_on_windows 64 "$dir/win64"
    if [[ "$X86_ROUTE" != none ]]; then
        release_on_windows 32 "$dir/win32"
    else
        say "Not checked on 32-bit Windows: $X86_REASON"
    fi

    trap - EXIT
    xvfb_stop
    say "Release check passed"
}

# release_on_windows BITS DIR: every step in a fresh Windows of that many
# bits, which must get the program of the same bits.
release_on_windows() {
    local bits="$1" dir="$2" build=win64
    mkdir -p "$dir"
    say "On $bits-bit Windows (logs in ${dir#"$QUENDA_ROOT/"})"
    RELEASE_PROGRAM="$QUENDA_ROOT/dist/quenda-x64.exe"
    if [[ $bits == 32 ]]; then
        wine_use_prefix32 "$dir/prefix"
        RELEASE_PROGRAM="$QUENDA_ROOT/dist/quenda.exe" RELEASE_INSTALLER="$RELEASE_INSTALLER_X86"
        build=win32
    else
        wine_use_prefix "$dir/prefix"
    fi
    RELEASE_BITS="$bits"
    # No desktop menu entries for the shortcuts the installer makes.
    export WINEDLLOVERRIDES="$WINEDLLOVERRIDES;winemenubuilder.exe=d"
    wine_prepare_prefix
    RELEASE_AUTOMATE="$QUENDA_ROOT/build/$build/tests/e2e/automate.exe"
    [[ -f "$RELEASE_AUTOMATE" ]] || die "build/$build/tests/e2e/automate.exe is missing"
    release_expect_windows_bits

    release_refuse_older_windows "$dir"
    release_install_exit_uninstall "$dir"
    release_install_options "$dir"

    wine_stop
    rm -rf "$dir/prefix"
}

# The processor the prefix tells programs about is the Windows they run on.
release_expect_windows_bits() {
    local expected=AMD64 architecture
    [[ $RELEASE_BITS == 64 ]] || expected=x86
    architecture="$(wine_reg_value \
        'HKLM\System\CurrentControlSet\Control\Session Manager\Environment' PROCESSOR_ARCHITECTURE)" ||
        release_fail "the prefix names no processor"
    [[ "$architecture" == "$expected" ]] ||
        release_fail "a $RELEASE_BITS-bit Windows was wanted, the prefix is $architecture"
    release_ok "a $RELEASE_BITS-bit Windows (PROCESSOR_ARCHITECTURE $architecture)"
}

release_ok() { printf '    ok    %s\n' "$*"; }

release_fail() {
    printf '    FAIL  %s\n' "$*" >&2
    exit 1
}

# ---- The programs ----------------------------------------------------------------

release_check_programs() {
    local program objdump kb dll build
    for program in quenda.exe:i686:win32 quenda-x64.exe:x86_64:win64; do
        IFS=: read -r program objdump build <<<"$program"
        objdump="$objdump-w64-mingw32-objdump" program="$QUENDA_ROOT/dist/$program"
        [[ -f "$program" ]] || release_fail "$program is missing"
        kb=$((($(stat -c %s "$program") + 1023) / 1024))
        ((kb < RELEASE_MAX_PROGRAM_KB)) ||
            release_fail "$(basename "$program") is $kb KB, over $RELEASE_MAX_PROGRAM_KB KB"
        release_check_imports "$program" "$objdump" "$build"
        release_ok "$(basename "$program"): $kb KB"
        release_check_hardening "$program" "$objdump" "$QUENDA_ROOT/build/$build/src/app/quenda.map"
    done
}

# release_imports PROGRAM OBJDUMP: one line per import, "dll function" (the
# DLL in lower case); an import by ordinal has "<ordinal>" for its name.
release_imports() {
    "$2" -p "$1" | awk -F'\t' '
        /^\tDLL Name: / { dll = tolower(substr($0, index($0, ": ") + 2)); next }
        /^$/ { dll = "" }
        dll != "" && /^\t[0-9a-f]+\t/ {
            n = split($3, words, " ")
            print dll, (n < 2 || words[n] == "<none>" ? "<ordinal>" : words[n])
        }'
}

# release_check_imports PROGRAM OBJDUMP BUILD: the program loads on the
# floor of its build (XP SP3, XP x64): it imports only reviewed functions of
# Windows' own DLLs (packaging/imports/, one list per DLL, each entry with
# the oldest Windows that has it), each by name and at load time, and its
# subsystem version asks for no newer Windows.
release_check_imports() {
    local name dll function count=0 allowed="$QUENDA_ROOT/packaging/imports" floor=5.01 headers subsystem
    name="$(basename "$1")"
    [[ "$3" == win32 ]] || floor=5.02
    while read -r dll function; do
        [[ -f "$allowed/$dll" ]] || release_fail "$name imports $dll!$function: $dll is not a reviewed DLL"
        [[ "$function" != "<ordinal>" ]] || release_fail "$name imports from $dll by ordinal"
        awk -v f="$function" '$1 == f { found = 1 } END { exit !found }' "$allowed/$dll" ||
            release_fail "$name imports $dll!$function, which is on no reviewed list (packaging/imports/$dll)"
        count=$((count + 1))
    done < <(release_imports "$1" "$2")
    ((count > 0)) || release_fail "$name: no imports were read"
    headers="$("$2" -p "$1")"
    grep -q -E '^Entry d 0+ 0+ Delay Import Directory' <<<"$headers" ||
        release_fail "$name has delay-load imports"
    subsystem="$(awk '/^MajorSubsystemVersion/ { major = $2 } /^MinorSubsystemVersion/ { minor = $2 }
        END { printf "%d.%02d", major, minor }' <<<"$headers")"
    awk -v v="$subsystem" -v f="$floor" 'BEGIN { exit !(v + 0 <= f + 0) }' ||
        release_fail "$name asks for Windows $subsystem, above the floor $floor"
    release_ok "$name: $count imports, all reviewed, by name, at load time; subsystem $subsystem (floor $floor)"
}

# release_check_hardening PROGRAM OBJDUMP LINK_MAP: the PE flags, and the
# stack protector: called from our own code (the link map's cross reference
# lists every caller of its check) and its handler in the file.
release_check_hardening() {
    local name flag callers pe_flags="$RELEASE_PE_FLAGS"
    name="$(basename "$1")"
    [[ "$2" != x86_64* ]] || pe_flags+=" HIGH_ENTROPY_VA"
    for flag in $pe_flags; do
        "$2" -p "$1" | sed -n '/^DllCharacteristics/,/^[A-Z]/p' | grep -q -w "$flag" ||
            release_fail "$name is not $flag"
    done
    callers="$(awk '/^__stack_chk_fail / { on = 1; next } on && /^ / { n += $1 ~ /^src\// ; next }
        on { exit } END { print n + 0 }' "$3")"
    if ((callers == 0)) || ! grep -a -q 'stack smashing detected' "$1"; then
        release_fail "$name lacks the stack protector ($callers callers in $3)"
    fi
    release_ok "$name: $pe_flags; the stack protector called from $callers objects of ours"
}

# The shipped installer, and the same script in the 64-bit stub for a Wine
# that runs only 64-bit programs.
release_build_installers() {
    local dir="$1"
    { "$QUENDA_ROOT/packaging/make-installer" x86 &&
        "$QUENDA_ROOT/packaging/make-installer" amd64 "$dir/quenda-setup-amd64.exe"; } \
        >"$dir/makensis.log" 2>&1 || release_fail "makensis failed: $(tail -n 20 "$dir/makensis.log")"
    RELEASE_INSTALLER_X86="$QUENDA_ROOT/dist/quenda-setup.exe"
    if [[ "$X86_ROUTE" != none ]]; then
        RELEASE_INSTALLER="$RELEASE_INSTALLER_X86"
    else
        RELEASE_INSTALLER="$dir/quenda-setup-amd64.exe"
    fi
    release_ok "installers built: dist/quenda-setup.exe, build/release/quenda-setup-amd64.exe"
}

# ---- Under Wine --------------------------------------------------------------------

release_wine() { WINEDEBUG=-all "$WINELOADER" "$@"; }

release_automate() { release_wine "$RELEASE_AUTOMATE" "$@"; }

# A shell link holds its target's path in ANSI or UTF-16 text.
release_shortcut_to() {
    [[ -f "$1" ]] && { strings -a "$1" | grep -q -F "$2" || strings -a -e l "$1" | grep -q -F "$2"; }
}

release_user_dir() {
    local dirs=("$WINEPREFIX"/drive_c/users/*/AppData)
    [[ -d "${dirs[0]}" ]] || release_fail "no user profile in the prefix"
    dirname "${dirs[0]}"
}

# Runs the installer silently with switches $2...; its output, and that of
# the program it starts, go to log $1.
release_install() {
    local log="$1"
    shift
    WINEDEBUG=-all,+debugstr timeout 120 "$WINELOADER" "$RELEASE_INSTALLER" /S "$@" >"$log" 2>&1 ||
        release_fail "the silent install failed ($(tail -n 5 "$log"))"
}

release_uninstall() {
    local install_dir="$1"
    shift
    # The uninstaller runs from a copy of itself and returns at once: it is
    # done when it has removed itself.
    release_wine "$RELEASE_UNINSTALL_COMMAND" /S "$@" || release_fail "the uninstaller did not start"
    wait_until 60 test ! -e "$install_dir/uninstall.exe" || release_fail "the uninstall did not finish"
    wait_until 10 test ! -e "$install_dir" || release_fail "the uninstall left $install_dir"
}

release_expect_running() {
    wait_until 30 has_debug_line "$1" '^Quenda: tray add ' || release_fail "$2: no tray icon"
    release_automate find --class "$QUENDA_POPUP_CLASS" --timeout 5000 >/dev/null ||
        release_fail "$2: no $QUENDA_POPUP_CLASS window"
}

# release_expect_ended LOG WHAT [PID]: the copy that writes to LOG removed
# its icon and ended; without a PID, no copy may be left running.
release_expect_ended() {
    wait_until 20 has_debug_line "$1" '^Quenda: tray delete$' ||
        release_fail "$2: the tray icon was not removed"
    if [[ -n "${3:-}" ]]; then
        wait_until 10 process_ended "$3" || release_fail "$2: the program is still running"
    else
        release_automate gone --class "$QUENDA_POPUP_CLASS" --timeout 10000 >/dev/null ||
            release_fail "$2: the program is still running"
    fi
}

# On a Windows older than the programs' floor a silent install fails and
# writes nothing: no folder, no log-on entry, no registration.
release_refuse_older_windows() {
    local status=0
    wine_use_windows_version win2k
    WINEDEBUG=-all timeout 120 "$WINELOADER" "$RELEASE_INSTALLER" /S >"$1/refused.log" 2>&1 || status=$?
    wine_use_windows_version none
    ((status != 0)) || release_fail "the silent install on Windows 2000 reported success"
    [[ ! -e "$(release_user_dir)/AppData/Local/Programs/Quenda" ]] ||
        release_fail "the install on Windows 2000 left files behind"
    ! wine_reg_value "$RELEASE_RUN_KEY" Quenda >/dev/null || release_fail "the install on Windows 2000 left a log-on entry"
    ! wine_reg query "$RELEASE_UNINSTALL_KEY" || release_fail "the install on Windows 2000 registered itself"
    release_ok "Windows 2000: the silent install fails (status $status) and writes nothing"
}

release_install_exit_uninstall() {
    local dir="$1" user_dir install_dir shortcut program run logon_pid
    release_install "$dir/install.log"
    user_dir="$(release_user_dir)"
    install_dir="$user_dir/AppData/Local/Programs/Quenda"
    shortcut="$user_dir/AppData/Roaming/Microsoft/Windows/Start Menu/Programs/Quenda.lnk"
    printf -v program 'C:\\users\\%s\\AppData\\Local\\Programs\\Quenda\\quenda.exe' \
        "$(basename "$user_dir")"
    RELEASE_UNINSTALL_COMMAND="${program%quenda.exe}uninstall.exe"

    cmp -s "$install_dir/quenda.exe" "$RELEASE_PROGRAM" ||
        release_fail "the installed quenda.exe is not the $RELEASE_BITS-bit program"
    [[ -f "$install_dir/uninstall.exe" ]] || release_fail "no uninstall.exe"
    release_ok "silent install: the $RELEASE_BITS-bit program and its uninstaller in AppData\\Local\\Programs\\Quenda"
    release_shortcut_to "$shortcut" 'Programs\Quenda\quenda.exe' ||
        release_fail "no Start-menu shortcut to the program"
    release_ok "Start-menu shortcut"
    run="$(wine_reg_value "$RELEASE_RUN_KEY" Quenda)" || release_fail "no log-on entry"
    [[ "$run" == "\"$program\"" ]] || release_fail "log-on entry is $run"
    release_ok "log-on entry $run"
    [[ "$(wine_reg_value "$RELEASE_UNINSTALL_KEY" UninstallString)" == *uninstall.exe* ]] ||
        release_fail "no uninstaller registered"
    release_ok "uninstaller registered"

    release_expect_running "$dir/install.log" "after the install"
    open_setup_window "$dir/install.log" "$RELEASE_AUTOMATE" ||
        release_fail "a tray click did not open the setup window"
    release_automate click --class QuendaSetup --child Exit >/dev/null
    release_expect_ended "$dir/install.log" "Exit"
    wine_reg query "$RELEASE_SETTINGS_KEY" || release_fail "Exit saved no settings"
    release_ok "started by the installer; a tray click and Exit end it and save the settings"

    # Started as at log-on, then installed over: setup ends the running copy
    # through Exit and starts the new one.
    WINEDEBUG=-all,+debugstr "$WINELOADER" "$program" >"$dir/logon.log" 2>&1 &
    logon_pid=$!
    release_expect_running "$dir/logon.log" "started as at log-on"
    release_install "$dir/reinstall.log"
    release_expect_ended "$dir/logon.log" "install over a running copy" "$logon_pid"
    release_expect_running "$dir/reinstall.log" "after installing over a running copy"
    release_ok "installing over a running copy ends it through Exit and starts the new one"

    # The uninstaller must end it the way Exit does, so the settings it saves
    # come back though they were removed meanwhile.
    wine_reg delete "$RELEASE_SETTINGS_KEY" /f
    release_uninstall "$install_dir"
    release_expect_ended "$dir/reinstall.log" "uninstall"
    release_ok "silent uninstall ends the running program through Exit"
    [[ ! -e "$shortcut" ]] || release_fail "the uninstall left the shortcut"
    ! wine_reg_value "$RELEASE_RUN_KEY" Quenda >/dev/null || release_fail "the uninstall left the log-on entry"
    ! wine_reg query "$RELEASE_UNINSTALL_KEY" || release_fail "the uninstall left its registration"
    release_ok "files, shortcut, log-on entry and registration removed"
    wine_reg query "$RELEASE_SETTINGS_KEY" || release_fail "the settings did not survive the uninstall"
    release_ok "the settings survive the uninstall"
}

# The administrator's switches, on the oldest Windows served: XP (SP3), or
# XP x64 for the 64-bit program.
release_install_options() {
    local dir="$1" install_dir xp=winxp
    [[ $RELEASE_BITS == 32 ]] || xp=winxp64
    wine_use_windows_version "$xp"
    release_install "$dir/install-options.log" /NOLOGONSTART
    install_dir="$(release_user_dir)/AppData/Local/Programs/Quenda"
    cmp -s "$install_dir/quenda.exe" "$RELEASE_PROGRAM" ||
        release_fail "$xp: the installed quenda.exe is not the $RELEASE_BITS-bit program"
    release_ok "$xp: the $RELEASE_BITS-bit program installed"
    ! wine_reg_value "$RELEASE_RUN_KEY" Quenda >/dev/null || release_fail "/NOLOGONSTART left a log-on entry"
    release_ok "/NOLOGONSTART: installed without a log-on entry"
    release_expect_running "$dir/install-options.log" "after the install"
    release_uninstall "$install_dir" /REMOVESETTINGS
    release_expect_ended "$dir/install-options.log" "uninstall"
    ! wine_reg query "$RELEASE_SETTINGS_KEY" || release_fail "/REMOVESETTINGS kept the settings"
    release_ok "/REMOVESETTINGS: uninstalled with the settings"
    wine_use_windows_version none
}

release_log_tails() {
    local log
    for log in "$1"/*.log "$1"/*/*.log; do
        [[ -s "$log" ]] || continue
        printf '    --- %s (last lines)\n' "${log#"$QUENDA_ROOT/"}"
        grep -a -v ':fixme:' "$log" | tail -n 8 | sed 's/^/    /'
    done
}

release_check_steps
