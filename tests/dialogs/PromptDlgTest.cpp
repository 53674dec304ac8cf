// The prompt on a real screen: the buttons of every prompt type with their places and lettering,
// at 96 and at 120 dots per inch; the answers of real clicks; an empty line in the message;
// dragging by the title band only.
#include "tests/dialogs/SkinTestKit.h"

#include "res/resource.h"
#include "ui/dialogs/PromptDlg.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace {

const UINT YES[4] = {IDP_YES_NORMAL, IDP_YES_HOVER, IDP_YES_PRESSED, IDP_YES_PRESSED};
const UINT NO[4] = {IDP_NO_NORMAL, IDP_NO_HOVER, IDP_NO_PRESSED, IDP_NO_PRESSED};
const UINT CONFIRM[4] = {IDP_CONFIRM_NORMAL, IDP_CONFIRM_HOVER, IDP_CONFIRM_PRESSED,
                         IDP_CONFIRM_PRESSED};
const UINT CANCEL[4] = {IDP_CANCEL_NORMAL, IDP_CANCEL_HOVER, IDP_CANCEL_PRESSED,
                        IDP_CANCEL_PRESSED};

struct PromptCase {
  int type;
  const UINT (&ok)[4];
  const UINT (&cancel)[4];
  bool cancelShown;
  bool okCentred;
};

const PromptCase CASES[] = {
    {PROMPT_YES, YES, NO, false, true},
    {PROMPT_YES_NO, YES, NO, true, false},
    {PROMPT_CONFIRM, CONFIRM, CANCEL, false, true},
    {PROMPT_CONFIRM_CANCEL, CONFIRM, CANCEL, true, false},
    {7, YES, NO, false, false},  // outside the four: 是 alone, where it stands beside 否
};

// Places in the controls dialog's client area (left, top, right, bottom).
struct PromptGeometry {
  float scale;
  SIZE frame;
  SIZE controlsCreated;  // where the frame put it at creation
  SIZE controls;         // once the frame was centred and carried it along
  SkinRect close;
  SkinRect ok;
  SkinRect cancel;
  SkinRect okCentred;
  SkinRect message;
};

const PromptGeometry GEOMETRY[] = {
    {1.0f,
     {336, 156},
     {326, 146},
     {326, 146},
     {300, 8, 312, 20},
     {96, 107, 151, 131},
     {175, 107, 230, 131},
     {135, 107, 190, 131},
     {10, 35, 316, 106}},
    // The 32-bit factor makes 10·s slightly more than 12: one pixel less at creation.
    {1.2f,
     {403, 187},
     {390, 174},
     {391, 176},
     {360, 9, 374, 23},
     {114, 128, 180, 156},
     {209, 128, 275, 156},
     {161, 128, 227, 156},
     {12, 42, 379, 128}},
};

SkinRect PlaceOf(HWND controls, int id) {
  driver::ControlInfo info;
  return driver::FindControl(controls, id, &info) ? ToSkinRect(info.client) : SkinRect{};
}

// Rows of a screen rectangle that hold dark (text) pixels, as runs [first, last].
std::vector<std::pair<int, int>> InkRows(const RECT& area) {
  const ScreenPixels shot = CaptureScreen(area);
  std::vector<std::pair<int, int>> runs;
  for (int y = area.top; y < area.bottom; ++y) {
    bool ink = false;
    for (int x = area.left; x < area.right && !ink; ++x) ink = GetGValue(shot.At(x, y)) < 128;
    if (!ink) continue;
    const int row = y - area.top;
    if (!runs.empty() && runs.back().second == row - 1) {
      runs.back().second = row;
    } else {
      runs.push_back({row, row});
    }
  }
  return runs;
}

int LineHeightOf(HWND dialog) {
  const HFONT font = reinterpret_cast<HFONT>(::SendMessageW(dialog, WM_GETFONT, 0, 0));
  const HDC screen = ::GetDC(nullptr);
  const HGDIOBJ old = ::SelectObject(screen, font);
  TEXTMETRICW metrics = {};
  ::GetTextMetricsW(screen, &metrics);
  ::SelectObject(screen, old);
  ::ReleaseDC(nullptr, screen);
  return metrics.tmHeight;
}

class PromptDlgTest : public ::testing::Test {
protected:
  void SetUp() override {
    ASSERT_TRUE(LoadPngResource(m_background, IDP_PROMPT_CHILD));
    const auto found = std::find_if(std::begin(GEOMETRY), std::end(GEOMETRY),
                                    [&](const PromptGeometry& g) { return g.scale == m_scale; });
    ASSERT_NE(std::end(GEOMETRY), found) << "no expectations for scale " << m_scale;
    m_geometry = *found;
  }

  // Runs a prompt; `drive` gets the frame and the controls dialog once both are on screen.
  INT_PTR Run(int type, const std::wstring& text,
              const std::function<void(HWND frame, HWND controls)>& drive) {
    CPromptDlg prompt;
    prompt.m_scale = m_scale;
    prompt.SetPromptText(text);
    prompt.SetPromptType(type);
    return RunModalWithDriver(prompt, [&] {
      ASSERT_TRUE(WaitUntilShown(prompt));
      drive(prompt.m_hWnd, ControlsWindowOf(prompt.m_hWnd));
    });
  }

  std::wstring Suffix() const { return m_scale > 1.0f ? L"_120dpi" : L""; }

  CGdiplusSession m_gdiplus;
  float m_scale = ScreenScaleFactor();
  PromptGeometry m_geometry = {};
  PngImage m_background;  // the controls dialog's picture, whose slices the buttons paint
};

}  // namespace

TEST_F(PromptDlgTest, EachTypeShowsItsButtonsInPlaceWithTheirLettering) {
  for (const PromptCase& c : CASES) {
    SCOPED_TRACE(c.type);
    WindowSizeLog sizes;
    HWND controlsSeen = nullptr;
    Run(c.type, L"确定要卸载补丁 KB4516058 吗？", [&](HWND frame, HWND controls) {
      controlsSeen = controls;
      MovePointer(0, 0);  // no button hovered
      const RECT frameRect = WindowRectOf(frame);
      EXPECT_EQ(m_geometry.frame.cx, frameRect.right - frameRect.left);
      EXPECT_EQ(m_geometry.frame.cy, frameRect.bottom - frameRect.top);
      const HWND ok = ::GetDlgItem(controls, IDC_PROMPT_OK);
      const HWND cancel = ::GetDlgItem(controls, IDC_PROMPT_CANCEL);
      EXPECT_TRUE(::IsWindowVisible(::GetDlgItem(controls, IDC_BTN_CLOSE)));
      EXPECT_TRUE(::IsWindowVisible(ok));
      EXPECT_EQ(c.cancelShown, ::IsWindowVisible(cancel) != FALSE);
      EXPECT_EQ(m_geometry.close, PlaceOf(controls, IDC_BTN_CLOSE));
      EXPECT_EQ(c.okCentred ? m_geometry.okCentred : m_geometry.ok,
                PlaceOf(controls, IDC_PROMPT_OK));
      EXPECT_EQ(m_geometry.cancel, PlaceOf(controls, IDC_PROMPT_CANCEL));
      EXPECT_EQ(m_geometry.message, PlaceOf(controls, IDC_PROMPT_TEXT));

      // The lettering by the picture: this type's images fit, the other pair's do not.
      const bool confirm = &c.ok == &CONFIRM;
      const ButtonLook okLook(m_background.get(), {106, 107, 161, 131}, c.ok, false, m_scale);
      const ButtonLook otherOkLook(m_background.get(), {106, 107, 161, 131},
                                   confirm ? YES : CONFIRM, false, m_scale);
      EXPECT_TRUE(okLook.Shows(ok, 1));
      EXPECT_EQ(0, otherOkLook.ShownState(ok));
      if (c.cancelShown) {
        const ButtonLook cancelLook(m_background.get(), {185, 107, 240, 131}, c.cancel, false,
                                    m_scale);
        const ButtonLook otherCancelLook(m_background.get(), {185, 107, 240, 131},
                                         confirm ? NO : CANCEL, false, m_scale);
        EXPECT_TRUE(cancelLook.Shows(cancel, 1));
        EXPECT_EQ(0, otherCancelLook.ShownState(cancel));
      }
      const std::wstring name = c.type <= PROMPT_CONFIRM_CANCEL
                                    ? L"prompt_type" + std::to_wstring(c.type)
                                    : std::wstring(L"prompt_type_other");
      RECT shot = frameRect;
      ::InflateRect(&shot, 12, 12);
      SaveScreenshot(name + Suffix(), shot);
    });
    const std::vector<SIZE> seen = sizes.Of(controlsSeen);
    ASSERT_FALSE(seen.empty());
    EXPECT_TRUE(std::any_of(seen.begin(), seen.end(), [&](SIZE s) {
      return s.cx == m_geometry.controlsCreated.cx && s.cy == m_geometry.controlsCreated.cy;
    }));
    EXPECT_EQ(m_geometry.controls.cx, seen.back().cx);
    EXPECT_EQ(m_geometry.controls.cy, seen.back().cy);
  }
}

TEST_F(PromptDlgTest, ButtonsAnswerRealClicks) {
  const struct {
    int type;
    int button;
    INT_PTR result;
  } clicks[] = {
      {PROMPT_CONFIRM_CANCEL, IDC_PROMPT_OK, IDOK},
      {PROMPT_CONFIRM_CANCEL, IDC_PROMPT_CANCEL, IDCANCEL},
      {PROMPT_YES_NO, IDC_PROMPT_CANCEL, IDCANCEL},
      {PROMPT_CONFIRM, IDC_PROMPT_OK, IDOK},
      {PROMPT_CONFIRM, IDC_BTN_CLOSE, IDCANCEL},
  };
  for (const auto& click : clicks) {
    SCOPED_TRACE(click.button);
    const INT_PTR result = Run(click.type, L"操作完成。", [&](HWND, HWND controls) {
      ClickAt(CentreOf(::GetDlgItem(controls, click.button)));
      // Ended by the click, not by the test's closing afterwards.
      EXPECT_TRUE(WaitUntil([&] { return !::IsWindow(controls); }, 5000));
    });
    EXPECT_EQ(click.result, result);
  }
}

TEST_F(PromptDlgTest, KeysNeverEndOrHideIt) {
  bool stayed = false;
  const INT_PTR result = Run(PROMPT_CONFIRM_CANCEL, L"按键", [&](HWND frame, HWND controls) {
    stayed =
        KeysLeavePairShown(frame, controls, ScreenPoint(controls, 8, ScaledTrunc(60, m_scale)));
    ClickAt(CentreOf(::GetDlgItem(controls, IDC_PROMPT_OK)));
    EXPECT_TRUE(WaitUntil([&] { return !::IsWindow(controls); }, 5000));
  });
  EXPECT_TRUE(stayed);
  EXPECT_EQ(IDOK, result);
}

TEST_F(PromptDlgTest, AnEmptyLineInTheTextShowsAsAGap) {
  const struct {
    const wchar_t* text;
    bool emptyLine;
  } texts[] = {
      {L"第一行文字\r\n\r\n第三行文字", true},
      {L"第一行文字\r\n第二行文字", false},
  };
  for (const auto& t : texts) {
    SCOPED_TRACE(t.emptyLine);
    Run(PROMPT_CONFIRM, t.text, [&](HWND frame, HWND controls) {
      const std::vector<std::pair<int, int>> runs =
          InkRows(WindowRectOf(::GetDlgItem(controls, IDC_PROMPT_TEXT)));
      ASSERT_EQ(2u, runs.size());
      const int gap = runs[1].first - runs[0].second - 1;
      const int lineHeight = LineHeightOf(controls);
      EXPECT_EQ(t.emptyLine, gap >= lineHeight) << "gap " << gap << ", line " << lineHeight;
      if (t.emptyLine) {
        RECT shot = WindowRectOf(frame);
        ::InflateRect(&shot, 12, 12);
        SaveScreenshot(L"prompt_empty_line" + Suffix(), shot);
      }
    });
  }
}

TEST_F(PromptDlgTest, OnlyTheTitleBandDragsThePrompt) {
  const struct {
    int x;  // in the controls dialog's client area at scale 1.0
    int y;
    bool moves;
  } drags[] = {{8, 120, false}, {150, 60, false}, {40, 12, true}};
  for (const auto& d : drags) {
    SCOPED_TRACE(d.y);
    Run(PROMPT_CONFIRM, L"拖动", [&](HWND frame, HWND controls) {
      const RECT frame0 = WindowRectOf(frame);
      const RECT controls0 = WindowRectOf(controls);
      const POINT from =
          ScreenPoint(controls, ScaledTrunc(d.x, m_scale), ScaledTrunc(d.y, m_scale));
      EXPECT_TRUE(Drag(controls, from.x, from.y, 60, 40));
      const int dx = d.moves ? 60 : 0;
      const int dy = d.moves ? 40 : 0;
      EXPECT_EQ(frame0.left + dx, WindowRectOf(frame).left);
      EXPECT_EQ(frame0.top + dy, WindowRectOf(frame).top);
      EXPECT_EQ(controls0.left + dx, WindowRectOf(controls).left);
      EXPECT_EQ(controls0.top + dy, WindowRectOf(controls).top);
    });
  }
}
