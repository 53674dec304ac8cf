#include "ui/skin/SkinResources.h"

#include "framework/GdiObjects.h"
#include "framework/WinApp.h"

#include <cstring>

BOOL LoadPngResource(Gdiplus::Image** image, UINT id) {
  const HINSTANCE module = AfxGetResourceHandle();
  const HRSRC info = ::FindResourceW(module, MAKEINTRESOURCEW(id), L"PNG");
  if (!info) return FALSE;
  const DWORD size = ::SizeofResource(module, info);
  const HGLOBAL loaded = ::LoadResource(module, info);
  const void* bytes = loaded ? ::LockResource(loaded) : nullptr;
  if (!bytes || size == 0) return FALSE;

  // A stream over global memory needs a movable block.
  ScopedGlobalMemory memory(GMEM_MOVEABLE, size);
  if (!memory) return FALSE;
  {
    ScopedGlobalLock lock(memory.get());
    if (!lock.get()) return FALSE;
    std::memcpy(lock.get(), bytes, size);
  }
  IStream* stream = nullptr;
  if (FAILED(::CreateStreamOnHGlobal(memory.get(), TRUE, &stream))) return FALSE;
  // The stream frees the block at its last release; GDI+ holds the stream for as long as the
  // image lives (it may decode lazily), so the bytes go exactly when the image is deleted.
  memory.release();
  *image = Gdiplus::Image::FromStream(stream, FALSE);
  stream->Release();
  return *image != nullptr;
}

BOOL LoadPngResource(PngImage& image, UINT id) {
  Gdiplus::Image* loaded = nullptr;
  if (!LoadPngResource(&loaded, id)) return FALSE;
  image.reset(loaded);
  return TRUE;
}

float ScreenScaleFactor() {
  const ScopedDC screen(nullptr);
  return ScaleFactorFromLogPixels(screen ? ::GetDeviceCaps(screen, LOGPIXELSY) : 96);
}
