#!/usr/bin/env bash
# Every caption of the setup window fits its control at 100, 125, 150 and
# 200 % scaling: measured in the real window, in each control's own font, and
# kept as pictures of the window (compact and advanced) under build/e2e.
set -euo pipefail
source "$(dirname "$0")/../lib/harness.sh"

# The setup window's captioned controls: all but the two rectangles.
readonly CAPTIONED=27
# Captions whose lines need a little more height than their box has, at a
# DPI: "Video Phase Select" has a box one line high (330 twips), and at 8
# points no face of the classic width sets it on one line; "Video Blanking
# Select" at 144 dpi, where the classic face's lines are 20 pixels and its box
# 39. Centred, the lines overflow by half the shortfall at each end, which the
# blank rows above the first line's capitals and below the last line's
# letters take up ("Select" has no descenders): no letter is cut. Any other
# shortfall fails.
readonly SHORT_BOXES='96|Video Phase Select
120|Video Phase Select
144|Video Phase Select
144|Video Blanking Select
192|Video Phase Select'

# The other tests expect 96 dots per inch, whatever became of this one.
end_at_96_dpi() {
    local status=$?
    set +e
    wine_use_dpi 96
    (exit "$status")
    e2e_end
}

# A picture of the setup window with its frame, named $1.
setup_picture() {
    window_picture "$(e2e_field "$(e2e_automate find --class QuendaSetup)" rect)" \
        "$E2E_TEST_DIR/$1.png"
}

captions_fit_at() {
    local dpi="$1"
    trap end_at_96_dpi EXIT
    wine_use_dpi "$dpi"
    e2e_show_setup
    setup_picture compact
    local table="$E2E_TEST_DIR/captions.txt"
    e2e_automate captions --class QuendaSetup >"$table"
    e2e_click QuendaSetup "Advanced >>"
    setup_picture advanced

    # A new message font (WM_SETTINGCHANGE, SPI_SETNONCLIENTMETRICS) rebuilds
    # the fonts, places and icons; at an unchanged DPI nothing may move.
    e2e_automate send --class QuendaSetup 0x1A 0x2A >/dev/null
    e2e_expect_eq "$(grep -v Advanced "$table")" \
        "$(e2e_automate captions --class QuendaSetup | grep -v Advanced)" \
        "captions after a settings change"

    e2e_expect_eq "$CAPTIONED" "$(wc -l <"$table")" "captioned controls"
    e2e_expect_eq "$dpi" "$(sed -n 's/.*\tdpi=\([0-9]*\).*/\1/p' "$table" | sort -u)" "DPI measured at"
    e2e_expect_eq "$2" "$(sed -n 's/.*\tface=\([^\t]*\).*/\1/p' "$table" | sort -u)" \
        "font face"
    # The tightest captions, for the record.
    awk -F'\t' '{ for (i = 1; i <= NF; i++) { split($i, kv, "="); f[kv[1]] = substr($i, length(kv[1]) + 2) }
        printf "%s\t%s: room %s, needs %s, spare %s px\n", f["spare"], f["text"], f["room"], f["need"], f["spare"] }' \
        "$table" | sort -n | head -n 4 | cut -f2 | while IFS= read -r line; do e2e_log "$line"; done
    local line text short
    while IFS= read -r line; do
        text="$(e2e_field "$line" text)" short=$((-$(e2e_field "$line" spare)))
        grep -q -x -F "$dpi|$text" <<<"$SHORT_BOXES" ||
            e2e_fail "a caption does not fit at $dpi dpi: $line"
        (((short + 1) / 2 <= $(e2e_field "$line" leading) &&
            (short + 1) / 2 <= $(e2e_field "$line" descent))) ||
            e2e_fail "letters of \"$text\" are cut at $dpi dpi: $line"
        e2e_log "$text: its lines need $short px more than its box; no letter is cut"
    done < <(grep -P '\tfits=0\t' "$table" || true)
    e2e_log "pictures: $E2E_TEST_DIR/compact.png, advanced.png"
}

# The classic face in Wine is bitmaps only, of the sizes 8 points takes at
# 96, 120 and 144 dpi; at 192 dpi the program falls back to the message font.
test_captions_fit_at_96_dpi() { captions_fit_at 96 "MS Sans Serif"; }
test_captions_fit_at_120_dpi() { captions_fit_at 120 "MS Sans Serif"; }
test_captions_fit_at_144_dpi() { captions_fit_at 144 "MS Sans Serif"; }
test_captions_fit_at_192_dpi() { captions_fit_at 192 Tahoma; }

e2e_main "$@"
