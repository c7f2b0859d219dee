// The backdrop's embedded typeface under Wine. A program of its own: the product name
// must first be drawn before any typeface of that family exists in the process (Wine
// keeps a font added from memory listed after RemoveFontMemResourceEx).
#include <gtest/gtest.h>
#include <windows.h>

#include <string>
#include <vector>

#include "pixel_canvas.h"
#include "setup/Main.h"
#include "toolkit/Dialogs.h"
#include "toolkit_globals.h"

using namespace corvan;

namespace {
// Every message the code under test shows fails the test.
struct NoMessages {
  NoMessages() {
    SetMsgDlgObserver([](const MsgDlgRequest& r) {
      ADD_FAILURE() << "unexpected message: " << std::string(r.shownText.begin(), r.shownText.end());
      return TModalResult::None;
    });
  }
  ~NoMessages() { SetMsgDlgObserver(nullptr); }
};

// A screen-compatible context with the font selected.
class FontDC {
 public:
  explicit FontDC(HFONT font) : dc_(CreateCompatibleDC(nullptr)), old_(SelectObject(dc_, font)) {}
  ~FontDC() {
    SelectObject(dc_, old_);
    DeleteDC(dc_);
  }
  std::wstring Face() const {
    wchar_t face[LF_FACESIZE] = L"";
    GetTextFaceW(dc_, LF_FACESIZE, face);
    return face;
  }
  int Width(const std::wstring& text) const {
    SIZE size{0, 0};
    GetTextExtentPoint32W(dc_, text.c_str(), static_cast<int>(text.size()), &size);
    return size.cx;
  }

 private:
  HDC dc_;
  HGDIOBJ old_;
};

// The label painted (white) on black: which pixels are lit.
std::vector<bool> LitPixels(TControl& label) {
  PixelCanvas canvas(label.Width(), label.Height());
  label.Paint(canvas.dc());
  std::vector<bool> lit;
  for (int y = 0; y < canvas.h(); ++y)
    for (int x = 0; x < canvas.w(); ++x) lit.push_back(RedOf(canvas.Pixel(x, y)) > 128);
  return lit;
}
}  // namespace

TEST(EmbeddedFont, DesignFontWithoutItThenTheEmbeddedFaceLoadedOnce) {
  NoMessages quiet;

  // A missing resource, or raw data that is no font: false, no handle, no message.
  EXPECT_FALSE(LoadEmbeddedFont(L"NuExista"));
  EXPECT_EQ(EmbeddedFontHandle(), nullptr);
  EXPECT_FALSE(LoadEmbeddedFont(L"NOTAFONT"));
  EXPECT_EQ(EmbeddedFontHandle(), nullptr);

  // The backdrop then keeps lCorvan's design font, which the platform substitutes.
  std::vector<bool> designPixels;
  {
    TInstaller fallback(L"NuExista");
    EXPECT_FALSE(fallback.FontuCorvan().has_value());
    const TFont& design = fallback.lCorvan.Font();
    EXPECT_EQ(design.Name(), L"Helvetica Black_r");
    EXPECT_EQ(design.Height(), -104);
    EXPECT_TRUE(design.Bold());
    EXPECT_EQ(design.Color(), clWhite);
    EXPECT_NE(FontDC(design.Handle()).Face(), L"Helvetica Black_r");
    designPixels = LitPixels(fallback.lCorvan);
  }

  // With the program's own resource (any letter case) the product name is drawn in it.
  TInstaller backdrop;
  const HANDLE typeface = EmbeddedFontHandle();
  ASSERT_NE(typeface, nullptr);
  ASSERT_TRUE(backdrop.FontuCorvan().has_value());
  const TFont& font = backdrop.lCorvan.Font();
  EXPECT_EQ(font.Name(), L"Helvetica Black_r");
  EXPECT_EQ(font.Size(), 78);
  EXPECT_FALSE(font.Bold());
  EXPECT_EQ(font.Color(), clWhite);
  const FontDC embedded(font.Handle());
  EXPECT_EQ(embedded.Face(), L"Helvetica Black_r");
  // "Corvan" in the heavy face at 104 pixels per em is about 337 pixels wide.
  EXPECT_NEAR(embedded.Width(L"Corvan"), 337, 6);
  const std::vector<bool> embeddedPixels = LitPixels(backdrop.lCorvan);
  ASSERT_EQ(designPixels.size(), embeddedPixels.size());
  int lit = 0, differing = 0;
  for (size_t i = 0; i < embeddedPixels.size(); ++i) {
    lit += embeddedPixels[i];
    differing += designPixels[i] != embeddedPixels[i];
  }
  EXPECT_GT(lit, 5000) << "the product name is drawn";
  EXPECT_GT(differing, 1000) << "in another face than the design font's substitute";

  // A second call answers at once with the typeface it holds, whatever it is asked for.
  EXPECT_TRUE(LoadEmbeddedFont(L"helveticar"));
  EXPECT_TRUE(LoadEmbeddedFont(L"NuExista"));
  EXPECT_EQ(EmbeddedFontHandle(), typeface);

  RemoveEmbeddedFont();
  EXPECT_EQ(EmbeddedFontHandle(), nullptr);
}
