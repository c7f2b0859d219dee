// Until the painted message dialog exists, the platform's message box shows the
// message with the same text and caption rules.
#include "toolkit/Dialogs.h"

#include <windows.h>

#include "core/text.h"

std::wstring MessagePrefix;

namespace {
MsgDlgObserver& Observer() {
  static MsgDlgObserver observer;
  return observer;
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
}  // namespace

void SetMsgDlgObserver(MsgDlgObserver observer) { Observer() = std::move(observer); }

std::wstring MessageShownText(const std::wstring& text) {
  if (MessagePrefix.empty()) return text;
  std::wstring prefix = MessagePrefix;
  CharUpperBuffW(prefix.data(), static_cast<DWORD>(prefix.size()));
  return prefix + L",\r\r" + text;
}

int MsgDlg(const std::wstring& text, const std::wstring& caption, TMsgDlgType kind, TAlignment alignment,
           TMsgDlgButtons buttons, TMsgDlgBtn defaultButton, std::int32_t) {
  MsgDlgRequest request{MessageShownText(text), caption, kind, alignment, buttons, defaultButton};
  if (Observer()) return Observer()(request);

  std::wstring shown = request.shownText;
  for (auto& c : shown)
    if (c == L'\r') c = L'\n';
  const std::wstring title = caption.empty() ? KindTitle(kind) : caption;
  UINT style = MB_TASKMODAL;
  auto has = [buttons](TMsgDlgBtn b) { return (buttons >> b) & 1; };
  if (has(mbYes) && has(mbNo)) style |= MB_YESNO;
  else if (has(mbOK) && has(mbCancel)) style |= MB_OKCANCEL;
  else style |= MB_OK;
  if (has(mbYes) && has(mbNo) && defaultButton == mbNo) style |= MB_DEFBUTTON2;
  switch (kind) {
    case mtWarning: style |= MB_ICONWARNING; break;
    case mtError: style |= MB_ICONERROR; break;
    case mtInformation: style |= MB_ICONINFORMATION; break;
    case mtConfirmation: style |= MB_ICONQUESTION; break;
    default: break;
  }
  const int answer = MessageBoxW(nullptr, shown.c_str(), title.c_str(), style);
  switch (answer) {
    case IDYES: return 6;
    case IDNO: return 7;
    case IDOK: return has(mbOK) ? 1 : (has(mbCancel) ? 2 : 1);
    case IDCANCEL: return 2;
    default: return 0;
  }
}
