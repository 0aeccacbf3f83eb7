# shellcheck shell=bash
# What scripts that stand in for the shell, or look for the program, call
# it: the class of its start-up window, and what the shell sends that window
# when the icon is pressed (the program's own callback message, WM_USER + 1,
# for its icon, with the mouse message in lParam). The C++ names the same in
# src/tray/ (tray_record.h, tray_window_procedure.h, residency.h). Sourced,
# not run; the installer gets them as defines (packaging/make-installer).
# shellcheck disable=SC2034 # read by the scripts that source this file
QUENDA_POPUP_CLASS=QuendaPopUp
TRAY_CALLBACK_MSG=1025
TRAY_ICON_ID=100
WM_LBUTTONDOWN=513
