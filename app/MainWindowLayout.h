#pragma once
// Where the main window's controls go for a client rectangle and a scale factor. No window here:
// the two text widths are measured by the caller.
#include "ui/skin/SkinScale.h"

struct MainWindowLayout {
  SkinRect close;
  SkinRect minimise;
  SkinRect version;
  SkinRect patchEdit;
  SkinRect uninstall;
  SkinRect uninstallSource;  // the part of the background picture under the button
  SkinRect moreTools;
  SkinRect moreToolsSource;
  SkinRect agreementBox;
  SkinRect agreementLink;
  SkinRect feedbackLink;
};

// The window counts as wide above 400 pixels of client width (at 100 % it is exactly 400): then
// every size is the scaled one and the buttons take their fixed places in the picture;
// otherwise they are centred in the client area at their unscaled sizes. The agreement
// text's width gives fourteen units: the link is fourteen wide and the box takes two.
MainWindowLayout LayOutMainWindow(const SkinRect& client, float s, int agreementTextWidth,
                                  int feedbackTextWidth);
