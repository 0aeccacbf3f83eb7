# shellcheck shell=bash
# Wine in a prefix of our own, and a private X display where there is none;
# what the program says in its debug lines and keeps in the prefix's
# registry. Shared by scripts/run, the release check and the end-to-end
# tests; sourced after common.sh.

# shellcheck source=program_names.sh
source "$(dirname "${BASH_SOURCE[0]}")/program_names.sh"

# The wine64 loader runs 64-bit programs and hands 32-bit ones to the 32-bit
# loader beside it, where the kernel allows that; the plain `wine` wrapper
# would insist on the 32-bit loader.
WINE64=/usr/lib/wine/wine64
WINE32=/usr/lib/wine/wine
WINESERVER=/usr/lib/wine/wineserver
# Tall enough for the setup window at 200 % scaling (about 870 pixels).
XVFB_SIZE="${XVFB_SIZE:-1280x1024}"

# Re-runs the calling script ($1, with its arguments) without the kernel's
# address randomization, unless it runs so already. Debian's Wine has no
# preloader to keep a process's Windows addresses free before the kernel
# lays it out, and the kernel puts the 64-bit loader's heap anywhere in the
# 1 GB above it: about once in a few thousand starts the heap covers the page
# where Windows' shared user data must go, and the process dies at once
# ("failed to map the shared user data", status 1). Without randomization
# the heap follows the loader, far below that page.
wine_without_address_randomization() {
    ((16#$(cat /proc/self/personality) & 0x40000)) ||
        exec setarch "$(uname -m)" --addr-no-randomize bash "$@"
}

wine_use_prefix() {
    export WINEPREFIX="$1"
    export WINELOADER="$WINE64"
    unset WINEARCH
    # No offers to install .NET or a browser engine: the program needs neither.
    export WINEDLLOVERRIDES="mscoree,mshtml="
}

# A prefix that is a 32-bit Windows, as some users still have: only the
# 32-bit loader serves it, and no 64-bit program runs in it.
wine_use_prefix32() {
    wine_use_prefix "$1"
    export WINEARCH=win32 WINELOADER="$WINE32"
}

wine_runs_32bit() {
    "$WINE32" --version >/dev/null 2>&1
}

# A prefix made where 32-bit Wine could not run has no 32-bit system DLLs,
# and a 32-bit program then cannot load kernel32.dll.
wine_prefix_has_32bit() {
    [[ ! -f "$WINEPREFIX/system.reg" || -f "$WINEPREFIX/drive_c/windows/syswow64/kernel32.dll" ]]
}

wine_prepare_prefix() {
    if [[ -f "$WINEPREFIX/system.reg" ]]; then
        return 0
    fi
    say "Creating the Wine prefix $WINEPREFIX (once, about 15 s)"
    WINEDEBUG=-all "$WINELOADER" wineboot --init >/dev/null 2>&1
    # Debian's Wine does not find its own fonts. Without the classic dialog
    # face (MS Sans Serif, bitmaps for 96 and 120 dpi) the program's captions
    # fall back to a wider face; without Tahoma, the message font, to a wider
    # one still; and without Marlett the title bar buttons show letters.
    cp /usr/share/wine/fonts/{tahoma,tahomabd,marlett}.ttf /usr/share/wine/fonts/sserif{e,f}.fon \
        "$WINEPREFIX/drive_c/windows/Fonts/" 2>/dev/null || true
}

# Wine draws the desktop itself, with a taskbar and its notification area, and
# frames every window as Windows would; the program then looks the same on any
# X server, with or without a window manager. Takes effect from the next start
# of the prefix's server.
wine_use_virtual_desktop() {
    wine_reg add 'HKCU\Software\Wine\Explorer' /v Desktop /d shell /f
    wine_reg add 'HKCU\Software\Wine\Explorer\Desktops' /v shell /d "$1" /f
}

# Each window on the user's own desktop, framed by their window manager.
wine_use_own_desktop() {
    wine_reg delete 'HKCU\Software\Wine\Explorer' /v Desktop /f || true
}

# Ends every Wine process of the prefix, and the server itself.
wine_stop() {
    "$WINESERVER" --kill >/dev/null 2>&1 || true
    "$WINESERVER" --wait >/dev/null 2>&1 || true
}

# Starts Xvfb on the first free display and exports DISPLAY; XVFB_PID is ours
# to stop.
xvfb_start() {
    local display_file
    display_file="$(mktemp)"
    Xvfb -displayfd 3 -screen 0 "${XVFB_SIZE}x24" -nolisten tcp 3>"$display_file" >/dev/null 2>&1 &
    XVFB_PID=$!
    wait_until 10 test -s "$display_file" || die "Xvfb did not start"
    DISPLAY=":$(tr -d '[:space:]' <"$display_file")"
    export DISPLAY
    rm -f "$display_file"
}

xvfb_stop() {
    if [[ -n "${XVFB_PID:-}" ]]; then
        kill "$XVFB_PID" 2>/dev/null || true
        wait "$XVFB_PID" 2>/dev/null || true
        XVFB_PID=
    fi
}

# A PNG of the whole display once it has stopped changing (a window just
# shown or resized may still be painting): two pictures alike, or after 10 s.
screenshot() {
    import -display "$DISPLAY" -window root "$1"
    wait_until 10 display_still_shows "$1" || true
}

# Status 0 when the display shows picture $1; otherwise $1 becomes what it shows.
display_still_shows() {
    import -display "$DISPLAY" -window root "$1.now.png"
    compare -metric AE "$1" "$1.now.png" null: 2>/dev/null && rm "$1.now.png" && return 0
    mv "$1.now.png" "$1"
    return 1
}

# window_picture X,Y,WIDTH,HEIGHT FILE: that box of the display, as a PNG
# without time stamps (the same picture gives the same bytes).
window_picture() {
    local x y width height
    IFS=, read -r x y width height <<<"$1"
    screenshot "$2.screen.png"
    convert "$2.screen.png" -crop "${width}x${height}+$x+$y" +repage -strip "$2"
    rm -f "$2.screen.png"
}

# reg.exe in the prefix, quietly; its status says whether it did it.
wine_reg() { WINEDEBUG=-all "$WINELOADER" reg "$@" >/dev/null 2>&1; }

# The display's resolution for programs started from now on.
wine_use_dpi() { wine_reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d "$1" /f; }

# The Windows version the prefix reports to programs started from now on
# (winecfg's names: win2k, winxp, winxp64, win7, win10); none restores
# Wine's default.
wine_use_windows_version() {
    if [[ "$1" == none ]]; then
        wine_reg delete 'HKCU\Software\Wine' /v Version /f || true
    else
        wine_reg add 'HKCU\Software\Wine' /v Version /t REG_SZ /d "$1" /f
    fi
}

# wine_reg_value KEY NAME [TYPE]: the data of value NAME (a plain word) in
# the prefix's registry, of TYPE (default: any REG_ type); fails when there
# is none.
wine_reg_value() {
    WINEDEBUG=-all "$WINELOADER" reg query "$1" /v "$2" 2>/dev/null | tr -d '\r' |
        sed -n -E "s/^ {4}$2 {4}${3:-REG_[A-Z_]+} {4}//p" | grep ''
}

# The program's own debug lines ("Quenda: ...") in a log of Wine's
# +debugstr channel, $1, one per line as written.
debug_lines() {
    sed -n 's/^[0-9a-f]*:warn:debugstr:OutputDebugStringA "\(Quenda: .*\)"\r\{0,1\}$/\1/; T; s/\\n$//; s/\\"/"/g; p' \
        "$1"
}

# has_debug_line LOG REGEX: one of the debug lines in LOG matches the
# extended regex (wait for one with wait_until).
has_debug_line() { debug_lines "$1" | grep -q -E "$2"; }

# open_setup_window LOG AUTOMATE: once the program that writes LOG has added
# its tray icon, opens its setup window as a left press on the icon does,
# through the automation helper AUTOMATE (tests/e2e/win32).
open_setup_window() {
    local helper=(env WINEDEBUG=fixme-all "$WINELOADER" "$2")
    wait_until 20 has_debug_line "$1" '^Quenda: tray add ' &&
        "${helper[@]}" post --class "$QUENDA_POPUP_CLASS" "$TRAY_CALLBACK_MSG" "$TRAY_ICON_ID" \
            "$WM_LBUTTONDOWN" >/dev/null &&
        "${helper[@]}" find --class QuendaSetup --visible --timeout 10000 >/dev/null
}
