#include "htmlview/HtmlControls.h"

using corvan::html::ControlKind;
using corvan::html::ControlState;
using corvan::html::FormControl;

THtmlControl::THtmlControl(TWinControl* parent, int index, const FormControl& control, const TFont& font)
    : TWinControl(parent, {.name = L"HtmlControl" + std::to_wstring(index), .width = control.width,
                           .height = control.height, .color = clWindow, .font = font, .enabled = !control.disabled,
                           .tabStop = true}),
      index_(index), kind_(control.kind), control_(control) {
  state_.value = control.value;
  state_.checked = control.checked;
  for (const corvan::html::ControlOption& o : control.options) state_.selected.push_back(o.selected);
}

THtmlControl::~THtmlControl() { DestroyHandle(); }

bool THtmlControl::IsButton() const {
  return kind_ == ControlKind::Submit || kind_ == ControlKind::Reset || kind_ == ControlKind::Button ||
         kind_ == ControlKind::Image;
}

bool THtmlControl::IsList() const { return kind_ == ControlKind::Select && (control_.multiple || control_.size > 1); }

void THtmlControl::CreateParams(TCreateParams& params) {
  TWinControl::CreateParams(params);
  params.style &= ~WS_CLIPCHILDREN;
  params.style |= WS_TABSTOP;
  switch (kind_) {
    case ControlKind::Checkbox:
      params.systemClass = L"BUTTON";
      params.style |= BS_AUTOCHECKBOX;
      break;
    case ControlKind::Radio:
      params.systemClass = L"BUTTON";
      params.style |= BS_RADIOBUTTON;
      break;
    case ControlKind::Submit: case ControlKind::Reset: case ControlKind::Button: case ControlKind::Image:
      params.systemClass = L"BUTTON";
      params.style |= BS_PUSHBUTTON;
      params.caption = control_.options.empty() ? control_.value : control_.options.front().text;
      break;
    case ControlKind::Select:
      if (IsList()) {
        params.systemClass = L"LISTBOX";
        params.style |= LBS_NOTIFY | WS_VSCROLL | LBS_NOINTEGRALHEIGHT | (control_.multiple ? LBS_MULTIPLESEL : 0);
        params.exStyle |= WS_EX_CLIENTEDGE;
      } else {
        params.systemClass = L"COMBOBOX";
        params.style |= CBS_DROPDOWNLIST | WS_VSCROLL;
        // The window's height includes the list that drops down.
        params.height = Height() + 8 * std::max(Height() - 6, 8);
      }
      break;
    case ControlKind::TextArea:
      params.systemClass = L"EDIT";
      params.style |= ES_MULTILINE | ES_AUTOVSCROLL | ES_WANTRETURN | WS_VSCROLL;
      params.exStyle |= WS_EX_CLIENTEDGE;
      break;
    default:
      params.systemClass = L"EDIT";
      params.style |= ES_AUTOHSCROLL | (kind_ == ControlKind::Password ? ES_PASSWORD : 0);
      params.exStyle |= WS_EX_CLIENTEDGE;
      break;
  }
}

void THtmlControl::HandleCreated() {
  HWND window = HandleIfCreated();
  switch (kind_) {
    case ControlKind::Checkbox:
    case ControlKind::Radio:
      SendMessageW(window, BM_SETCHECK, state_.checked ? BST_CHECKED : BST_UNCHECKED, 0);
      break;
    case ControlKind::Select: {
      const UINT add = IsList() ? LB_ADDSTRING : CB_ADDSTRING;
      for (const corvan::html::ControlOption& o : control_.options)
        SendMessageW(window, add, 0, reinterpret_cast<LPARAM>(o.text.c_str()));
      for (size_t i = 0; i < state_.selected.size(); ++i) {
        if (!state_.selected[i]) continue;
        if (control_.multiple) SendMessageW(window, LB_SETSEL, TRUE, static_cast<LPARAM>(i));
        else SendMessageW(window, IsList() ? LB_SETCURSEL : CB_SETCURSEL, i, 0);
      }
      break;
    }
    case ControlKind::Text: case ControlKind::Password: case ControlKind::File: case ControlKind::TextArea: {
      std::wstring text = state_.value;
      if (kind_ == ControlKind::TextArea) {
        // The edit box shows line ends only as CR LF.
        std::wstring crlf;
        for (size_t i = 0; i < text.size(); ++i) {
          if (text[i] == '\n' && (i == 0 || text[i - 1] != '\r')) crlf += L'\r';
          crlf += text[i];
        }
        text = std::move(crlf);
      }
      if (control_.maxLength > 0) SendMessageW(window, EM_SETLIMITTEXT, static_cast<WPARAM>(control_.maxLength), 0);
      SetWindowTextW(window, text.c_str());
      if (control_.readOnly || kind_ == ControlKind::File) SendMessageW(window, EM_SETREADONLY, TRUE, 0);
      break;
    }
    default: break;
  }
}

void THtmlControl::HandleDestroying() { state_ = State(); }

ControlState THtmlControl::State() const {
  HWND window = HandleIfCreated();
  if (!window) return state_;
  ControlState s = state_;
  switch (kind_) {
    case ControlKind::Checkbox:
    case ControlKind::Radio: s.checked = SendMessageW(window, BM_GETCHECK, 0, 0) == BST_CHECKED; break;
    case ControlKind::Select:
      for (size_t i = 0; i < s.selected.size(); ++i) {
        if (control_.multiple) s.selected[i] = SendMessageW(window, LB_GETSEL, i, 0) > 0;
        else s.selected[i] = static_cast<size_t>(SendMessageW(window, IsList() ? LB_GETCURSEL : CB_GETCURSEL, 0, 0)) == i;
      }
      break;
    case ControlKind::Text: case ControlKind::Password: case ControlKind::File: case ControlKind::TextArea: {
      std::wstring text(static_cast<size_t>(GetWindowTextLengthW(window)) + 1, L'\0');
      text.resize(static_cast<size_t>(GetWindowTextW(window, text.data(), static_cast<int>(text.size()))));
      s.value = std::move(text);
      break;
    }
    default: break;
  }
  return s;
}

void THtmlControl::SetState(const ControlState& state) {
  state_ = state;
  if (HandleAllocated()) {
    if (IsList()) SendMessageW(HandleIfCreated(), LB_RESETCONTENT, 0, 0);
    else if (kind_ == ControlKind::Select) SendMessageW(HandleIfCreated(), CB_RESETCONTENT, 0, 0);
    HandleCreated();
  }
}

bool THtmlControl::WndProc(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) {
  if (message == WM_GETDLGCODE && wParam == VK_RETURN && kind_ != ControlKind::TextArea) {
    // Enter belongs to the page's control (it submits or presses it), not to the window's buttons.
    result = DefaultProc(message, wParam, lParam) | DLGC_WANTALLKEYS;
    return true;
  }
  if (message == WM_KEYDOWN && wParam == VK_RETURN) {
    if (IsButton()) {
      if (OnPress) OnPress(*this);
      return true;
    }
    if (kind_ == ControlKind::Text || kind_ == ControlKind::Password) {
      if (OnEnter) OnEnter(*this);
      return true;
    }
  }
  if (message == WM_CHAR && wParam == '\r' && kind_ != ControlKind::TextArea) return true;  // no beep
  return TWinControl::WndProc(message, wParam, lParam, result);
}

bool THtmlControl::ReflectCommand(WORD code, LRESULT& result) {
  if (code != BN_CLICKED) return false;
  result = 0;
  if (IsButton()) {
    if (OnPress) OnPress(*this);
    return true;
  }
  if (kind_ == ControlKind::Checkbox || kind_ == ControlKind::Radio) {
    if (OnCheck) OnCheck(*this);
    return true;
  }
  return false;
}
