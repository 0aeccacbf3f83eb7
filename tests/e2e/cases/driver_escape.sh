#!/usr/bin/env bash
# A driver command reaches the card as exactly one ExtEscape call on the
# setup window's device context: escape 42, two bytes in, nothing out, each
# announced by its debug line "Quenda: escape 42 code <n>".
set -euo pipefail
source "$(dirname "$0")/../lib/harness.sh"

test_filter_none_reaches_driver() {
    e2e_show_setup
    local before
    before="$(e2e_debug_lines | wc -l)"
    e2e_click QuendaSetup None
    e2e_wait_debug '^Quenda: escape 42 code 16$' ||
        e2e_fail "no DRV_FILTER_NONE after clicking None; lines: $(e2e_debug_lines | tr '\n' '|')"
    local after
    after="$(e2e_debug_lines | tail -n +"$((before + 1))" | grep '^Quenda: escape ')"
    e2e_expect_eq "Quenda: escape 42 code 16" "$after" "commands sent by the click"
    e2e_expect_one_escape_call_per_code
    local none
    none="$(e2e_automate find --class QuendaSetup --child None)"
    e2e_expect_eq 1 "$(e2e_field "$none" checked)" "None checked after the click"
    e2e_log "screenshot: $(e2e_screenshot after-none)"
}

e2e_main "$@"
