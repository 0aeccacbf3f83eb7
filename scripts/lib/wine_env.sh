# shellcheck shell=bash
# Wine in a prefix of our own, and a private X display where there is none.
# Shared by scripts/run and the end-to-end tests; sourced after common.sh.

# The wine64 loader runs 64-bit programs and hands 32-bit ones to the 32-bit
# loader beside it, where the kernel allows that; the plain `wine` wrapper
# would insist on the 32-bit loader.
WINE64=/usr/lib/wine/wine64
WINE32=/usr/lib/wine/wine
WINESERVER=/usr/lib/wine/wineserver
# Tall enough for the setup window at 200 % scaling (about 870 pixels).
XVFB_SIZE="${XVFB_SIZE:-1280x1024}"

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
    WINEDEBUG=-all "$WINE64" reg add 'HKCU\Software\Wine\Explorer' /v Desktop /d shell /f >/dev/null 2>&1
    WINEDEBUG=-all "$WINE64" reg add 'HKCU\Software\Wine\Explorer\Desktops' /v shell /d "$1" /f \
        >/dev/null 2>&1
}

# Each window on the user's own desktop, framed by their window manager.
wine_use_own_desktop() {
    WINEDEBUG=-all "$WINE64" reg delete 'HKCU\Software\Wine\Explorer' /v Desktop /f >/dev/null 2>&1 ||
        true
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
    local tries=0
    while [[ ! -s "$display_file" ]]; do
        if ! kill -0 "$XVFB_PID" 2>/dev/null || ((++tries > 100)); then
            rm -f "$display_file"
            die "Xvfb did not start"
        fi
        sleep 0.1
    done
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

# A PNG of the whole display.
screenshot() {
    import -display "$DISPLAY" -window root "$1"
}
