#include "framework/Static.h"

void CStatic::DrawItem(LPDRAWITEMSTRUCT) {}  // owner-drawn statics override this
