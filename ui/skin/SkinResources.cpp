#include "ui/skin/SkinResources.h"

#include "framework/GdiObjects.h"
#include "framework/WinApp.h"

#include "base/ScopedHandle.h"

#include <algorithm>
#include <condition_variable>
#include <cstring>
#include <map>
#include <mutex>
#include <vector>

namespace {

BOOL DecodePngResource(Gdiplus::Image** image, UINT id) {
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
  // A bitmap object, whose decoded pixels can be read as they are.
  *image = Gdiplus::Bitmap::FromStream(stream, FALSE);
  stream->Release();
  return *image != nullptr;
}

// Pictures decoded ahead: each waits for its first load; a missing resource is kept as null.
struct Prefetch {
  std::mutex lock;
  std::condition_variable decoded;
  std::vector<UINT> pending;  // in the order of decoding
  std::map<UINT, PngImage> ready;
  bool working = false;
};

Prefetch& Prefetched() {
  static Prefetch prefetch;
  return prefetch;
}

DWORD WINAPI DecodeAhead(LPVOID) {
  Prefetch& prefetch = Prefetched();
  for (;;) {
    UINT id = 0;
    {
      const std::lock_guard<std::mutex> hold(prefetch.lock);
      if (prefetch.pending.empty()) {
        prefetch.working = false;
        prefetch.decoded.notify_all();
        return 0;
      }
      id = prefetch.pending.front();
    }
    Gdiplus::Image* image = nullptr;
    if (!DecodePngResource(&image, id)) image = nullptr;
    const std::lock_guard<std::mutex> hold(prefetch.lock);
    prefetch.pending.erase(prefetch.pending.begin());
    prefetch.ready[id].reset(image);
    prefetch.decoded.notify_all();
  }
}

// True when the picture was (or is being) decoded ahead; `image` then receives it.
bool TakePrefetched(UINT id, PngImage& image) {
  Prefetch& prefetch = Prefetched();
  std::unique_lock<std::mutex> hold(prefetch.lock);
  const auto waiting = [&] {
    return std::find(prefetch.pending.begin(), prefetch.pending.end(), id) !=
           prefetch.pending.end();
  };
  if (!waiting() && prefetch.ready.count(id) == 0) return false;
  prefetch.decoded.wait(hold, [&] { return !waiting(); });
  const auto found = prefetch.ready.find(id);
  image = std::move(found->second);
  prefetch.ready.erase(found);
  return true;
}

}  // namespace

void PrefetchPngResources(std::initializer_list<UINT> ids) {
  Prefetch& prefetch = Prefetched();
  const std::lock_guard<std::mutex> hold(prefetch.lock);
  if (prefetch.working) return;
  prefetch.pending.assign(ids.begin(), ids.end());
  // Its own thread, not one of the tool's worker threads: it reports to no window.
  const CScopedHandle worker(::CreateThread(nullptr, 0, DecodeAhead, nullptr, 0, nullptr));
  prefetch.working = worker.IsValid();
  if (!prefetch.working) prefetch.pending.clear();  // every picture is then decoded when loaded
}

void DiscardPrefetchedPngResources() {
  Prefetch& prefetch = Prefetched();
  std::unique_lock<std::mutex> hold(prefetch.lock);
  prefetch.decoded.wait(hold, [&] { return !prefetch.working; });
  prefetch.ready.clear();
}

BOOL LoadPngResource(Gdiplus::Image** image, UINT id) {
  PngImage prefetched;
  if (!TakePrefetched(id, prefetched)) return DecodePngResource(image, id);
  if (!prefetched) return FALSE;
  *image = prefetched.release();
  return TRUE;
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
