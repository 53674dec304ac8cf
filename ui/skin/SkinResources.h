#pragma once
// PNG pictures from the program's resources, and the screen's scale factor.
#include "framework/GdiPlusInclude.h"
#include "ui/skin/SkinScale.h"

#include <initializer_list>
#include <memory>

using PngImage = std::unique_ptr<Gdiplus::Image>;

// Loads the resource of type "PNG" with integer id `id` from the resource module into a new
// image (a Gdiplus::Bitmap) owned by the caller. FALSE only when the resource is missing or
// cannot be loaded; an image that GDI+ cannot decode is still returned. The image keeps its own
// copy of the bytes, freed when the image is deleted.
BOOL LoadPngResource(Gdiplus::Image** image, UINT id);
// The same into an owning pointer (left unchanged on failure).
BOOL LoadPngResource(PngImage& image, UINT id);

// Starts decoding these pictures on a worker thread, so that the first window finds them ready:
// LoadPngResource then hands each one over (waiting for it if its turn has not come) instead of
// decoding it again; a later load of the same picture decodes anew. Call it once, early.
void PrefetchPngResources(std::initializer_list<UINT> ids);
// Waits for the worker and deletes what nobody took: before GDI+ ends.
void DiscardPrefetchedPngResources();

// LOGPIXELSY of the screen turned into the skin's scale factor (see ScaleFactorFromLogPixels).
float ScreenScaleFactor();

inline SkinRect ToSkinRect(const RECT& r) { return {r.left, r.top, r.right, r.bottom}; }
inline RECT ToRect(const SkinRect& r) { return {r.left, r.top, r.right, r.bottom}; }
