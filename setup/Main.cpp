#include "setup/Main.h"

#include "core/install_settings.h"
#include "setup/CInfo.h"
#include "toolkit/Cliunit.h"
#include "toolkit/GGlobals.h"
#include "toolkit/Gdi.h"
#include "toolkit/dlgform2.h"
#include "wizard/Instructions.h"

namespace {
constexpr int kInnerBorder = 5;
// The window's size before it is maximised.
constexpr int kDesignWidth = 894, kDesignHeight = 543;

// The typeface added for this process; removed when the process ends.
struct EmbeddedTypeface {
  HANDLE handle = nullptr;
  ~EmbeddedTypeface() { Remove(); }
  void Remove() {
    if (handle) RemoveFontMemResourceEx(handle);
    handle = nullptr;
  }
};
EmbeddedTypeface& Typeface() {
  static EmbeddedTypeface typeface;
  return typeface;
}

// The picture of that name among the program's resources, given to the control.
void TakePicture(TTransImage& image, const wchar_t* name) {
  OwnedBitmap picture(DecodePngResource(GetModuleHandleW(nullptr), name));
  if (picture) image.SetBitmap(picture.Get());  // the control keeps a copy
}
}  // namespace

bool LoadEmbeddedFont(const std::wstring& resName) {
  EmbeddedTypeface& typeface = Typeface();
  if (typeface.handle) return true;
  HMODULE module = GetModuleHandleW(nullptr);
  // Resource names are found without regard to letter case.
  HRSRC found = FindResourceW(module, resName.c_str(), MAKEINTRESOURCEW(10) /* RT_RCDATA */);
  HGLOBAL loaded = found ? LoadResource(module, found) : nullptr;
  void* data = loaded ? LockResource(loaded) : nullptr;
  const DWORD size = found ? SizeofResource(module, found) : 0;
  if (!data || size == 0) return false;
  DWORD fonts = 0;
  // The platform copies the data; the font is seen by this process only.
  typeface.handle = AddFontMemResourceEx(data, size, nullptr, &fonts);
  return typeface.handle != nullptr;
}

void RemoveEmbeddedFont() { Typeface().Remove(); }

HANDLE EmbeddedFontHandle() { return Typeface().handle; }

// ---------------------------------------------------------------- TInstaller

TInstaller::TInstaller(const std::wstring& fontResource)
    : TWinControl(nullptr, {.name = L"Installer", .left = (GetSystemMetrics(SM_CXSCREEN) - kDesignWidth) / 2,
                            .top = (GetSystemMetrics(SM_CYSCREEN) - kDesignHeight) / 2, .width = kDesignWidth,
                            .height = kDesignHeight, .color = corvan::BackdropColor,
                            .caption = L"Instalare Corvan"}) {
  for (TActiveLabel* label : {&Label1, &VerLbl, &lCorvan}) {
    label->SetTransparent(true);
    label->SetShowAccelChar(false);
  }
  Label1.SetAlignment(taRightJustify);
  VerLbl.Font().SetCharset(EASTEUROPE_CHARSET);
  Panou.SetBevelOuter(bvNone);
  pasarele.SetTransparent(true);
  TakePicture(pasarele, L"pasarele");
  TakePicture(software, L"software");
  TakePicture(caciula_i, L"caciula_i");
  caciula_i.OnClick = [this](TControl&) { caciula_iClick(); };
  FormCreate(fontResource);
  Handle();
}

TInstaller::~TInstaller() {
  // FormDestroy: the font and the instructions viewer go with the window (the typeface
  // stays until the process ends).
  fontuCorvan_.reset();
  SetInstructionsHandler({});
  editInfo_.reset();
  if (HWND window = HandleIfCreated(); window && MainWindow() == window) SetMainWindow(nullptr);
  DestroyHandle();
}

void TInstaller::FormCreate(const std::wstring& fontResource) {
  fontuCorvan_.reset();
  if (LoadEmbeddedFont(fontResource)) {
    fontuCorvan_.emplace(EmbeddedFontFamily, -104, 0, corvan::clWhite);
    lCorvan.Font() = *fontuCorvan_;
    lCorvan.Font().SetSize(78);
  }
  editInfo_ = std::make_unique<TEditInfo>(*this);
  SetInstructionsHandler([this] { editInfo_->ShowInstructions(); });
}

void TInstaller::caciula_iClick() { ShowInstructions(); }

void TInstaller::Show() {
  HWND window = Handle();
  if (!window) return;
  ShowWindow(window, SW_SHOWMAXIMIZED);
  FormShow();
  UpdateWindow(window);
}

void TInstaller::Hide() {
  if (HWND window = HandleIfCreated()) ShowWindow(window, SW_HIDE);
}

void TInstaller::FormShow() { VerLbl.SetCaption(corvan::BackdropVersionText(corvan::ProductVersion)); }

void TInstaller::FormResize() {
  const corvan::Placement panel = corvan::CentredPanel(ClientWidth(), ClientHeight(), Panou.Width(), Panou.Height());
  Panou.SetBounds(panel.left, panel.top, panel.width, panel.height);
  VerLbl.SetTop(ClientHeight() - VerLbl.Height());
}

void TInstaller::CreateParams(TCreateParams& params) {
  TWinControl::CreateParams(params);
  params.ownClass = L"TInstaller";
  // No border, no system buttons; shown by Show, maximised. It has the task-bar button.
  params.style = WS_POPUP | WS_CLIPCHILDREN | WS_CLIPSIBLINGS;
  params.exStyle = WS_EX_APPWINDOW;
  params.parent = nullptr;
}

void TInstaller::Resize() {
  TWinControl::Resize();
  FormResize();
}

void TInstaller::PaintBorder() {
  HWND window = HandleIfCreated();
  HDC dc = GetWindowDC(window);
  if (!dc) return;
  RECT outer;
  GetWindowRect(window, &outer);
  OffsetRect(&outer, -outer.left, -outer.top);
  RECT inner = outer;
  InflateRect(&inner, -kInnerBorder, -kInnerBorder);
  ExcludeClipRect(dc, inner.left, inner.top, inner.right, inner.bottom);
  FillSolid(dc, outer, ResolveColor(Color()));
  ReleaseDC(window, dc);
}

bool TInstaller::WndProc(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) {
  switch (message) {
    case WM_NCCALCSIZE: {
      result = DefaultProc(message, wParam, lParam);
      RECT* r = wParam ? &reinterpret_cast<NCCALCSIZE_PARAMS*>(lParam)->rgrc[0] : reinterpret_cast<RECT*>(lParam);
      InflateRect(r, -kInnerBorder, -kInnerBorder);
      return true;
    }
    case WM_NCPAINT:
      PaintBorder();
      result = 0;
      return true;
    case WM_NCACTIVATE:
      result = DefaultProc(message, wParam, lParam);
      PaintBorder();
      return true;
    case WM_CLOSE:
      // The setup ends through its pages; the window behind them is not closed on its own.
      result = 0;
      return true;
    default: return TWinControl::WndProc(message, wParam, lParam, result);
  }
}
