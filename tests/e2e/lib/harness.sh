# shellcheck shell=bash
# End-to-end harness: runs the real program under Wine on a private X display
# and lets a test act as a user and read what reached the driver, the
# registry and the screen. tests/e2e/run sets up the run (display, prefix) and
# starts every test in its own bash process; a test file sources this file,
# defines test_* functions and ends with `e2e_main "$@"`.

E2E_LIB_DIR="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)"
# shellcheck source=../../../scripts/lib/common.sh
source "$E2E_LIB_DIR/../../../scripts/lib/common.sh"
# shellcheck source=../../../scripts/lib/wine_env.sh
source "$E2E_LIB_DIR/../../../scripts/lib/wine_env.sh"

# Only these functions are relayed, so a test's log stays small: the driver
# escape, the tray icon, the window-procedure hook (a 32-bit program calls
# SetWindowLongA where a 64-bit one calls SetWindowLongPtrA), and the
# settings' registry writes.
E2E_RELAY_INCLUDE='gdi32.ExtEscape;shell32.Shell_NotifyIconA;shell32.Shell_NotifyIconW;user32.SetWindowLongA;user32.SetWindowLongPtrA;advapi32.RegSetValueExA'
# What +relay prints besides the relayed calls, and what the tests never read.
E2E_LOG_NOISE=':(Call|Ret) +(window proc|PE DLL|TLS callback|LDR notification)|:Starting thread proc|:trace:relay:load_list|:fixme:'
E2E_SETTINGS_KEY='HKCU\Software\Quenda'

# ---- The run: one display and one prefix for every test ----------------------

# Needs E2E_RUN_DIR and the automation helper $1; exports what tests inherit.
e2e_setup_run() {
    mkdir -p "$E2E_RUN_DIR"
    xvfb_start
    wine_use_prefix "$E2E_RUN_DIR/prefix"
    local started=$SECONDS
    wine_prepare_prefix
    wine_reg add 'HKCU\Software\Wine\Debug' /v RelayInclude /t REG_SZ /d "$E2E_RELAY_INCLUDE" /f
    wine_use_virtual_desktop "$XVFB_SIZE"
    E2E_AUTOMATE="$1" e2e_automate saved >"$E2E_RUN_DIR/saved-values.txt"
    wine_stop
    say "Wine prefix ready in $((SECONDS - started)) s; display $DISPLAY"
}

e2e_teardown_run() {
    wine_stop
    xvfb_stop
}

# ---- One test ------------------------------------------------------------------

# Runs test function $1 with a reset registry and its own log directory
# (E2E_TEST_DIR), and stops every Wine process when it ends, passed or not.
e2e_main() {
    local test_name="$1"
    [[ "$(type -t "$test_name")" == function ]] || die "no test function $test_name"
    : "${E2E_TEST_DIR:?run tests through tests/e2e/run}" "${E2E_EXE:?}" "${E2E_AUTOMATE:?}"
    mkdir -p "$E2E_TEST_DIR"
    trap e2e_end EXIT
    trap 'exit 143' TERM
    # A command that fails outside an e2e_fail ends the test too; e2e_end
    # says which.
    set -o errtrace
    trap 'E2E_LAST_ERROR="\"$BASH_COMMAND\" returned $? (line $LINENO of ${BASH_SOURCE[0]##*/})"' ERR
    wine_stop
    e2e_reg_reset
    "$test_name"
}

e2e_end() {
    local status=$?
    if [[ $status -ne 0 && -n "${E2E_LAST_ERROR:-}" ]]; then
        printf '    FAILED: %s\n' "$E2E_LAST_ERROR" >&2
    fi
    if [[ $status -ne 0 && -n "${DISPLAY:-}" ]]; then
        screenshot "$E2E_TEST_DIR/failure.png" 2>/dev/null || true
    fi
    wine_stop
    if [[ -n "${E2E_PID:-}" ]]; then
        wait "$E2E_PID" 2>/dev/null || true
    fi
    # A test that never started the program has no log to keep.
    if [[ -n "${E2E_LOG:-}" ]]; then
        e2e_debug_lines >"$E2E_TEST_DIR/debug.log" || true
        e2e_relay_calls >"$E2E_TEST_DIR/relay.log" || true
    fi
    return "$status"
}

e2e_log() { printf '    %s\n' "$*"; }

e2e_fail() {
    printf '    FAILED: %s\n' "$*" >&2
    exit 1
}

e2e_expect_eq() {
    local expected="$1" actual="$2" what="$3"
    [[ "$actual" == "$expected" ]] || e2e_fail "$what: expected '$expected', got '$actual'"
}

# ---- The program -----------------------------------------------------------------

# Starts the program in the background with its debug lines and relayed calls
# going to $E2E_TEST_DIR/wine.log.
e2e_start() {
    E2E_LOG="$E2E_TEST_DIR/wine.log"
    : >"$E2E_LOG"
    WINEDEBUG=fixme-all,+debugstr,+relay "$WINE64" "$E2E_EXE" "$@" \
        > >(grep -a -v -E --line-buffered "$E2E_LOG_NOISE" >>"$E2E_LOG") 2>&1 &
    E2E_PID=$!
}

# Waits for the program to end by itself; fails after SECONDS (default 10).
e2e_wait_exit() {
    wait_until "${1:-10}" process_ended "${E2E_PID:-}"
}

# The resident program has added its tray icon.
e2e_wait_resident() {
    e2e_wait_debug '^Quenda: tray add ' 20 ||
        e2e_fail "no tray icon was added; debug lines: $(e2e_debug_lines | tr '\n' '|')"
}

# What the shell sends the start-up window for a mouse message $1 over the
# icon ($WM_LBUTTONDOWN a left press, 516 a right press).
e2e_tray_click() {
    e2e_automate post --class "$QUENDA_POPUP_CLASS" "$TRAY_CALLBACK_MSG" "$TRAY_ICON_ID" "$1" >/dev/null
}

# Opens the setup window as a left press on the tray icon does.
e2e_open_setup() {
    open_setup_window "$E2E_LOG" "$E2E_AUTOMATE" ||
        e2e_fail "a left press on the icon did not open the setup window"
}

# A fresh start, resident, with the setup window opened from the icon.
e2e_show_setup() {
    e2e_start
    e2e_wait_resident
    e2e_open_setup
}

# The automation helper (see tests/e2e/win32/automate_main.cpp); its lines
# go to stdout, its status says whether the window was found. Wine's own
# errors stay on: a helper that Wine could not start says so.
e2e_automate() {
    WINEDEBUG=fixme-all "$WINE64" "$E2E_AUTOMATE" "$@"
}

# Succeeds once a visible top-level window of class $1 exists; fails after $2
# seconds (default 20).
e2e_wait_window() {
    wait_until "${2:-20}" e2e_window_shown "$1"
}

e2e_window_shown() {
    e2e_automate find --class "$1" --visible --timeout 0 >/dev/null 2>&1
}

e2e_window_hidden() { ! e2e_window_shown "$1"; }

# Field $1 of the setup window's line (rect, client, work, hwnd, pid, ...),
# commas as blanks: "rect" gives "LEFT TOP WIDTH HEIGHT".
e2e_setup_field() { e2e_field "$(e2e_automate find --class QuendaSetup)" "$1" | tr , ' '; }

# The line of the program's message box once it shows; fails after 15 s,
# saying what the box was to be about ($1).
e2e_message_box() {
    e2e_automate find --class '#32770' --title Quenda --visible --timeout 15000 ||
        e2e_fail "no message box $1"
}

# Clicks the child window captioned $2 of the window of class $1.
e2e_click() {
    e2e_automate click --class "$1" --child "$2" >/dev/null
}

# The value of field $2 in a line of the automation helper.
e2e_field() {
    local field
    while IFS= read -r -d $'\t' field || [[ -n "$field" ]]; do
        if [[ "$field" == "$2="* ]]; then
            printf '%s\n' "${field#*=}"
            return 0
        fi
    done <<<"$1"
    return 1
}

# A PNG of the display, named $1 in the test's directory; prints its path.
e2e_screenshot() {
    local file="$E2E_TEST_DIR/$1.png"
    screenshot "$file"
    printf '%s\n' "$file"
}

# e2e_pixel FILE X Y: the colour of one pixel of a screenshot, "R,G,B".
e2e_pixel() {
    convert "$1" -crop "1x1+$2+$3" +repage \
        -format '%[fx:round(255*r)],%[fx:round(255*g)],%[fx:round(255*b)]\n' info:
}

# e2e_colour_box FILE X Y WIDTH HEIGHT R,G,B: where that exact colour lies in
# the region, as "WIDTHxHEIGHT+X+Y" in the screenshot's coordinates, or
# "none" when the region holds no pixel of it. Every other pixel, and a
# border round the region, is painted the opposite colour, so that nothing
# but the wanted colour differs from the background that trimming finds.
e2e_colour_box() {
    local file="$1" x="$2" y="$3" width="$4" height="$5" colour="$6" red green blue box
    IFS=, read -r red green blue <<<"$colour"
    local opposite="rgb($((255 - red)),$((255 - green)),$((255 - blue)))"
    box="$(convert "$file" -crop "${width}x${height}+$x+$y" +repage -fill "$opposite" \
        +opaque "rgb($colour)" -bordercolor "$opposite" -border 1 -format '%@' info: 2>/dev/null)"
    if [[ ! "$box" =~ ^([0-9]+)x([0-9]+)\+([0-9]+)\+([0-9]+)$ ]] || [[ "${BASH_REMATCH[1]}" == 0 ]]; then
        printf 'none\n'
        return 0
    fi
    printf '%sx%s+%d+%d\n' "${BASH_REMATCH[1]}" "${BASH_REMATCH[2]}" \
        "$((BASH_REMATCH[3] - 1 + x))" "$((BASH_REMATCH[4] - 1 + y))"
}

# ---- What the program did --------------------------------------------------------

# Its "Quenda: ..." debug lines so far, one per line, as written.
e2e_debug_lines() { debug_lines "$E2E_LOG"; }

# Waits until a debug line matches the extended regex $1; fails after $2 s.
e2e_wait_debug() { wait_until "${2:-10}" has_debug_line "$E2E_LOG" "$1"; }

# The driver commands sent so far, as one line of codes: "16 3 3".
e2e_codes() { e2e_debug_lines | sed -n 's/^Quenda: escape 42 code //p' | paste -s -d ' '; }

# The relayed calls so far, optionally only those of function $1, as Wine
# prints them: "Call gdi32.ExtEscape(hdc,escape,in size,in,out size,out)".
e2e_relay_calls() {
    grep -a -E "^[0-9a-f]+:Call [A-Za-z0-9_]+\.${1:-[A-Za-z0-9_]+}\(" "$E2E_LOG" |
        sed 's/^[0-9a-f]*:\(Call .*)\) ret=.*/\1/'
}

# One line per ExtEscape call: "escape=42 in=2 out=0" (decimal). The three
# are 32-bit ints; a 64-bit relay prints the whole stack slot of the fifth,
# whose upper half is whatever was there before, so only the lower half counts.
e2e_escapes() {
    local call arguments
    while IFS= read -r call; do
        arguments="${call#*(}"
        IFS=, read -r _ escape in_size _ out_size _ <<<"${arguments%)}"
        printf 'escape=%d in=%d out=%d\n' "$((16#$escape & 0xffffffff))" \
            "$((16#$in_size & 0xffffffff))" "$((16#$out_size & 0xffffffff))"
    done < <(e2e_relay_calls ExtEscape)
}

# Every ExtEscape call but the driver query at start-up (hardening.sh checks it).
e2e_command_escapes() { e2e_escapes | grep -v -x 'escape=8 in=4 out=0'; }

# Every command's debug line has its one ExtEscape call, of the driver's shape.
e2e_expect_one_escape_call_per_code() {
    local codes
    codes="$(e2e_codes | wc -w)"
    wait_until 5 e2e_escape_calls_are "$codes" || true
    e2e_expect_eq "$codes" "$(e2e_command_escapes | wc -l)" "ExtEscape calls for $codes commands"
    e2e_expect_eq "escape=42 in=2 out=0" "$(e2e_command_escapes | sort -u)" \
        "shape of every ExtEscape call"
}

e2e_escape_calls_are() { (($(e2e_command_escapes | wc -l) == $1)); }

# ---- The program's settings ------------------------------------------------------

e2e_reg_reset() {
    wine_reg delete "$E2E_SETTINGS_KEY" /f || true
}

# e2e_reg_set SECTION KEY VALUE [TYPE]: one value, REG_SZ as the program
# stores it unless another type is named.
e2e_reg_set() {
    wine_reg add "$E2E_SETTINGS_KEY\\$1" /v "$2" /t "${4:-REG_SZ}" /d "$3" /f
}

# e2e_reg_get SECTION KEY: prints the value; fails when there is none.
e2e_reg_get() { wine_reg_value "$E2E_SETTINGS_KEY\\$1" "$2" REG_SZ; }

# Every value the program saves, as an empty store reads it, in save order:
# "Section\Key=Value" lines, which the run reads from the program's own table.
#   while IFS='\=' read -r section key value; do ...; done < <(e2e_saved_values)
e2e_saved_values() { cat "$E2E_RUN_DIR/saved-values.txt"; }

e2e_registry_holds_the_saved_keys() {
    [[ "$(e2e_reg_dump | sed 's/=.*//' | sort)" == "$(e2e_saved_values | sed 's/=.*//' | sort)" ]]
}

# Every value the program saves, and no other, is in the registry within 10 s;
# $1 says which way out of the program saved them.
e2e_expect_all_values_saved() {
    wait_until 10 e2e_registry_holds_the_saved_keys ||
        e2e_fail "not every value saved${1:+ by $1}; the registry holds $(e2e_reg_dump | tr '\n' ' ')"
}

# Every value under the program's key: "Section\Key=Value" lines.
e2e_reg_dump() {
    local line section=""
    while IFS= read -r line; do
        line="${line%$'\r'}"
        if [[ "$line" == HKEY_CURRENT_USER\\Software\\Quenda\\* ]]; then
            section="${line#HKEY_CURRENT_USER\\Software\\Quenda\\}"
        elif [[ "$line" =~ ^\ {4}(.*)\ {4}REG_SZ\ {4}(.*)$ ]]; then
            printf '%s\\%s=%s\n' "$section" "${BASH_REMATCH[1]}" "${BASH_REMATCH[2]}"
        fi
    done < <(WINEDEBUG=-all "$WINE64" reg query "$E2E_SETTINGS_KEY" /s 2>/dev/null)
}
