#pragma once

// The driver's target dialog.
#define IDD_DRIVER_TARGET 300

#define IDC_TARGET_EDIT 1101
#define IDC_TARGET_COUNT_BUTTON 1102
#define IDC_TARGET_COUNT 1103
#define IDC_TARGET_SWATCH 1104
#define IDC_TARGET_HIDDEN 1105
#define IDC_TARGET_DISABLED 1106

// The swatch's colour, for screenshot checks.
#define TARGET_SWATCH_COLOUR RGB(255, 0, 128)
// Exit code when the dialog ends with OK: this plus the number of clicks.
#define TARGET_EXIT_OK_BASE 100
