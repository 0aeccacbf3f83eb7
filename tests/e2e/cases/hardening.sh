#!/usr/bin/env bash
# The program under what other programs and the system do to it: close
# requests to each of its windows, the end of the session, a minimised setup
# window, the task bar announcing itself, a squatted single-copy lock, and a
# display driver that does not take the card's escape (as Wine's does not).
set -euo pipefail
source "$(dirname "$0")/../lib/harness.sh"

readonly WS_MINIMIZE=0x20000000 LOCK_NAME='Local\Quenda.Resident' WM_NCDESTROY=0x0082
readonly NO_ANSWER='Quenda is already running but does not respond.'

minimised() { (($(e2e_setup_field style) & WS_MINIMIZE)); }

restored() { ! minimised; }

debug_count() { e2e_debug_lines | grep -c -E "$1" || true; }

# Squats on the lock's name with an object of kind $1 until release_lock_name.
hold_lock_name() {
    local out="$E2E_TEST_DIR/hold.out"
    WINEDEBUG=-all "$WINE64" "$E2E_AUTOMATE" hold "$1" "$LOCK_NAME" --timeout 120000 >"$out" 2>&1 &
    HOLDER_PID=$!
    wait_until 20 grep -q 'held=1' "$out" || e2e_fail "could not hold $LOCK_NAME: $(cat "$out")"
}

# The squatter ends, and the name takes a mutex again.
release_lock_name() {
    kill -KILL "$HOLDER_PID"
    wait_until 10 lock_name_free || e2e_fail "$LOCK_NAME is still taken"
}

lock_name_free() { e2e_automate hold mutex "$LOCK_NAME" --timeout 0 >/dev/null 2>&1; }

# Starts another copy of the program, its debug lines in log $1; $2 seconds
# (default: no limit) for it to end by itself.
start_copy() {
    WINEDEBUG=-all,+debugstr timeout "${2:-0}" "$WINE64" "$E2E_EXE" >"$E2E_TEST_DIR/$1" 2>&1
}

test_hidden_windows_ignore_closes_the_tray_restores_and_taskbar_created_keeps_the_icon() {
    e2e_start
    e2e_wait_resident
    e2e_wait_debug '^Quenda: tray balloon ' 10 || e2e_fail "no balloon for the missing driver"
    e2e_expect_eq 1 "$(debug_count '^Quenda: driver does not take escape 42$')" "driver lines"
    e2e_expect_eq 1 "$(debug_count '^Quenda: tray balloon ')" "balloons"
    e2e_expect_eq "escape=8 in=4 out=0" "$(e2e_escapes)" "the one escape at start-up: the query"
    e2e_open_setup

    # The setup window's hidden owner is not for closing.
    local owner
    owner="$(e2e_setup_field owner)"
    e2e_automate send --hwnd "$owner" WM_CLOSE >/dev/null
    e2e_automate send --hwnd "$owner" WM_SYSCOMMAND SC_CLOSE >/dev/null
    e2e_automate find --class QuendaSetup --visible --timeout 0 >/dev/null ||
        e2e_fail "closing the hidden owner took the setup window with it"

    # A minimised window comes back with a tray press.
    e2e_automate send --class QuendaSetup WM_SYSCOMMAND SC_MINIMIZE >/dev/null
    minimised || e2e_fail "the setup window did not minimise"
    e2e_tray_click "$WM_LBUTTONDOWN"
    wait_until 10 restored || e2e_fail "a tray press left the setup window minimised"
    e2e_expect_eq "0 0" "$(e2e_setup_field rect | cut -d ' ' -f1-2)" "restored place"

    # The task bar announcing itself with the icon still there: later
    # changes still reach the tooltip.
    e2e_automate post --class "$QUENDA_POPUP_CLASS" registered:TaskbarCreated >/dev/null
    e2e_click QuendaSetup None
    e2e_wait_debug '^Quenda: tray modify "Lumivance is currently set up for VGA Only - No Filtering"$' ||
        e2e_fail "no tooltip change after TaskbarCreated: $(e2e_debug_lines | tail -n 4 | tr '\n' '|')"
}

# Another program sends each of our windows the message that it is being
# destroyed: the start-up window, the setup window and the preview's.
make_up_destroys() {
    local window
    for window in "$(e2e_field "$(e2e_automate find --class "$QUENDA_POPUP_CLASS")" hwnd)" \
        "$(e2e_setup_field hwnd)" \
        "$(e2e_field "$(e2e_automate find --class QuendaSetup --child-class QuendaShape)" hwnd)"; do
        e2e_automate send --hwnd "$window" "$WM_NCDESTROY" >/dev/null
    done
}

# A polite end from outside (taskkill without /f) closes every window of
# ours, the setup window first where Wine's taskkill is concerned; whichever
# hears it first, the program ends as Exit does and saves what the window
# shows, confirmed or not. Made-up destroy messages before it change nothing.
test_a_polite_end_saves_the_unconfirmed_change_whichever_window_hears_first() {
    local closes class
    for closes in taskkill "QuendaSetup $QUENDA_POPUP_CLASS" "$QUENDA_POPUP_CLASS QuendaSetup" \
        "made-up destroys, then taskkill"; do
        e2e_reg_reset
        e2e_show_setup
        e2e_click QuendaSetup "Advanced >>"
        if [[ "$closes" == made-up* ]]; then
            make_up_destroys
        fi
        e2e_click QuendaSetup PAL
        if [[ "$closes" == *taskkill ]]; then
            WINEDEBUG=-all "$WINE64" taskkill /pid "$(e2e_setup_field pid)" >/dev/null 2>&1 ||
                e2e_fail "taskkill found no program"
        else
            for class in $closes; do
                e2e_automate post --class "$class" --timeout 0 WM_CLOSE >/dev/null || true
            done
        fi
        e2e_wait_exit 15 || e2e_fail "the program did not end after the closes ($closes)"
        e2e_expect_eq True "$(e2e_reg_get Standard PAL)" "saved Standard\\PAL ($closes)"
        e2e_expect_all_values_saved "$closes"
        e2e_expect_eq 1 "$(debug_count '^Quenda: tray unhook$')" "unhooks ($closes)"
    done
}

test_end_of_session_ends_the_program_as_exit_does() {
    e2e_show_setup
    e2e_click QuendaSetup None
    e2e_wait_debug '^Quenda: escape 42 code 16$' || e2e_fail "None sent nothing"
    local answer
    answer="$(e2e_automate send --class "$QUENDA_POPUP_CLASS" WM_QUERYENDSESSION)"
    e2e_expect_eq 1 "$(e2e_field "$answer" result)" "answer to the end of the session"
    e2e_automate send --class "$QUENDA_POPUP_CLASS" WM_ENDSESSION 1 >/dev/null || true
    e2e_wait_exit 10 || e2e_fail "the program did not end with the session"
    e2e_expect_eq True "$(e2e_reg_get Filter None)" "saved Filter\\None"
    e2e_expect_all_values_saved
}

test_a_close_while_an_error_box_is_up_ends_the_program_once() {
    e2e_show_setup
    e2e_reg_set Filter None x
    e2e_automate post --class QuendaSetup --child Cancel BM_CLICK >/dev/null
    e2e_message_box "about the bad value" >/dev/null
    e2e_automate post --class "$QUENDA_POPUP_CLASS" WM_CLOSE >/dev/null
    e2e_wait_exit 15 || e2e_fail "the program did not end with the error box up"
    e2e_expect_eq 2 "$(debug_count '^Quenda: tray delete$')" "icon deletes (Exit, then unload)"
    e2e_expect_eq 1 "$(debug_count '^Quenda: tray unhook$')" "unhooks"
    e2e_expect_all_values_saved
}

# Starts while Exit tells the user that the settings were not saved find
# the resident copy ending: they wait, and once it has gone exactly one of
# them runs, with its icon, and the others open its window, even when one of
# them is held up (stopped) while the others race. A volatile key of the
# program's name lets no lasting section be made under it.
test_starts_while_exit_reports_a_failed_save_leave_one_copy_once_the_ending_copy_has_gone() {
    e2e_show_setup
    e2e_automate volatile 'Software\Quenda' >/dev/null
    e2e_automate post --class QuendaSetup --child Exit BM_CLICK >/dev/null
    e2e_message_box "about the failed save" >/dev/null
    local later held_up
    for later in 1 2 3; do
        start_copy "later$later.log" &
        wait_until 30 grep -s -q -a 'Quenda: already resident: it is ending' "$E2E_TEST_DIR/later$later.log" ||
            e2e_fail "start $later did not hear that the copy is ending: $(grep -a 'Quenda:' "$E2E_TEST_DIR/later$later.log")"
        [[ -n "${held_up:-}" ]] || held_up="$(pgrep -n -f "$(basename "$E2E_EXE")")"
    done
    kill -STOP "$held_up"
    e2e_click '#32770' OK
    e2e_wait_exit 15 || e2e_fail "the ending copy did not end"
    wait_until 30 grep -q -a 'Quenda: tray add' "$E2E_TEST_DIR"/later*.log ||
        e2e_fail "no start took the ending copy's place while another start was held up"
    kill -CONT "$held_up"
    wait_until 60 later_starts_settled || e2e_fail "the later starts did not settle"
    e2e_expect_eq 1 "$(cat "$E2E_TEST_DIR"/later*.log | grep -a -c 'Quenda: tray add')" "icons of the later starts"
    e2e_expect_eq 1 "$(e2e_automate windows --class "$QUENDA_POPUP_CLASS" | wc -l)" "start-up windows"
    e2e_expect_eq 0 "$(cat "$E2E_TEST_DIR"/later*.log | grep -a -c -E 'Quenda: already resident: (no window|it did not end)')" \
        "starts that gave up"
    e2e_wait_window QuendaSetup 10 || e2e_fail "the copy that runs did not open its window"
}

# Every later start has become the resident copy or opened its window.
later_starts_settled() {
    (($(grep -a -l -E 'Quenda: (tray add|already resident: opening its window)' \
        "$E2E_TEST_DIR"/later*.log | wc -l) == 3))
}

# Whatever held the first name when the resident copy started, a later start
# finds that copy: two starts at once while another kind of object holds the
# name leave one copy, and so does a third once the object has gone.
test_a_lock_name_taken_by_another_kind_of_object_still_leaves_one_copy() {
    hold_lock_name event
    start_copy second.log &
    e2e_start
    e2e_wait_window QuendaSetup || e2e_fail "the start that gave way did not open the other's window"
    e2e_click QuendaSetup Cancel
    release_lock_name
    start_copy third.log 30 || e2e_fail "the start after the squatter had gone did not end by itself"
    e2e_wait_window QuendaSetup 10 || e2e_fail "the resident copy's window did not open"
    e2e_expect_eq 1 "$(cat "$E2E_TEST_DIR"/*.log | grep -a -c 'Quenda: tray add')" "icons of all starts"
    e2e_expect_eq 1 "$(e2e_automate windows --class "$QUENDA_POPUP_CLASS" | wc -l)" "start-up windows"
}

test_a_first_copy_that_does_not_answer_is_reported() {
    hold_lock_name mutex
    e2e_start
    e2e_automate find --class '#32770' --child "$NO_ANSWER" --timeout 20000 >/dev/null ||
        e2e_fail "no message that the first copy does not respond"
    e2e_click '#32770' OK
    e2e_wait_exit 10 || e2e_fail "the second start did not end after the message"
    e2e_expect_eq 0 "$(debug_count '^Quenda: (tray add|escape 42)')" "icons and commands"
}

e2e_main "$@"
