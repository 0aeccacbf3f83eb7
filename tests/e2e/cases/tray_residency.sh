#!/usr/bin/env bash
# The resident program as a user meets it: hidden at start with one tray
# icon, opened by a left press on the icon, ended by Exit, and only once.
set -euo pipefail
source "$(dirname "$0")/../lib/harness.sh"

readonly LEFT_DOWN="$WM_LBUTTONDOWN" RIGHT_DOWN=516 CONTEXT_MENU=0x7B SELECT=0x400 KEY_SELECT=0x401

# The debug lines without the warning that the card's driver is missing,
# which Wine's display driver earns at every start (hardening.sh checks it).
lines_without_driver_warning() {
    e2e_debug_lines | grep -v -E '^Quenda: (driver does not take escape 42|tray balloon )'
}

# The tray calls so far, by their first argument: NIM_ADD, NIM_MODIFY,
# NIM_DELETE, NIM_SETVERSION.
tray_requests() {
    e2e_relay_calls Shell_NotifyIconA | sed -E 's/^Call [^(]*\(0*([0-9]),.*/\1/' |
        sed 's/^0$/add/; s/^1$/modify/; s/^2$/delete/; s/^4$/version/' | tr '\n' ' '
}

# The keyboard is in the setup window: the focused window's top-level window.
expect_focus_in_setup() {
    local focus
    focus="$(e2e_automate focus)" || e2e_fail "no window has the focus after $1"
    e2e_expect_eq "QuendaSetup Button" \
        "$(e2e_field "$focus" root_class) $(e2e_field "$focus" class)" "focus after $1"
    FOCUSED="$(e2e_field "$focus" text)"
}

tray_requests_are() { [[ "$(tray_requests)" == "$1" ]]; }

# What the shell sends for mouse message $1 over the icon, handled by the
# time this returns.
tray_press_handled() {
    e2e_automate send --class "$QUENDA_POPUP_CLASS" "$TRAY_CALLBACK_MSG" "$TRAY_ICON_ID" "$1" >/dev/null
}

focus_left() {
    local focus
    focus="$(e2e_automate focus)" && [[ "$(e2e_field "$focus" text)" != "$1" ]]
}

test_first_start_adds_one_icon_and_sends_nothing() {
    e2e_start
    e2e_wait_resident
    wait_until 10 tray_requests_are "add version modify " || true
    e2e_expect_eq 'Quenda: tray hook
Quenda: tray add "Lumivance is currently set up for VGA Only - Medium Filter"' \
        "$(lines_without_driver_warning)" "debug lines at start-up"
    # The modify is the driver warning's balloon.
    e2e_expect_eq "add version modify " "$(tray_requests)" "tray calls"
    e2e_expect_eq 0 "$(e2e_escapes | grep -c '^escape=42 ' || true)" "driver commands"
    e2e_window_shown QuendaSetup && e2e_fail "the setup window shows at start-up"
    e2e_window_shown "$QUENDA_POPUP_CLASS" && e2e_fail "the start-up window is visible"
    return 0
}

test_left_press_on_icon_opens_and_right_press_does_nothing() {
    e2e_start
    e2e_wait_resident
    tray_press_handled "$RIGHT_DOWN"
    e2e_window_shown QuendaSetup && e2e_fail "a right press opened the setup window"
    e2e_tray_click "$LEFT_DOWN"
    e2e_wait_window QuendaSetup 10 || e2e_fail "a left press did not open the setup window"
    tray_press_handled "$LEFT_DOWN"
    e2e_expect_eq 1 "$(e2e_automate windows --class QuendaSetup 2>/dev/null | wc -l)" \
        "setup windows after two presses"
    e2e_log "screenshot: $(e2e_screenshot opened)"
}

# The keyboard's route to the window: Win+B, the arrows, then Enter or Space
# on the icon arrive as a selection, which opens the window with the focus in
# it; the right button's reports still do nothing.
test_keyboard_selection_opens_with_the_focus_and_a_new_task_bar_keeps_it() {
    e2e_start
    e2e_wait_resident
    tray_press_handled "$RIGHT_DOWN"
    tray_press_handled "$CONTEXT_MENU"
    e2e_window_shown QuendaSetup && e2e_fail "a right press opened the setup window"
    e2e_tray_click "$KEY_SELECT"
    e2e_wait_window QuendaSetup 10 || e2e_fail "the keyboard's selection did not open the window"
    expect_focus_in_setup "the keyboard's selection"
    # Tab moves on at once, without a click first.
    local first="$FOCUSED"
    e2e_automate post --class QuendaSetup --child "$first" WM_KEYDOWN VK_TAB >/dev/null
    wait_until 5 focus_left "$first" || e2e_fail "Tab left the focus on \"$first\""
    expect_focus_in_setup "Tab"

    e2e_click QuendaSetup Cancel
    e2e_tray_click "$SELECT"
    e2e_wait_window QuendaSetup 10 || e2e_fail "a selection by mouse did not open the window"
    expect_focus_in_setup "a selection by mouse"

    # A task bar that starts again has lost the icon: it comes back, and asks
    # for the keyboard's selection again (the modify between is the driver
    # warning's balloon, shown once per start).
    e2e_automate untray --class "$QUENDA_POPUP_CLASS" 100 >/dev/null || e2e_fail "the icon was not there"
    e2e_automate post --class "$QUENDA_POPUP_CLASS" registered:TaskbarCreated >/dev/null
    wait_until 10 tray_requests_are "add version modify add version " || true
    e2e_expect_eq "add version modify add version " "$(tray_requests)" "tray calls"
}

test_exit_removes_icon_then_saves_the_unconfirmed_change_and_ends() {
    e2e_show_setup
    e2e_click QuendaSetup None
    e2e_wait_debug '^Quenda: escape 42 code 16$' || e2e_fail "None sent nothing"
    e2e_click QuendaSetup Exit
    e2e_wait_exit 15 || e2e_fail "the program did not end after Exit"

    e2e_expect_eq 'Quenda: escape 42 code 16
Quenda: tray modify "Lumivance is currently set up for VGA Only - No Filtering"
Quenda: tray delete
Quenda: tray delete
Quenda: tray unhook' "$(lines_without_driver_warning | tail -n +3)" "debug lines from the click on"
    e2e_expect_eq True "$(e2e_reg_get Filter None)" "saved Filter\\None"
    e2e_expect_all_values_saved
    # The icon is gone before the first value is written.
    local order
    order="$(e2e_relay_calls | grep -E 'Shell_NotifyIconA\(00000002|RegSetValueExA' | head -n 2 |
        sed -E 's/^Call ([a-z0-9]+\.[A-Za-z_]+)\(.*/\1/' | tr '\n' ' ')"
    e2e_expect_eq "shell32.Shell_NotifyIconA advapi32.RegSetValueExA " "$order" \
        "icon delete, then the first registry write"
    # The window procedure replaced at start-up is put back at the end.
    local hooks
    hooks="$(e2e_relay_calls 'SetWindowLong(Ptr)?A' | grep -c -i ',fffffffc,\|,fffffffffffffffc,' || true)"
    e2e_expect_eq 2 "$hooks" "window procedure replaced and restored"
}

test_second_start_ends_at_once_and_opens_the_first_copy() {
    e2e_start
    e2e_wait_resident
    local second_log="$E2E_TEST_DIR/second.log"
    WINEDEBUG=-all,+debugstr timeout 30 "$WINE64" "$E2E_EXE" >"$second_log" 2>&1 ||
        e2e_fail "the second start did not end by itself"
    grep -a -q 'escape 42' "$second_log" && e2e_fail "the second start sent a driver command"
    grep -a -q 'tray add' "$second_log" && e2e_fail "the second start added an icon"
    e2e_wait_window QuendaSetup 10 || e2e_fail "the first copy's setup window did not open"
    e2e_expect_eq 1 "$(e2e_debug_lines | grep -c 'tray add')" "icons of the first copy"
}

test_stored_tv_on_setup_is_restored_to_the_card_at_start() {
    e2e_reg_set ActiveOut VGAOnly 0
    e2e_reg_set Blanking BlankOn 1
    e2e_reg_set Filter None True
    e2e_reg_set Filter Medium False
    e2e_reg_set Phase Phase 1
    e2e_start
    e2e_wait_resident
    # TV on, its reset to Maximum, the blanking toggle, None, the phase toggle.
    e2e_expect_eq "127 18 1 16 22" "$(e2e_codes)" "commands at start-up"
    e2e_expect_eq 'Quenda: tray add "Lumivance is currently set up for Comp Out - No Filtering"' \
        "$(e2e_debug_lines | grep 'tray add')" "tooltip"
}

e2e_main "$@"
