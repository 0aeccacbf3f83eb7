#!/usr/bin/env bash
# The setup window on the screen: its caption and two widths, every child
# window at its layout place, the preview rectangles it paints itself, each
# check box and option reaching the card as its commands, the groups greyed
# while their check box rules them out, Enter and Escape doing nothing, the
# keyboard only on controls in view, and the close box acting as Cancel.
set -euo pipefail
source "$(dirname "$0")/../lib/harness.sh"

# The harness's display has 96 dots per inch.
readonly TWIPS_PER_PIXEL=15
readonly GREEN=0,255,0 GREY=192,192,192 OUTLINE=0,0,0
readonly BM_GETSTATE=0xF2 BST_FOCUS=8
readonly OUTER_COMPACT=1800 OUTER_ADVANCED=3765 CLIENT_HEIGHT=6210

# The child windows of a freshly loaded window, front-most first as they are
# stacked: class|caption|frame ("-" for the window itself)|Left|Top|Width|
# Height in twips|check state (BM_GETCHECK, 0 for buttons and frames, "-"
# for others)|enabled. The last is the preview's window, uncaptioned, which
# screen readers find and the user sees through, behind every other control.
readonly LAYOUT='Button|Horiz|-|1845|5640|690|405|0|1
Button|Vert|-|2760|5640|690|405|0|1
Button|Exit|-|210|4620|1275|435|0|1
Button|Cancel|-|210|3990|1275|435|0|1
Button|OK|-|210|3360|1275|435|0|1
Button|Video Blanking Select|-|1785|1785|1410|390|0|1
Button|Blanking Color|-|1785|2835|1695|675|0|1
Button|Black|Blanking Color|945|315|720|255|0|1
Button|Blue|Blanking Color|120|315|975|255|1|1
Button|Video Phase Select|-|1785|2310|1335|330|0|1
Button|Advanced >>|-|210|5565|1275|435|0|1
Button|Standard|-|1785|3570|1695|645|0|1
Button|PAL|Standard|945|315|660|255|0|1
Button|NTSC|Standard|105|315|765|255|1|1
Button|Display on VGA only, or|-|210|120|1380|495|1|1
Button|Output Signal|-|210|630|1275|855|0|0
Button|S-VHS|Output Signal|120|480|1095|255|0|0
Button|Composite|Output Signal|120|240|1095|255|1|0
Button|Filter Selection|-|210|1785|1275|1095|0|1
Button|Maximum|Filter Selection|120|720|1095|255|0|1
Button|Medium|Filter Selection|120|480|1095|255|1|1
Button|None|Filter Selection|120|240|975|255|0|1
Button|Show Normal output, or|-|1785|120|1335|495|1|1
Button|Test Signal|-|1785|630|1275|1095|0|0
Button|Ramp|Test Signal|120|720|855|255|0|0
Button|Color Bars|Test Signal|120|480|1095|255|1|0
Button|Black|Test Signal|120|240|975|255|0|0
QuendaShape||-|1965|4320|1380|1275|-|1'

# The two rectangles, painted by the window itself: Left Top Width Height in
# twips, the picture where the load's centring puts it.
readonly SHAPE_SCREEN=(1965 4320 1380 1275) SHAPE_IMAGE=(2157 4512 990 885)

# ---- The window and its children ------------------------------------------------

# Nearest whole pixel of a twips value.
pixels() { printf '%d\n' $(((2 * $1 + TWIPS_PER_PIXEL) / (2 * TWIPS_PER_PIXEL))); }

# The window's children as LAYOUT lists them, measured on the screen, each
# followed by |id|handle.
children_table() {
    e2e_automate children --class QuendaSetup | awk -F'\t' -v scale="$TWIPS_PER_PIXEL" '
        {
            for (i = 1; i <= NF; i++) {
                split($i, pair, "=")
                field[NR, pair[1]] = substr($i, length(pair[1]) + 2)
            }
            caption[field[NR, "hwnd"]] = field[NR, "text"]
        }
        END {
            for (n = 1; n <= NR; n++) {
                frame = field[n, "parent"] in caption ? caption[field[n, "parent"]] : "-"
                split(field[n, "pos"], pos, ",")
                printf "%s|%s|%s|%d|%d|%d|%d|%s|%s|%s|%s\n", field[n, "class"], field[n, "text"],
                    frame, pos[1] * scale, pos[2] * scale, pos[3] * scale, pos[4] * scale,
                    field[n, "checked"], field[n, "enabled"], field[n, "id"], field[n, "hwnd"]
            }
        }'
}

child_table() { children_table | cut -d'|' -f1-9; }

# The children_table line of the child captioned $1 inside frame $2 ("-":
# the window itself).
child_line() {
    local line
    line="$(children_table | awk -F'|' -v caption="$1" -v frame="$2" \
        '$2 == caption && $3 == frame')"
    [[ -n "$line" ]] || e2e_fail "no \"$1\" in \"$2\""
    printf '%s\n' "$line"
}

# Column $3 (checked, enabled, id or hwnd) of the child captioned $1 in frame $2.
child_state() {
    local -A column=([checked]=8 [enabled]=9 [id]=10 [hwnd]=11)
    child_line "$1" "$2" | cut -d'|' -f"${column[$3]}"
}

expect_lines() {
    local expected="$1" actual="$2" what="$3"
    [[ "$actual" == "$expected" ]] ||
        e2e_fail "$what differ (- expected, + actual):
$(diff <(printf '%s\n' "$expected") <(printf '%s\n' "$actual") | grep '^[<>]' |
            sed 's/^</-/; s/^>/+/')"
}

# The captions of the window's own children that lie wholly inside a client
# area $1 twips wide, front-most first; fails on one that is cut in two.
controls_within() {
    local client_width="$1" caption frame left width
    while IFS='|' read -r _ caption frame left _ width _; do
        [[ "$frame" == - ]] || continue
        if ((left + width <= client_width)); then
            printf '%s\n' "$caption"
        elif ((left < client_width)); then
            e2e_fail "\"$caption\" ($left to $((left + width))) is cut by the client edge at $client_width"
        fi
    done < <(child_table)
}

# ---- The card --------------------------------------------------------------------

code_count() { e2e_codes | wc -w; }

codes_at_least() { (($(code_count) >= $1)); }

# Waits until $1 codes have gone out, then prints those after the first $2
# as one line.
codes_after() {
    wait_until 5 codes_at_least "$1" || true
    local codes
    read -r -a codes <<<"$(e2e_codes)"
    printf '%s\n' "${codes[*]:$2}"
}

# ---- Acting as the user ----------------------------------------------------------

# Clicks the control captioned $1 in frame $2. A caption the layout holds
# twice ("Black") cannot be named to BM_CLICK, so that click's notification
# goes to the frame as the button itself sends it: WM_COMMAND with the
# button's id and BN_CLICKED (0), from the button's handle.
click() {
    local caption="$1" frame="$2"
    if [[ "$(awk -F'|' -v caption="$caption" '$2 == caption' <<<"$LAYOUT" | wc -l)" -le 1 ]]; then
        e2e_automate click --class QuendaSetup --child "$caption" >/dev/null
        return 0
    fi
    local enabled id hwnd
    IFS='|' read -r _ _ _ _ _ _ _ _ enabled id hwnd <<<"$(child_line "$caption" "$frame")"
    [[ "$enabled" == 1 ]] || e2e_fail "\"$caption\" in \"$frame\" is disabled"
    e2e_automate send --class QuendaSetup --child "$frame" WM_COMMAND "$id" "$hwnd" >/dev/null
}

# Posts key $1 (a VK_ name) to the child captioned $2, down and up, as the
# keyboard delivers it to the control with the focus.
press_key() {
    e2e_automate post --class QuendaSetup --child "$2" WM_KEYDOWN "$1" >/dev/null
    e2e_automate post --class QuendaSetup --child "$2" WM_KEYUP "$1" >/dev/null
}

has_focus() {
    local state
    state="$(e2e_automate send --class QuendaSetup --child "$1" "$BM_GETSTATE")"
    state="$(e2e_field "$state" result)"
    (((state & BST_FOCUS) != 0))
}

expect_focus() {
    wait_until 5 has_focus "$1" || e2e_fail "the focus did not reach \"$1\""
}

# ---- What the window paints --------------------------------------------------------

# A rectangle at twips Left Top Width Height ($3-$6) of a client area whose
# top-left corner is at screen pixel $1,$2: the box its outline covers, as
# "WIDTHxHEIGHT+X+Y", or with $7 = 1 the box inside the outline.
shape_box() {
    local left top right bottom inset="${7:-0}"
    left=$(($(pixels "$3") + inset)) top=$(($(pixels "$4") + inset))
    right=$(($(pixels $(($3 + $5))) - inset)) bottom=$(($(pixels $(($4 + $6))) - inset))
    printf '%dx%d+%d+%d\n' $((right - left)) $((bottom - top)) $((left + $1)) $((top + $2))
}

# The screen pixels round the preview, as "X Y WIDTH HEIGHT": shapeScreen and
# 3 pixels on every side, where no other control lies.
preview_region() {
    local width height x y
    IFS='x+' read -r width height x y <<<"$(shape_box "$1" "$2" "${SHAPE_SCREEN[@]}")"
    printf '%d %d %d %d\n' $((x - 3)) $((y - 3)) $((width + 6)) $((height + 6))
}

# ---- Tests -----------------------------------------------------------------------

test_window_compact_width_shows_the_left_column_at_its_layout_places() {
    e2e_show_setup
    e2e_expect_eq Orvix "$(e2e_setup_field text)" "caption"
    local left top width client_x client_y client_width client_height
    read -r left top width _ <<<"$(e2e_setup_field rect)"
    read -r client_x client_y client_width client_height <<<"$(e2e_setup_field client)"
    e2e_expect_eq "0 0 $(pixels $OUTER_COMPACT)" "$left $top $width" "outer left, top and width"
    e2e_expect_eq "$(pixels $CLIENT_HEIGHT)" "$client_height" "client height"
    local client_twips=$((client_width * TWIPS_PER_PIXEL))
    ((client_twips >= 1590 && client_twips < 1785)) ||
        e2e_fail "the compact client area ends at $client_twips twips, not between 1590 and 1785"
    expect_lines "$LAYOUT" "$(child_table)" "child windows"
    expect_lines 'Exit
Cancel
OK
Advanced >>
Display on VGA only, or
Output Signal
Filter Selection' "$(controls_within "$client_twips")" "controls inside the compact client area"

    local shot x y w h
    shot="$(e2e_screenshot compact)"
    e2e_expect_eq none "$(e2e_colour_box "$shot" "$client_x" "$client_y" "$client_width" \
        "$client_height" "$GREEN")" "green in the client area"
    read -r x y w h <<<"$(preview_region "$client_x" "$client_y")"
    e2e_expect_eq none "$(e2e_colour_box "$shot" "$x" "$y" "$w" "$h" "$GREEN")" \
        "green where the preview lies beyond the window's edge"
    e2e_expect_eq none "$(e2e_colour_box "$shot" "$x" "$y" "$w" "$h" "$GREY")" \
        "grey where the preview lies beyond the window's edge"
}

test_window_advanced_width_shows_everything_and_the_preview() {
    e2e_show_setup
    e2e_click QuendaSetup "Advanced >>"
    local left top width height client_x client_y client_width client_height
    read -r left top width height <<<"$(e2e_setup_field rect)"
    read -r client_x client_y client_width client_height <<<"$(e2e_setup_field client)"
    e2e_expect_eq "0 0 $(pixels $OUTER_ADVANCED)" "$left $top $width" "outer left, top and width"
    e2e_expect_eq "$(pixels $CLIENT_HEIGHT)" "$client_height" "client height"
    local client_twips=$((client_width * TWIPS_PER_PIXEL))
    ((client_twips >= 3480)) || e2e_fail "the advanced client area ends at $client_twips twips"
    local layout="${LAYOUT/|Advanced >>|/|<<Advanced|}"
    expect_lines "$layout" "$(child_table)" "child windows"
    expect_lines "$(awk -F'|' '$3 == "-" { print $2 }' <<<"$layout")" \
        "$(controls_within "$client_twips")" "controls inside the advanced client area"

    local shot x y w h
    shot="$(e2e_screenshot advanced)"
    convert "$shot" -crop "${width}x${height}+$left+$top" +repage "$E2E_TEST_DIR/window.png"
    read -r x y w h <<<"$(preview_region "$client_x" "$client_y")"
    local at=("$client_x" "$client_y")
    e2e_expect_eq "$(shape_box "${at[@]}" "${SHAPE_SCREEN[@]}")" \
        "$(e2e_colour_box "$shot" "$x" "$y" "$w" "$h" "$OUTLINE")" "outline of shapeScreen"
    e2e_expect_eq "$(shape_box "${at[@]}" "${SHAPE_SCREEN[@]}" 1)" \
        "$(e2e_colour_box "$shot" "$x" "$y" "$w" "$h" "$GREY")" "grey inside shapeScreen"
    e2e_expect_eq "$(shape_box "${at[@]}" "${SHAPE_IMAGE[@]}" 1)" \
        "$(e2e_colour_box "$shot" "$x" "$y" "$w" "$h" "$GREEN")" "green inside shapeImage"
    # The picture's outline is the only dark line inside the screen's.
    IFS='x+' read -r w h x y <<<"$(shape_box "${at[@]}" "${SHAPE_SCREEN[@]}" 1)"
    e2e_expect_eq "$(shape_box "${at[@]}" "${SHAPE_IMAGE[@]}")" \
        "$(e2e_colour_box "$shot" "$x" "$y" "$w" "$h" "$OUTLINE")" "outline of shapeImage"
    # Grey on all four sides of the picture.
    local image_x image_y image_w image_h
    IFS='x+' read -r image_w image_h image_x image_y <<<"$(shape_box "${at[@]}" "${SHAPE_IMAGE[@]}")"
    local middle_x=$((image_x + image_w / 2)) middle_y=$((image_y + image_h / 2)) point px py
    for point in "$(((x + image_x) / 2)) $middle_y" "$(((image_x + image_w + x + w) / 2)) $middle_y" \
        "$middle_x $(((y + image_y) / 2))" "$middle_x $(((image_y + image_h + y + h) / 2))"; do
        read -r px py <<<"$point"
        e2e_expect_eq "$GREY" "$(e2e_pixel "$shot" "$px" "$py")" "colour at $px,$py, beside the picture"
    done

    e2e_click QuendaSetup "<<Advanced"
    read -r _ _ width _ <<<"$(e2e_setup_field rect)"
    e2e_expect_eq "$(pixels $OUTER_COMPACT)" "$width" "outer width after a second press"
    e2e_automate find --class QuendaSetup --child "Advanced>>" >/dev/null ||
        e2e_fail "no button \"Advanced>>\" after a second press"
}

# Each click, in an order in which every control is enabled when it is
# clicked: caption|frame|the commands it sends|its check state afterwards.
readonly CLICKS='Display on VGA only, or|-|127 18|0
S-VHS|Output Signal|20 21|1
Composite|Output Signal|20 21|1
Show Normal output, or|-|6|0
Black|Test Signal|4|1
Ramp|Test Signal|5|1
Color Bars|Test Signal|6|1
None|Filter Selection|16|1
Medium|Filter Selection|17|1
Maximum|Filter Selection|18|1
Video Blanking Select|-|1|1
Black|Blanking Color|32|1
Blue|Blanking Color|33|1
Video Phase Select|-|22|1
PAL|Standard||1
NTSC|Standard||1
Horiz|-|3|0
Vert|-|2|0
Video Blanking Select|-|1|0
Show Normal output, or|-|7|1
Display on VGA only, or|-|23|1'

test_window_check_boxes_and_options_send_their_commands() {
    e2e_show_setup
    e2e_click QuendaSetup "Advanced >>"
    local caption frame codes checked before all=""
    while IFS='|' read -r caption frame codes checked <&3; do
        before="$(code_count)"
        click "$caption" "$frame"
        e2e_expect_eq "$codes" "$(codes_after $((before + $(wc -w <<<"$codes"))) "$before")" \
            "commands of \"$caption\" in \"$frame\""
        e2e_expect_eq "$checked" "$(child_state "$caption" "$frame" checked)" \
            "check state of \"$caption\" in \"$frame\""
        all+="${codes:+$codes }"
    done 3<<<"$CLICKS"
    e2e_expect_eq "${all% }" "$(codes_after 0 0)" "every command, in order"
    e2e_expect_one_escape_call_per_code
}

# Enabled flags after each click: the Output Signal group (frame, S-VHS,
# Composite) and the Test Signal group (frame, Black, Color Bars, Ramp).
readonly GROUP_STATES='-|0 0 0|0 0 0 0
Display on VGA only, or|1 1 1|0 0 0 0
Show Normal output, or|1 1 1|1 1 1 1
Display on VGA only, or|0 0 0|1 1 1 1
Show Normal output, or|0 0 0|0 0 0 0'

group_enabled() {
    local table
    table="$(child_table)"
    awk -F'|' '{ enabled[$2 "|" $3] = $9 }
        END {
            printf "%s %s %s|", enabled["Output Signal|-"], enabled["S-VHS|Output Signal"],
                enabled["Composite|Output Signal"]
            printf "%s %s %s %s\n", enabled["Test Signal|-"], enabled["Black|Test Signal"],
                enabled["Color Bars|Test Signal"], enabled["Ramp|Test Signal"]
        }' <<<"$table"
}

test_window_groups_follow_their_check_boxes() {
    e2e_show_setup
    e2e_click QuendaSetup "Advanced >>"
    # Greyed options take no click, even one that reaches their window.
    e2e_automate click --force --class QuendaSetup --child S-VHS >/dev/null
    e2e_automate click --force --class QuendaSetup --child Ramp >/dev/null
    local caption output test_signal
    while IFS='|' read -r caption output test_signal <&3; do
        [[ "$caption" == - ]] || click "$caption" -
        e2e_expect_eq "$output|$test_signal" "$(group_enabled)" "groups enabled after \"$caption\""
    done 3<<<"$GROUP_STATES"
    e2e_expect_eq "127 18 6 23 7" "$(codes_after 0 0)" "commands"
    e2e_expect_eq 0 "$(child_state S-VHS "Output Signal" checked)" "S-VHS selected"
    e2e_expect_eq 0 "$(child_state Ramp "Test Signal" checked)" "Ramp selected"
}

# Where Tab takes the focus in a freshly loaded window, at the compact width
# it opens at: from the first control in view, which has it when the window
# opens, through the left column only, and round to it again. "keys" marks
# the stops where Enter and Escape are pressed as well.
readonly TAB_STOPS='Medium|keys
Display on VGA only, or|keys
Advanced >>|keys
OK|keys
Cancel|keys
Exit|keys
Medium|'

test_window_keyboard_stays_in_view_and_enter_and_escape_do_nothing() {
    e2e_show_setup
    local lines caption keys previous=""
    lines="$(e2e_debug_lines)"
    while IFS='|' read -r caption keys <&3; do
        [[ -z "$previous" ]] || press_key VK_TAB "$previous"
        expect_focus "$caption"
        if [[ "$keys" == keys ]]; then
            press_key VK_RETURN "$caption"
            press_key VK_ESCAPE "$caption"
        fi
        previous="$caption"
    done 3<<<"$TAB_STOPS"
    # Each Tab was handled after the keys posted before it, so their effects,
    # if any, are in by now.
    e2e_window_shown QuendaSetup || e2e_fail "Enter or Escape hid the setup window"
    expect_lines "$lines" "$(e2e_debug_lines)" "debug lines"
    e2e_expect_eq "" "$(e2e_reg_dump)" "saved settings"
    # Keys pressed at once act on what the user sees: Space on the filter
    # already chosen changes nothing (no test signal behind the window's
    # edge), and Down chooses the next filter and sends it.
    press_key VK_SPACE Medium
    press_key VK_DOWN Medium
    expect_focus Maximum
    e2e_expect_eq 18 "$(codes_after 1 0)" "commands after Space and Down"
    # Wide, Tab goes on into the right column; narrowed again, the focus is
    # back where the user can see it.
    e2e_click QuendaSetup "Advanced >>"
    press_key VK_TAB "<<Advanced"
    expect_focus "Video Phase Select"
    e2e_click QuendaSetup "<<Advanced"
    expect_focus "Advanced>>"
}

test_window_close_box_puts_the_saved_filter_back_and_hides() {
    e2e_show_setup
    e2e_click QuendaSetup Maximum
    e2e_automate send --class QuendaSetup WM_SYSCOMMAND SC_CLOSE >/dev/null
    wait_until 5 e2e_window_hidden QuendaSetup || e2e_fail "the setup window is still shown"
    e2e_expect_eq "18 17" "$(codes_after 2 0)" "commands: Maximum, then Medium restored"
    e2e_expect_eq "" "$(e2e_reg_dump)" "saved settings"
    e2e_open_setup
    e2e_expect_eq "1 0" "$(child_state Medium "Filter Selection" checked) $(
        child_state Maximum "Filter Selection" checked)" "Medium and Maximum selected"
    e2e_expect_eq "18 17" "$(codes_after 2 0)" "commands after opening again"
}

e2e_main "$@"
