#pragma once

// Dialog templates and control ids of the framework tests.
#define IDD_FW_OWNER 200
#define IDD_FW_MODAL 201
#define IDD_FW_PANEL 202

#define IDC_FW_DRAWN_BUTTON 1001
#define IDC_FW_EDIT 1002
#define IDC_FW_DRAWN_STATIC 1003
#define IDC_FW_LABEL 1004
#define IDC_FW_PANEL_EDIT 1005
