// Resource ids of the tool: dialogs (IDD_), controls (IDC_), PNG pictures (IDP_, type "PNG"),
// the icon, the About string and the manifest. Shared by the .rc file and the C++ sources.
#pragma once

// Icon and strings.
#define IDR_MAINFRAME                      128
#define IDS_ABOUTBOX                       101

// Dialog templates. A skinned window is a pair: a frame (_DLG) and its controls dialog (_CHILD_DLG).
#define IDD_ABOUTBOX                       100
#define IDD_MAIN_DLG                       102
#define IDD_EXECUTE_PROMPT_CHILD_DLG       129
#define IDD_EXECUTE_PROMPT_DLG             130
#define IDD_FEEDBACK_CHILD_DLG             131
#define IDD_FEEDBACK_DLG                   132
#define IDD_PROMPT_CHILD_DLG               133
#define IDD_PROMPT_DLG                     134
#define IDD_MAIN_CHILD_DLG                 137

// Controls.
#define IDC_STATE_INFO                     1000  // wait dialog: animated status text
#define IDC_FEEDBACK_CLOSE                 1001  // feedback dialog: close button (always hidden)
#define IDC_FEEDBACK_SOLVED                1002
#define IDC_FEEDBACK_UNSOLVED              1003
#define IDC_BTN_CLOSE                      1004  // main window and prompt: close button
#define IDC_PROMPT_TEXT                    1005
#define IDC_PROMPT_OK                      1006
#define IDC_PROMPT_CANCEL                  1007
#define IDC_BTN_MINIMIZE                   1009
#define IDC_AGREE                          1010  // agreement check box
#define IDC_VERSION                        1011
#define IDC_UNINSTALL                      1012
#define IDC_AGREEMENT_LINK                 1013
#define IDC_FEEDBACK_LINK                  1014
#define IDC_PATCH_EDIT                     1015
#define IDC_FEEDBACK_OTHER                 1016
#define IDC_MORE_TOOLS                     1017
#define IDC_ABOUT_VERSION                  1018  // About box: the tool's name and version

// PNG pictures. Button images come in the order normal, hover, pressed, disabled.
#define IDP_MAIN_FRAME                     138   // 410 x 611, per-pixel alpha
#define IDP_MAIN_CHILD                     139   // 400 x 600, opaque main background
#define IDP_CHECKBOX                       140   // 48 x 16: unchecked, checked, unused cell
#define IDP_CLOSE_NORMAL                   141   // 26 x 34
#define IDP_CLOSE_HOVER                    142
#define IDP_CLOSE_PRESSED                  143
#define IDP_CLOSE_DISABLED                 144
#define IDP_EXECUTE_FRAME                  145   // 232 x 132, per-pixel alpha
#define IDP_EXECUTE_CHILD                  146   // 204 x 104
#define IDP_MINIMIZE_NORMAL                147   // 26 x 34
#define IDP_MINIMIZE_HOVER                 148
#define IDP_MINIMIZE_PRESSED               149
#define IDP_MINIMIZE_DISABLED              150
#define IDP_PROMPT_FRAME                   151   // 330 x 150, per-pixel alpha
#define IDP_PROMPT_CHILD                   152   // 320 x 140
#define IDP_CANCEL_NORMAL                  153   // 55 x 24, lettering 取消; pressed is also disabled
#define IDP_CANCEL_HOVER                   154
#define IDP_CANCEL_PRESSED                 155
#define IDP_PROMPT_CLOSE_NORMAL            156   // 12 x 12; pressed is also disabled
#define IDP_PROMPT_CLOSE_HOVER             157
#define IDP_PROMPT_CLOSE_PRESSED           158
#define IDP_NO_NORMAL                      159   // 55 x 24, lettering 否
#define IDP_NO_HOVER                       160
#define IDP_NO_PRESSED                     161
#define IDP_CONFIRM_NORMAL                 162   // 55 x 24, lettering 确认
#define IDP_CONFIRM_HOVER                  163
#define IDP_CONFIRM_PRESSED                164
#define IDP_YES_NORMAL                     165   // 55 x 24, lettering 是
#define IDP_YES_HOVER                      166
#define IDP_YES_PRESSED                    167
#define IDP_FEEDBACK_FRAME                 168   // 410 x 479, per-pixel alpha
#define IDP_FEEDBACK_CHILD                 169   // 400 x 468
#define IDP_FEEDBACK_CLOSE_NORMAL          170   // 12 x 12
#define IDP_FEEDBACK_CLOSE_HOVER           171
#define IDP_FEEDBACK_CLOSE_PRESSED         172
#define IDP_FEEDBACK_CLOSE_DISABLED        173
#define IDP_SOLVED_NORMAL                  175   // 266 x 60, 9-pixel shadow margin
#define IDP_SOLVED_HOVER                   176
#define IDP_SOLVED_PRESSED                 177
#define IDP_SOLVED_DISABLED                178
#define IDP_UNINSTALL_NORMAL               180   // 246 x 47
#define IDP_UNINSTALL_HOVER                181
#define IDP_UNINSTALL_PRESSED              182
#define IDP_UNINSTALL_DISABLED             183
#define IDP_UNSOLVED_NORMAL                184   // 266 x 60
#define IDP_UNSOLVED_HOVER                 185
#define IDP_UNSOLVED_PRESSED               186
#define IDP_UNSOLVED_DISABLED              187
#define IDP_OTHER_NORMAL                   188   // 266 x 60
#define IDP_OTHER_HOVER                    189
#define IDP_OTHER_PRESSED                  190
#define IDP_OTHER_DISABLED                 191
#define IDP_MORE_TOOLS_NORMAL              192   // 58 x 18
#define IDP_MORE_TOOLS_HOVER               193
#define IDP_MORE_TOOLS_PRESSED             194
#define IDP_MORE_TOOLS_DISABLED            195
