// The message dialog: a TMessageForm built for each call from the toolkit's painted
// pieces (title bar, panel, picture, formatted label, smooth buttons), laid out by
// core/dialog_layout and shown modally.
#include "toolkit/Dialogs.h"

#include <windows.h>

#include <memory>
#include <vector>

#include "core/dialog_layout.h"
#include "core/dialog_text.h"
#include "core/fmt_markup.h"
#include "toolkit/Cliunit.h"
#include "toolkit/FmtLabel.h"
#include "toolkit/GGlobals.h"
#include "toolkit/Mbuttons.h"
#include "toolkit/Panels.h"
#include "toolkit/Title.h"
#include "toolkit/Transimg.h"

std::wstring MessagePrefix;
int AutoCloseTicks = 0;
bool AutoConfirm = false;

namespace {
MsgDlgObserver& Observer() {
  static MsgDlgObserver observer;
  return observer;
}

MsgDlgShownHook& ShownHook() {
  static MsgDlgShownHook hook;
  return hook;
}

const wchar_t* KindTitle(TMsgDlgType kind) {
  switch (kind) {
    case mtWarning: return L"Atentie !";
    case mtError: return L"EROARE !";
    case mtInformation: return L"Informatie...";
    case mtConfirmation: return L"Confirmare...";
    default: return L"";
  }
}

corvan::TMButtonKind ButtonKind(TMsgDlgBtn button) {
  switch (button) {
    case mbYes: return corvan::mkYes;
    case mbNo: return corvan::mkNo;
    case mbOK: return corvan::mkOK;
    case mbCancel: return corvan::mkCancel;
    case mbAbort: return corvan::mkAbort;
    case mbRetry: return corvan::mkRetry;
    case mbIgnore: return corvan::mkIgnore;
    case mbAll: return corvan::mkAll;
    case mbNoToAll: return corvan::mkNo;
    case mbYesToAll: return corvan::mkAll;
    case mbHelp: return corvan::mkHelp;
    case mbClose: return corvan::mkClose;
  }
  return corvan::mkCustom;
}

// "Btn" + the caption without "&" and blanks: BtnDa, BtnRenunt, ...
std::wstring ButtonName(const std::wstring& caption) {
  std::wstring name = L"Btn";
  for (wchar_t c : caption)
    if (c != L'&' && c != L' ') name += c;
  return name;
}

TFont DialogFont(bool bold) { return TFont(L"MS Sans Serif", -11, bold ? fsBold : 0, clWindowText); }

// The dialog the automatic modes act on, and its timer on the main window.
TMessageForm* currentDialog = nullptr;
bool currentAutoClose = false;
constexpr UINT_PTR kAutoTimer = 1;

void StopAutoTimer() {
  if (HWND main = MainWindow()) KillTimer(main, kAutoTimer);
}

void CALLBACK AutoTimerTick(HWND window, UINT, UINT_PTR id, DWORD) {
  TMessageForm* dialog = currentDialog;
  if (!dialog) {
    KillTimer(window, id);
    return;
  }
  if (dialog->Tag() > 0) {
    dialog->SetTag(dialog->Tag() - 1);
    return;
  }
  KillTimer(window, id);
  if (currentAutoClose) dialog->Close();
  else dialog->PressDefaultButtons();
}

// Every piece of one dialog; members go in reverse order, the window last.
struct DialogWindow {
  DialogWindow(const corvan::DialogLayout& d, const std::wstring& labelText, TMsgDlgType kind, TAlignment alignment)
      : form({.name = L"Message", .font = DialogFont(false)}),
        title(&form, {.height = 25, .align = alTop}),
        panel(&form, {.name = L"Panel", .left = d.messagePanel.left, .top = d.messagePanel.top,
                      .width = d.messagePanel.width, .height = d.messagePanel.height, .parentColor = true}),
        image(&panel, {.name = L"Image", .left = d.picture.left, .top = d.picture.top, .width = d.picture.width,
                       .height = d.picture.height}),
        text(&panel, {.name = L"Message", .left = d.text.left, .top = d.text.top, .width = d.text.width,
                      .height = d.text.height, .parentColor = true, .caption = labelText, .font = DialogFont(true)}),
        bevel(&form, {.name = L"Bevel", .left = d.separator.left, .top = d.separator.top, .width = d.separator.width,
                      .height = d.separator.height}),
        buttonPanel(&form, {.left = d.buttonPanel.left, .top = d.buttonPanel.top, .width = d.buttonPanel.width,
                            .height = d.buttonPanel.height, .parentColor = true}) {
    form.SetTitleBar(&title);
    title.SetStartColor(corvan::Rgb(6, 81, 130));
    panel.SetBevelOuter(bvLowered);
    buttonPanel.SetBevelOuter(bvLowered);
    bevel.SetShape(bsTopLine);
    image.SetAutoSize(false);
    image.SetKindMare(kind);
    text.SetTransparent(true);
    text.SetAlignment(alignment);
    form.Picture = &image;
  }

  TMessageForm form;
  TTitleBar title;
  TPanel panel;
  TTransImage image;
  TFmtLabel text;
  TBevel bevel;
  TPanel buttonPanel;
  std::vector<std::unique_ptr<TNiceButton>> buttons;
};

class CursorKeeper {
 public:
  CursorKeeper() : saved_(GetCursor()) { SetCursor(LoadCursorW(nullptr, IDC_ARROW)); }
  ~CursorKeeper() { SetCursor(saved_); }

 private:
  HCURSOR saved_;
};

TModalResult ShowDialog(const MsgDlgRequest& request, std::int32_t helpContext) {
  CursorKeeper cursor;
  const SIZE picture = BitmapSize(request.kind == mtCustom ? BlankGlyph : MessageKindImage(request.kind));

  // The text box: word-wrapped in half the screen's width, in the dialog's font made bold.
  const int maxWidth = GetSystemMetrics(SM_CXSCREEN) / 2;
  TFont bold = DialogFont(true);
  WindowDC screen;
  SelectGuard selectFont(screen.Get(), bold.Handle());
  RECT box{0, 0, maxWidth, 0};
  DrawTextW(screen.Get(), request.shownText.c_str(), static_cast<int>(request.shownText.size()), &box,
            DT_CALCRECT | DT_WORDBREAK | DT_NOPREFIX);
  const auto measure = [&](const std::wstring& line) {
    SIZE size{0, 0};
    GetTextExtentPoint32W(screen.Get(), line.c_str(), static_cast<int>(line.size()), &size);
    return static_cast<int>(size.cx);
  };
  const std::wstring labelText = corvan::DialogLabelText(request.shownText, box.right, measure);

  std::vector<TMsgDlgBtn> members;
  for (int b = mbYes; b <= mbClose; ++b)
    if ((request.buttons >> b) & 1) members.push_back(static_cast<TMsgDlgBtn>(b));
  const corvan::DialogLayout layout =
      corvan::LayoutMessageDialog(box.right, box.bottom, picture.cx, picture.cy, static_cast<int>(members.size()), 25);

  DialogWindow dialog(layout, corvan::EscapeFmtMarkup(labelText), request.kind, request.alignment);
  TMessageForm& form = dialog.form;

  auto holds = [&](TMsgDlgBtn b) { return ((request.buttons >> b) & 1) != 0; };
  TNiceButton* focus = nullptr;
  int left = layout.firstButtonLeft;
  for (TMsgDlgBtn member : members) {
    const corvan::TMButtonKind kind = ButtonKind(member);
    auto button = std::make_unique<TNiceButton>(
        &dialog.buttonPanel, TControlDesc{.name = ButtonName(std::wstring(corvan::KindCaption(kind))), .left = left,
                                          .top = layout.buttonTop, .width = layout.buttonWidth,
                                          .height = layout.buttonHeight});
    button->SetKind(kind);
    button->Default = member == request.defaultButton;
    // Esc: Cancel when No is there too; OK when there is no Cancel; otherwise none.
    button->Cancel = (member == mbCancel && holds(mbNo)) || (member == mbOK && !holds(mbCancel));
    if (button->Default) focus = button.get();
    left += button->Width();
    dialog.buttons.push_back(std::move(button));
  }

  // The mouse on the panels, the text and the picture goes to the window's handler.
  const TMouseEvent toForm = [&form](TControl& sender, TMouseButton button, TShiftState, int, int) {
    form.DialogMouseDown(sender, button);
  };
  for (TControl* wired : std::initializer_list<TControl*>{&form, &dialog.panel, &dialog.text, &dialog.image,
                                                          &dialog.buttonPanel})
    wired->OnMouseDown = toForm;
  const int buttonCount = static_cast<int>(members.size());
  form.OnPictureClick = [buttonCount](TMessageForm& f) {
    if (f.Clickuri < 3) return;
    if (buttonCount < 2) {
      AutoCloseTicks = AutoCloseTicks ? 0 : 1;
      f.SetModalResult(TModalResult::Ignore);
    } else {
      AutoConfirm = !AutoConfirm;
      f.PressDefaultButtons();
    }
  };

  form.SetCaption(request.caption.empty() ? KindTitle(request.kind) : request.caption);
  form.SetClientSize(layout.clientWidth, layout.clientHeight);
  if (!form.Handle()) return TModalResult::None;
  form.SetBounds(corvan::CentredOrigin(GetSystemMetrics(SM_CXSCREEN), form.Width()),
                 corvan::CentredOrigin(GetSystemMetrics(SM_CYSCREEN), form.Height()), form.Width(), form.Height());
  const int ppi = GetDeviceCaps(screen.Get(), LOGPIXELSY);
  form.HelpContext = helpContext;
  if (ppi > 0 && ppi != 96) form.ScaleBy(ppi, 96);
  if (focus) form.SetActiveControl(focus);

  // The automatic modes need the program's main window for their timer.
  HWND main = MainWindow();
  const bool autoClose = AutoCloseTicks != 0 && buttonCount == 1;
  const bool autoConfirm = !autoClose && AutoConfirm && buttonCount >= 1;
  if (main && (autoClose || autoConfirm)) {
    form.SetTag(1);
    currentDialog = &form;
    currentAutoClose = autoClose;
    SetTimer(main, kAutoTimer, static_cast<UINT>(AutoCloseTicks) * 300u, AutoTimerTick);
  }
  if (ShownHook()) {
    const MsgDlgShownHook hook = ShownHook();
    form.OnShow = [hook, &form](TControl&) { hook(form); };
  }
  return form.ShowModal();
}
}  // namespace

MessagePrefixScope::MessagePrefixScope(std::wstring during, std::wstring after) : after_(std::move(after)) {
  MessagePrefix = std::move(during);
}

MessagePrefixScope::~MessagePrefixScope() { MessagePrefix = after_; }

void SetMsgDlgObserver(MsgDlgObserver observer) { Observer() = std::move(observer); }
void SetMsgDlgShownHook(MsgDlgShownHook hook) { ShownHook() = std::move(hook); }

std::wstring MessageShownText(const std::wstring& text) { return corvan::ShownMessageText(MessagePrefix, text); }

TModalResult MsgDlg(const std::wstring& text, const std::wstring& caption, TMsgDlgType kind, TAlignment alignment,
                    TMsgDlgButtons buttons, TMsgDlgBtn defaultButton, std::int32_t helpContext) {
  MsgDlgRequest request{MessageShownText(text), caption, kind, alignment, buttons, defaultButton};
  if (Observer()) return Observer()(request);
  TModalResult result = TModalResult::None;
  try {
    result = ShowDialog(request, helpContext);
  } catch (...) {
    result = TModalResult::None;  // a dialog that cannot be built or shown answers None
  }
  StopAutoTimer();
  currentDialog = nullptr;
  return result;
}
