// Loads every resource of the tool the way the program does: PNG pictures through FindResource
// and GDI+, dialog templates through the dialog manager, the icon and the About string.
#include "framework/GdiplusSession.h"
#include "res/resource.h"

#include <windows.h>
#include <objidl.h>
#include <gdiplus.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <map>
#include <memory>
#include <string>
#include <type_traits>
#include <vector>

namespace {

struct PictureSize {
  int id;
  UINT width;
  UINT height;
};

// Every picture the windows and controls load, with its size in pixels.
const PictureSize kPictures[] = {
    {IDP_MAIN_FRAME, 410, 611},        {IDP_MAIN_CHILD, 400, 600},
    {IDP_CHECKBOX, 48, 16},            {IDP_CLOSE_NORMAL, 26, 34},
    {IDP_CLOSE_HOVER, 26, 34},         {IDP_CLOSE_PRESSED, 26, 34},
    {IDP_CLOSE_DISABLED, 26, 34},      {IDP_EXECUTE_FRAME, 232, 132},
    {IDP_EXECUTE_CHILD, 204, 104},     {IDP_MINIMIZE_NORMAL, 26, 34},
    {IDP_MINIMIZE_HOVER, 26, 34},      {IDP_MINIMIZE_PRESSED, 26, 34},
    {IDP_MINIMIZE_DISABLED, 26, 34},   {IDP_PROMPT_FRAME, 330, 150},
    {IDP_PROMPT_CHILD, 320, 140},      {IDP_CANCEL_NORMAL, 55, 24},
    {IDP_CANCEL_HOVER, 55, 24},        {IDP_CANCEL_PRESSED, 55, 24},
    {IDP_PROMPT_CLOSE_NORMAL, 12, 12}, {IDP_PROMPT_CLOSE_HOVER, 12, 12},
    {IDP_PROMPT_CLOSE_PRESSED, 12, 12}, {IDP_NO_NORMAL, 55, 24},
    {IDP_NO_HOVER, 55, 24},            {IDP_NO_PRESSED, 55, 24},
    {IDP_CONFIRM_NORMAL, 55, 24},      {IDP_CONFIRM_HOVER, 55, 24},
    {IDP_CONFIRM_PRESSED, 55, 24},     {IDP_YES_NORMAL, 55, 24},
    {IDP_YES_HOVER, 55, 24},           {IDP_YES_PRESSED, 55, 24},
    {IDP_FEEDBACK_FRAME, 410, 479},    {IDP_FEEDBACK_CHILD, 400, 468},
    {IDP_FEEDBACK_CLOSE_NORMAL, 12, 12}, {IDP_FEEDBACK_CLOSE_HOVER, 12, 12},
    {IDP_FEEDBACK_CLOSE_PRESSED, 12, 12}, {IDP_FEEDBACK_CLOSE_DISABLED, 12, 12},
    {IDP_SOLVED_NORMAL, 266, 60},      {IDP_SOLVED_HOVER, 266, 60},
    {IDP_SOLVED_PRESSED, 266, 60},     {IDP_SOLVED_DISABLED, 266, 60},
    {IDP_UNINSTALL_NORMAL, 246, 47},   {IDP_UNINSTALL_HOVER, 246, 47},
    {IDP_UNINSTALL_PRESSED, 246, 47},  {IDP_UNINSTALL_DISABLED, 246, 47},
    {IDP_UNSOLVED_NORMAL, 266, 60},    {IDP_UNSOLVED_HOVER, 266, 60},
    {IDP_UNSOLVED_PRESSED, 266, 60},   {IDP_UNSOLVED_DISABLED, 266, 60},
    {IDP_OTHER_NORMAL, 266, 60},       {IDP_OTHER_HOVER, 266, 60},
    {IDP_OTHER_PRESSED, 266, 60},      {IDP_OTHER_DISABLED, 266, 60},
    {IDP_MORE_TOOLS_NORMAL, 58, 18},   {IDP_MORE_TOOLS_HOVER, 58, 18},
    {IDP_MORE_TOOLS_PRESSED, 58, 18},  {IDP_MORE_TOOLS_DISABLED, 58, 18},
};

struct GlobalFreer {
  void operator()(void* block) const { GlobalFree(block); }
};
struct StreamReleaser {
  void operator()(IStream* stream) const { stream->Release(); }
};

// A decoded picture with the memory block and stream GDI+ may read from while it lives;
// members are destroyed bitmap first, block last.
struct Picture {
  std::unique_ptr<void, GlobalFreer> block;
  std::unique_ptr<IStream, StreamReleaser> stream;
  std::unique_ptr<Gdiplus::Bitmap> bitmap;
  std::vector<Gdiplus::ARGB> pixels;  // 32-bit ARGB, row after row
  UINT width = 0;
  UINT height = 0;

  BYTE Alpha(UINT x, UINT y) const { return static_cast<BYTE>(pixels[y * width + x] >> 24); }
};

// Loads a "PNG" resource of this program; returns null with a reason on any failure.
std::unique_ptr<Picture> LoadPicture(int id, std::string* why) {
  HMODULE module = GetModuleHandleW(nullptr);
  HRSRC info = FindResourceW(module, MAKEINTRESOURCEW(id), L"PNG");
  if (!info) {
    *why = "not found";
    return nullptr;
  }
  const DWORD size = SizeofResource(module, info);
  HGLOBAL loaded = LoadResource(module, info);
  const void* bytes = loaded ? LockResource(loaded) : nullptr;
  if (!bytes || size == 0) {
    *why = "cannot be loaded";
    return nullptr;
  }
  auto picture = std::make_unique<Picture>();
  picture->block.reset(GlobalAlloc(GMEM_MOVEABLE, size));
  if (!picture->block) {
    *why = "no memory";
    return nullptr;
  }
  void* target = GlobalLock(picture->block.get());
  memcpy(target, bytes, size);
  GlobalUnlock(picture->block.get());
  IStream* stream = nullptr;
  if (CreateStreamOnHGlobal(picture->block.get(), FALSE, &stream) != S_OK) {
    *why = "no stream";
    return nullptr;
  }
  picture->stream.reset(stream);
  picture->bitmap.reset(Gdiplus::Bitmap::FromStream(stream, FALSE));
  if (!picture->bitmap || picture->bitmap->GetLastStatus() != Gdiplus::Ok) {
    *why = "GDI+ cannot decode it";
    return nullptr;
  }
  picture->width = picture->bitmap->GetWidth();
  picture->height = picture->bitmap->GetHeight();
  Gdiplus::Rect all(0, 0, static_cast<INT>(picture->width), static_cast<INT>(picture->height));
  Gdiplus::BitmapData data{};
  if (picture->bitmap->LockBits(&all, Gdiplus::ImageLockModeRead, PixelFormat32bppARGB, &data) !=
      Gdiplus::Ok) {
    *why = "pixels cannot be read";
    return nullptr;
  }
  picture->pixels.resize(static_cast<size_t>(picture->width) * picture->height);
  for (UINT y = 0; y < picture->height; ++y) {
    memcpy(&picture->pixels[y * picture->width],
           static_cast<const BYTE*>(data.Scan0) + static_cast<ptrdiff_t>(y) * data.Stride,
           picture->width * sizeof(Gdiplus::ARGB));
  }
  picture->bitmap->UnlockBits(&data);
  return picture;
}

// Number of pixels whose colour differs by more than 64 in some channel, alpha-weighted.
int StronglyDifferingPixels(const Picture& a, const Picture& b) {
  int count = 0;
  for (size_t i = 0; i < a.pixels.size(); ++i) {
    const double alphaA = (a.pixels[i] >> 24) / 255.0;
    const double alphaB = (b.pixels[i] >> 24) / 255.0;
    for (int shift = 0; shift < 24; shift += 8) {
      const double ca = ((a.pixels[i] >> shift) & 0xFF) * alphaA + 255 * (1 - alphaA);
      const double cb = ((b.pixels[i] >> shift) & 0xFF) * alphaB + 255 * (1 - alphaB);
      if (ca - cb > 64 || cb - ca > 64) {
        ++count;
        break;
      }
    }
  }
  return count;
}

// Mean difference per colour channel (0..255) of two equally sized pictures, alpha-weighted,
// as the owner's white or skin background would show them.
double MeanDifference(const Picture& a, const Picture& b) {
  double sum = 0;
  for (size_t i = 0; i < a.pixels.size(); ++i) {
    for (int shift = 0; shift < 24; shift += 8) {
      const double alphaA = (a.pixels[i] >> 24) / 255.0;
      const double alphaB = (b.pixels[i] >> 24) / 255.0;
      const double ca = ((a.pixels[i] >> shift) & 0xFF) * alphaA + 255 * (1 - alphaA);
      const double cb = ((b.pixels[i] >> shift) & 0xFF) * alphaB + 255 * (1 - alphaB);
      sum += ca > cb ? ca - cb : cb - ca;
    }
  }
  return sum / (a.pixels.size() * 3.0);
}

class Pictures : public ::testing::Test {
 protected:
  static void SetUpTestSuite() { session_ = new CGdiplusSession; }
  static void TearDownTestSuite() {
    delete session_;
    session_ = nullptr;
  }
  std::unique_ptr<Picture> Load(int id) {
    std::string why;
    auto picture = LoadPicture(id, &why);
    EXPECT_TRUE(picture) << "PNG " << id << ": " << why;
    return picture;
  }
  static CGdiplusSession* session_;
};
CGdiplusSession* Pictures::session_ = nullptr;

TEST_F(Pictures, EveryPictureDecodesAtItsSize) {
  ASSERT_TRUE(session_->IsStarted());
  for (const PictureSize& expected : kPictures) {
    auto picture = Load(expected.id);
    if (!picture) continue;
    EXPECT_EQ(expected.width, picture->width) << "PNG " << expected.id;
    EXPECT_EQ(expected.height, picture->height) << "PNG " << expected.id;
  }
}

BOOL CALLBACK CollectName(HMODULE, LPCWSTR, LPWSTR name, LONG_PTR list) {
  if (IS_INTRESOURCE(name)) {
    reinterpret_cast<std::vector<int>*>(list)->push_back(static_cast<int>(
        reinterpret_cast<ULONG_PTR>(name)));
  } else {
    reinterpret_cast<std::vector<int>*>(list)->push_back(-1);  // a named PNG: never expected
  }
  return TRUE;
}

TEST_F(Pictures, NoPictureBeyondTheList) {
  std::vector<int> present;
  EnumResourceNamesW(GetModuleHandleW(nullptr), L"PNG", CollectName,
                     reinterpret_cast<LONG_PTR>(&present));
  std::vector<int> expected;
  for (const PictureSize& p : kPictures) expected.push_back(p.id);
  std::sort(present.begin(), present.end());
  std::sort(expected.begin(), expected.end());
  EXPECT_EQ(expected, present);
}

// Frames carry a soft shadow: transparent corners, a translucent border, an opaque middle
// where the controls dialog sits.
TEST_F(Pictures, FramesHaveSoftShadowsAndTransparentCorners) {
  struct Frame {
    int id;
    UINT left, top, right, bottom;  // shadow widths
  };
  const Frame frames[] = {{IDP_MAIN_FRAME, 5, 4, 5, 7},
                          {IDP_PROMPT_FRAME, 5, 3, 5, 7},
                          {IDP_EXECUTE_FRAME, 14, 12, 14, 16},
                          {IDP_FEEDBACK_FRAME, 5, 4, 5, 7}};
  for (const Frame& f : frames) {
    auto p = Load(f.id);
    if (!p) continue;
    const UINT w = p->width, h = p->height;
    EXPECT_EQ(0, p->Alpha(0, 0)) << f.id;
    EXPECT_EQ(0, p->Alpha(w - 1, 0)) << f.id;
    EXPECT_EQ(0, p->Alpha(0, h - 1)) << f.id;
    EXPECT_EQ(0, p->Alpha(w - 1, h - 1)) << f.id;
    // Inside the border, next to the art, the shadow is partly opaque on every side.
    const BYTE sides[] = {p->Alpha(f.left - 1, h / 2), p->Alpha(w - f.right, h / 2),
                          p->Alpha(w / 2, f.top - 1), p->Alpha(w / 2, h - f.bottom)};
    for (BYTE a : sides) {
      EXPECT_GT(a, 0) << f.id;
      EXPECT_LT(a, 255) << f.id;
    }
    // The art itself is opaque from edge to edge.
    EXPECT_EQ(255, p->Alpha(f.left, f.top)) << f.id;
    EXPECT_EQ(255, p->Alpha(w - f.right - 1, h - f.bottom - 1)) << f.id;
    EXPECT_EQ(255, p->Alpha(w / 2, h / 2)) << f.id;
  }
}

TEST_F(Pictures, BackgroundsAndSmallButtonsAreOpaque) {
  const int opaque[] = {IDP_MAIN_CHILD,       IDP_EXECUTE_CHILD,  IDP_PROMPT_CHILD,
                        IDP_FEEDBACK_CHILD,   IDP_CLOSE_NORMAL,   IDP_MINIMIZE_DISABLED,
                        IDP_CONFIRM_NORMAL,   IDP_YES_PRESSED,    IDP_PROMPT_CLOSE_HOVER,
                        IDP_MORE_TOOLS_NORMAL};
  for (int id : opaque) {
    auto p = Load(id);
    if (!p) continue;
    size_t translucent = 0;
    for (Gdiplus::ARGB px : p->pixels) translucent += (px >> 24) != 255;
    EXPECT_EQ(0u, translucent) << "PNG " << id;
  }
}

// The wide feedback buttons leave a transparent 9-pixel shadow margin around their face.
TEST_F(Pictures, FeedbackButtonsHaveAShadowMargin) {
  for (int id : {IDP_SOLVED_NORMAL, IDP_UNSOLVED_HOVER, IDP_OTHER_PRESSED}) {
    auto p = Load(id);
    if (!p) continue;
    EXPECT_EQ(0, p->Alpha(0, 0)) << id;
    EXPECT_LT(p->Alpha(p->width / 2, 2), 255) << id;
    EXPECT_EQ(255, p->Alpha(p->width / 2, p->height / 2)) << id;
  }
}

// Every state of a button must be told apart at a glance, not only by a stray pixel: either
// the whole face changes, or at least its mark (a dozen pixels and more) changes strongly.
TEST_F(Pictures, ButtonStatesAreDistinguishable) {
  const std::vector<std::vector<int>> groups = {
      {IDP_CLOSE_NORMAL, IDP_CLOSE_HOVER, IDP_CLOSE_PRESSED, IDP_CLOSE_DISABLED},
      {IDP_MINIMIZE_NORMAL, IDP_MINIMIZE_HOVER, IDP_MINIMIZE_PRESSED, IDP_MINIMIZE_DISABLED},
      {IDP_FEEDBACK_CLOSE_NORMAL, IDP_FEEDBACK_CLOSE_HOVER, IDP_FEEDBACK_CLOSE_PRESSED,
       IDP_FEEDBACK_CLOSE_DISABLED},
      {IDP_SOLVED_NORMAL, IDP_SOLVED_HOVER, IDP_SOLVED_PRESSED, IDP_SOLVED_DISABLED},
      {IDP_UNSOLVED_NORMAL, IDP_UNSOLVED_HOVER, IDP_UNSOLVED_PRESSED, IDP_UNSOLVED_DISABLED},
      {IDP_OTHER_NORMAL, IDP_OTHER_HOVER, IDP_OTHER_PRESSED, IDP_OTHER_DISABLED},
      {IDP_UNINSTALL_NORMAL, IDP_UNINSTALL_HOVER, IDP_UNINSTALL_PRESSED, IDP_UNINSTALL_DISABLED},
      {IDP_MORE_TOOLS_NORMAL, IDP_MORE_TOOLS_HOVER, IDP_MORE_TOOLS_PRESSED,
       IDP_MORE_TOOLS_DISABLED},
      // The prompt buttons use their pressed picture for the disabled state as well.
      {IDP_CANCEL_NORMAL, IDP_CANCEL_HOVER, IDP_CANCEL_PRESSED},
      {IDP_NO_NORMAL, IDP_NO_HOVER, IDP_NO_PRESSED},
      {IDP_CONFIRM_NORMAL, IDP_CONFIRM_HOVER, IDP_CONFIRM_PRESSED},
      {IDP_YES_NORMAL, IDP_YES_HOVER, IDP_YES_PRESSED},
      {IDP_PROMPT_CLOSE_NORMAL, IDP_PROMPT_CLOSE_HOVER, IDP_PROMPT_CLOSE_PRESSED},
  };
  for (const auto& group : groups) {
    std::vector<std::unique_ptr<Picture>> states;
    for (int id : group) states.push_back(Load(id));
    for (size_t i = 0; i < states.size(); ++i) {
      for (size_t j = i + 1; j < states.size(); ++j) {
        if (!states[i] || !states[j]) continue;
        const bool faceChanges = MeanDifference(*states[i], *states[j]) > 4.0;
        const bool markChanges = StronglyDifferingPixels(*states[i], *states[j]) >= 12;
        EXPECT_TRUE(faceChanges || markChanges)
            << "PNG " << group[i] << " and " << group[j] << " look alike";
      }
    }
  }
}

// Different labels must not share a picture (a copied file would pass the size check).
TEST_F(Pictures, LabelsDifferBetweenButtons) {
  const std::vector<std::pair<int, int>> pairs = {
      {IDP_YES_NORMAL, IDP_NO_NORMAL},         {IDP_CONFIRM_NORMAL, IDP_CANCEL_NORMAL},
      {IDP_YES_NORMAL, IDP_CONFIRM_NORMAL},    {IDP_SOLVED_NORMAL, IDP_UNSOLVED_NORMAL},
      {IDP_SOLVED_NORMAL, IDP_OTHER_NORMAL},   {IDP_CLOSE_NORMAL, IDP_MINIMIZE_NORMAL}};
  for (const auto& pair : pairs) {
    auto a = Load(pair.first);
    auto b = Load(pair.second);
    if (a && b) {
      EXPECT_GT(MeanDifference(*a, *b), 1.0) << pair.first << " " << pair.second;
    }
  }
}

TEST_F(Pictures, CheckBoxStripHasDifferentCheckedAndUncheckedCells) {
  auto p = Load(IDP_CHECKBOX);
  if (!p) return;
  int differing = 0;
  for (UINT y = 0; y < 16; ++y) {
    for (UINT x = 0; x < 16; ++x) {
      differing += p->pixels[y * p->width + x] != p->pixels[y * p->width + 16 + x];
    }
  }
  EXPECT_GT(differing, 100);
}

// ---------------------------------------------------------------- dialogs, icon, string

struct ControlSpec {
  int id;
  const wchar_t* className;
  const wchar_t* caption;
  DWORD style;  // as created: the template's style with WS_CHILD
};

struct DialogSpec {
  int id;
  DWORD style;  // popup, system menu, visibility
  std::vector<ControlSpec> controls;
};

const DWORD kOwnerDrawButton = WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_OWNERDRAW;
const DWORD kGroupStatic = WS_CHILD | WS_VISIBLE | WS_GROUP | SS_LEFT;

const std::vector<DialogSpec>& SkinDialogs() {
  static const std::vector<DialogSpec> dialogs = {
      {IDD_MAIN_DLG, WS_POPUP | WS_VISIBLE | WS_SYSMENU, {}},
      {IDD_MAIN_CHILD_DLG,
       WS_POPUP | WS_SYSMENU,
       {{IDC_UNINSTALL, L"Button", L"卸载", kOwnerDrawButton},
        {IDC_BTN_CLOSE, L"Button", L"关闭", kOwnerDrawButton},
        {IDC_BTN_MINIMIZE, L"Button", L"最小化", kOwnerDrawButton},
        {IDC_VERSION, L"Static", L"Static", kGroupStatic},
        {IDC_AGREE, L"Button", L"同意", WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_AUTOCHECKBOX},
        {IDC_AGREEMENT_LINK, L"Static", L"《Halvex服务工具使用许可协议》", kGroupStatic},
        {IDC_FEEDBACK_LINK, L"Static", L"反馈问题", kGroupStatic},
        {IDC_PATCH_EDIT, L"Edit", L"",
         WS_CHILD | WS_VISIBLE | WS_BORDER | WS_TABSTOP | ES_AUTOHSCROLL},
        {IDC_MORE_TOOLS, L"Button", L"更多工具", kOwnerDrawButton}}},
      {IDD_EXECUTE_PROMPT_CHILD_DLG,
       WS_POPUP | WS_SYSMENU,
       {{IDC_STATE_INFO, L"Static", L"Static", kGroupStatic}}},
      {IDD_EXECUTE_PROMPT_DLG, WS_POPUP | WS_SYSMENU, {}},
      {IDD_FEEDBACK_CHILD_DLG,
       WS_POPUP | WS_SYSMENU,
       {{IDC_FEEDBACK_CLOSE, L"Button", L"关闭", kOwnerDrawButton},
        {IDC_FEEDBACK_SOLVED, L"Button", L"解决", kOwnerDrawButton},
        {IDC_FEEDBACK_UNSOLVED, L"Button", L"未解决", kOwnerDrawButton},
        {IDC_FEEDBACK_OTHER, L"Button", L"更多方案", kOwnerDrawButton}}},
      {IDD_FEEDBACK_DLG, WS_POPUP | WS_SYSMENU, {}},
      {IDD_PROMPT_CHILD_DLG,
       WS_POPUP | WS_SYSMENU,
       {{IDC_PROMPT_OK, L"Button", L"确定", kOwnerDrawButton},
        {IDC_PROMPT_CANCEL, L"Button", L"取消", kOwnerDrawButton},
        {IDC_BTN_CLOSE, L"Button", L"关闭", kOwnerDrawButton},
        {IDC_PROMPT_TEXT, L"Static", L"Static", kGroupStatic}}},
      {IDD_PROMPT_DLG, WS_POPUP | WS_SYSMENU, {}},
  };
  return dialogs;
}

INT_PTR CALLBACK PlainDialogProc(HWND, UINT, WPARAM, LPARAM) { return FALSE; }

std::wstring ClassOf(HWND window) {
  wchar_t name[64] = {};
  GetClassNameW(window, name, 64);
  return name;
}

std::wstring TextOf(HWND window) {
  wchar_t text[256] = {};
  GetWindowTextW(window, text, 256);
  return text;
}

struct WindowDestroyer {
  void operator()(HWND window) const { DestroyWindow(window); }
};
using UniqueWindow = std::unique_ptr<std::remove_pointer_t<HWND>, WindowDestroyer>;

TEST(Dialogs, SkinTemplatesCreateWithTheirControls) {
  for (const DialogSpec& expected : SkinDialogs()) {
    UniqueWindow dialog(CreateDialogParamW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(expected.id),
                                           nullptr, PlainDialogProc, 0));
    ASSERT_TRUE(dialog) << "template " << expected.id;
    const DWORD style = static_cast<DWORD>(GetWindowLongPtrW(dialog.get(), GWL_STYLE));
    EXPECT_EQ(expected.style, style & (WS_POPUP | WS_CHILD | WS_VISIBLE | WS_SYSMENU | WS_CAPTION |
                                   WS_BORDER | WS_THICKFRAME))
        << "template " << expected.id;
    EXPECT_EQ(TextOf(dialog.get()), L"") << "template " << expected.id;

    // The dialog font is 宋体 10 points, Chinese character set.
    HFONT font = reinterpret_cast<HFONT>(SendMessageW(dialog.get(), WM_GETFONT, 0, 0));
    ASSERT_TRUE(font) << "template " << expected.id;
    LOGFONTW face{};
    ASSERT_EQ(static_cast<int>(sizeof face), GetObjectW(font, sizeof face, &face));
    EXPECT_STREQ(L"宋体", face.lfFaceName) << "template " << expected.id;
    HDC screen = GetDC(nullptr);
    const int pixelsPerInch = GetDeviceCaps(screen, LOGPIXELSY);
    ReleaseDC(nullptr, screen);
    EXPECT_EQ(-MulDiv(10, pixelsPerInch, 72), face.lfHeight) << "template " << expected.id;

    int children = 0;
    for (HWND child = GetWindow(dialog.get(), GW_CHILD); child;
         child = GetWindow(child, GW_HWNDNEXT)) {
      ++children;
    }
    EXPECT_EQ(static_cast<int>(expected.controls.size()), children) << "template " << expected.id;
    for (const ControlSpec& control : expected.controls) {
      HWND item = GetDlgItem(dialog.get(), control.id);
      ASSERT_TRUE(item) << "template " << expected.id << " control " << control.id;
      EXPECT_EQ(0, _wcsicmp(control.className, ClassOf(item).c_str())) << control.id;
      EXPECT_EQ(control.caption, TextOf(item)) << control.id;
      DWORD itemStyle = static_cast<DWORD>(GetWindowLongPtrW(item, GWL_STYLE));
      // The dialog manager turns an edit box's border into the sunken client edge.
      if (GetWindowLongPtrW(item, GWL_EXSTYLE) & WS_EX_CLIENTEDGE) itemStyle |= WS_BORDER;
      EXPECT_EQ(control.style, itemStyle & control.style) << control.id;
      if (control.className == std::wstring(L"Button")) {
        EXPECT_EQ(control.style & BS_TYPEMASK, itemStyle & BS_TYPEMASK) << control.id;
      }
    }
  }
}

// Template sizes in dialog units, as the frames and their controls dialogs are designed.
TEST(Dialogs, TemplateSizesInDialogUnits) {
  const std::map<int, SIZE> sizes = {
      {IDD_ABOUTBOX, {170, 62}},           {IDD_MAIN_DLG, {457, 369}},
      {IDD_MAIN_CHILD_DLG, {457, 369}},    {IDD_EXECUTE_PROMPT_CHILD_DLG, {240, 130}},
      {IDD_EXECUTE_PROMPT_DLG, {240, 130}}, {IDD_FEEDBACK_CHILD_DLG, {440, 343}},
      {IDD_FEEDBACK_DLG, {440, 343}},       {IDD_PROMPT_CHILD_DLG, {200, 110}},
      {IDD_PROMPT_DLG, {200, 110}}};
  for (const auto& [id, size] : sizes) {
    UniqueWindow dialog(CreateDialogParamW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(id),
                                           nullptr, PlainDialogProc, 0));
    ASSERT_TRUE(dialog) << id;
    RECT units = {0, 0, size.cx, size.cy};
    MapDialogRect(dialog.get(), &units);
    RECT client{};
    GetClientRect(dialog.get(), &client);
    EXPECT_EQ(units.right, client.right) << id;
    EXPECT_EQ(units.bottom, client.bottom) << id;
  }
}

TEST(Dialogs, AboutBoxShowsIconTextAndOk) {
  UniqueWindow about(CreateDialogParamW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDD_ABOUTBOX),
                                        nullptr, PlainDialogProc, 0));
  ASSERT_TRUE(about);
  EXPECT_EQ(L"关于 TarnellSystemPatchUninstallTool", TextOf(about.get()));
  const DWORD style = static_cast<DWORD>(GetWindowLongPtrW(about.get(), GWL_STYLE));
  EXPECT_EQ(static_cast<DWORD>(WS_CAPTION | WS_SYSMENU), style & (WS_CAPTION | WS_SYSMENU));
  HWND ok = GetDlgItem(about.get(), IDOK);
  ASSERT_TRUE(ok);
  EXPECT_EQ(L"确定", TextOf(ok));
  bool text = false, icon = false;
  for (HWND child = GetWindow(about.get(), GW_CHILD); child;
       child = GetWindow(child, GW_HWNDNEXT)) {
    if (TextOf(child) == L"TarnellSystemPatchUninstallTool，1.9.22.1021 版") text = true;
    if ((GetWindowLongPtrW(child, GWL_STYLE) & SS_TYPEMASK) == SS_ICON &&
        SendMessageW(child, STM_GETICON, 0, 0) != 0) {
      icon = true;
    }
  }
  EXPECT_TRUE(text);
  EXPECT_TRUE(icon);
}

TEST(Resources, IconAndAboutString) {
  for (int size : {16, 32, 48}) {
    HICON icon = static_cast<HICON>(LoadImageW(GetModuleHandleW(nullptr),
                                               MAKEINTRESOURCEW(IDR_MAINFRAME), IMAGE_ICON, size,
                                               size, LR_DEFAULTCOLOR));
    EXPECT_TRUE(icon) << size;
    if (icon) DestroyIcon(icon);
  }
  wchar_t text[128] = {};
  ASSERT_GT(LoadStringW(GetModuleHandleW(nullptr), IDS_ABOUTBOX, text, 128), 0);
  EXPECT_STREQ(L"关于 TarnellSystemPatchUninstallTool(&A)...", text);
}

}  // namespace
