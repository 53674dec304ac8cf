#pragma once
// What distinguishes one skinned frame/controls pair from another: its templates, pictures and
// pixel geometry. Each pair's frame and controls dialog are constructed with the same values.
#include "ui/dialogs/SkinGeometry.h"

struct SkinPairValues {
  unsigned frameTemplate = 0;     // dialog template of the frame (no controls)
  unsigned framePng = 0;          // the frame's picture, per-pixel alpha
  unsigned controlsTemplate = 0;  // dialog template of the controls dialog
  unsigned controlsPng = 0;       // the controls dialog's opaque background
  SkinPairGeometry geometry;
  bool smoothFrame = false;       // draw the frame picture with high-quality smoothing
  // The main window's way: the controls dialog is placed centred on the screen (not over the
  // frame's first place), the frame follows it from its very first move and never leads.
  bool controlsLead = false;
};

// The tool's three dialog pairs: the prompt, the wait dialog and the feedback question.
SkinPairValues PromptPairValues();
SkinPairValues ExecutePromptPairValues();
SkinPairValues FeedbackPairValues();
