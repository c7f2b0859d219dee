#pragma once
// TInstaller, the backdrop: the program's main window, borderless and maximised in the
// product's dark blue, with the artwork, the product name in the embedded typeface and
// the version. It stays behind every wizard page.
//
// A plain window (no toolkit form): no keys of its own, no modal showing. It owns the
// instructions viewer (made with it, gone with it) and, while it lives, ShowInstructions
// shows that viewer; a click on caciula_i does the same.
#include <memory>
#include <optional>
#include <string>

#include "core/backdrop.h"
#include "toolkit/Actives.h"
#include "toolkit/Panels.h"
#include "toolkit/Transimg.h"

class TEditInfo;

// The family name of the embedded typeface.
inline constexpr wchar_t EmbeddedFontFamily[] = L"Helvetica Black_r";

// Adds the TrueType font held as raw data named resName (any letter case) in the
// program's own module for this process only. True at once when it is already added;
// any failure leaves no font and answers false, silently.
bool LoadEmbeddedFont(const std::wstring& resName);
// Removes the added font (it is removed at process end anyway; tests start again with it).
void RemoveEmbeddedFont();
// The platform's handle of the added font, or null.
HANDLE EmbeddedFontHandle();

// The raw data resource the backdrop takes its typeface from.
inline constexpr wchar_t EmbeddedFontResource[] = L"HelveticaR";

class TInstaller : public TWinControl {
 public:
  // fontResource: where the typeface comes from (tests name a missing one).
  explicit TInstaller(const std::wstring& fontResource = EmbeddedFontResource);
  ~TInstaller() override;

  // Shows the window maximised (not modally) and puts the version into VerLbl.
  void Show();
  void Hide();

  // The font lCorvan took from the embedded typeface (none when it could not be loaded).
  const std::optional<TFont>& FontuCorvan() const { return fontuCorvan_; }
  // The instructions viewer of this backdrop.
  TEditInfo& EditInfo() const { return *editInfo_; }

  TActiveLabel Label1{this, {.name = L"Label1", .height = 16, .align = alBottom,
                             .caption = L"www.corvan-soft.ro       ",
                             .font = TFont(L"MS Sans Serif", -13, 0, corvan::clWhite)}};
  TActiveLabel VerLbl{this, {.name = L"VerLbl", .left = 16, .width = 200, .height = 16,
                             .font = TFont(L"MS Sans Serif", -13, 0, corvan::clWhite)}};
  TPanel Panou{this, {.name = L"Panou", .width = corvan::BackdropPanelWidth,
                      .height = corvan::BackdropPanelHeight, .parentColor = true}};
  TTransImage pasarele{&Panou, {.name = L"pasarele", .left = 226, .top = -3, .width = 446, .height = 218}};
  TTransImage software{&Panou, {.name = L"software", .left = 226, .top = 319, .width = 197, .height = 70}};
  TActiveLabel lCorvan{&Panou, {.name = L"lCorvan", .left = 15, .top = 203, .width = 638, .height = 120,
                                .caption = L"Corvan",
                                .font = TFont(EmbeddedFontFamily, -104, fsBold, corvan::clWhite)}};
  TTransImage caciula_i{&Panou, {.name = L"caciula_i", .left = 123, .top = 201, .width = 65, .height = 45}};

 protected:
  void CreateParams(TCreateParams& params) override;
  bool WndProc(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;
  void Resize() override;

 private:
  void FormCreate(const std::wstring& fontResource);
  void FormShow();
  void FormResize();
  void PaintBorder();
  void caciula_iClick();

  std::optional<TFont> fontuCorvan_;
  std::unique_ptr<TEditInfo> editInfo_;
};
