#include "core/html_form.h"

namespace corvan::html {

namespace {

// Line ends as CR LF, whatever the text had.
std::wstring CrLf(const std::wstring& text) {
  std::wstring out;
  out.reserve(text.size());
  for (size_t i = 0; i < text.size(); ++i) {
    const wchar_t c = text[i];
    if (c == '\r') {
      out += L"\r\n";
      if (i + 1 < text.size() && text[i + 1] == '\n') ++i;
    } else if (c == '\n') {
      out += L"\r\n";
    } else {
      out.push_back(c);
    }
  }
  return out;
}

}  // namespace

std::vector<ControlState> InitialStates(const std::vector<FormControl>& controls) {
  std::vector<ControlState> states(controls.size());
  for (size_t i = 0; i < controls.size(); ++i) {
    const FormControl& c = controls[i];
    states[i].value = c.value;
    states[i].checked = c.checked;
    for (const ControlOption& o : c.options) states[i].selected.push_back(o.selected);
  }
  return states;
}

HtmlFormSubmission BuildSubmission(const std::vector<FormInfo>& forms, const std::vector<FormControl>& controls,
                                   const std::vector<ControlState>& states, int form, int submitter,
                                   const std::wstring& baseTarget) {
  HtmlFormSubmission s;
  if (form < 0 || static_cast<size_t>(form) >= forms.size()) return s;
  const FormInfo& f = forms[static_cast<size_t>(form)];
  s.action = f.action;
  s.method = f.method.empty() ? L"get" : f.method;
  s.target = f.target.empty() ? baseTarget : f.target;
  for (size_t i = 0; i < controls.size() && i < states.size(); ++i) {
    const FormControl& c = controls[i];
    const ControlState& state = states[i];
    if (c.form != form || c.disabled) continue;
    const bool isSubmitter = static_cast<int>(i) == submitter;
    if (c.kind == ControlKind::Image && isSubmitter) {
      // A picture button sends where it was clicked; the keyboard clicks at its corner.
      const std::wstring prefix = c.name.empty() ? L"" : c.name + L".";
      s.pairs.emplace_back(prefix + L"x", L"0");
      s.pairs.emplace_back(prefix + L"y", L"0");
      continue;
    }
    if (c.name.empty()) continue;
    switch (c.kind) {
      case ControlKind::Text: case ControlKind::Password: case ControlKind::Hidden: case ControlKind::File:
        s.pairs.emplace_back(c.name, state.value);
        break;
      case ControlKind::TextArea: s.pairs.emplace_back(c.name, CrLf(state.value)); break;
      case ControlKind::Checkbox: case ControlKind::Radio:
        if (state.checked) s.pairs.emplace_back(c.name, c.value);
        break;
      case ControlKind::Submit:
        if (isSubmitter) s.pairs.emplace_back(c.name, c.value);
        break;
      case ControlKind::Select:
        for (size_t k = 0; k < c.options.size() && k < state.selected.size(); ++k)
          if (state.selected[k] && !c.options[k].disabled) s.pairs.emplace_back(c.name, c.options[k].value);
        break;
      case ControlKind::Reset: case ControlKind::Button: case ControlKind::Image: break;
    }
  }
  return s;
}

std::vector<int> RadioGroup(const std::vector<FormControl>& controls, int control) {
  std::vector<int> group;
  if (control < 0 || static_cast<size_t>(control) >= controls.size()) return group;
  const FormControl& self = controls[static_cast<size_t>(control)];
  if (self.kind != ControlKind::Radio) return group;
  for (size_t i = 0; i < controls.size(); ++i) {
    const FormControl& c = controls[i];
    const bool same = static_cast<int>(i) == control ||
                      (c.kind == ControlKind::Radio && !self.name.empty() && c.name == self.name && c.form == self.form);
    if (same) group.push_back(static_cast<int>(i));
  }
  return group;
}

}  // namespace corvan::html
