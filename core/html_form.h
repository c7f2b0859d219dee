#pragma once
// Forms of a page: what each control is, and the submission a browser would build from
// the controls' states when the form is submitted.
#include <cstdint>
#include <string>
#include <utility>
#include <vector>

namespace corvan {

// What a page's form hands its host when it is submitted: the form's address, frame and
// method as the page wrote them, and the name=value pairs a browser would send, in the
// order of the form's controls.
struct HtmlFormSubmission {
  std::wstring action;  // the form's action attribute as written (empty: none)
  std::wstring target;  // the form's target attribute, else the page's <base target>
  std::wstring method;  // "get" or "post" (lower case; "get" when the form names none)
  std::vector<std::pair<std::wstring, std::wstring>> pairs;
};

namespace html {

struct FormInfo {
  std::wstring action, method, target;
};

enum class ControlKind : uint8_t { Text, Password, Checkbox, Radio, Submit, Reset, Button, Image, File, Hidden, Select, TextArea };

struct ControlOption {
  std::wstring text, value;
  bool selected = false, disabled = false;
};

struct FormControl {
  ControlKind kind = ControlKind::Text;
  int form = -1;  // index in the page's forms, -1: none
  std::wstring name, value;  // value: the initial value (a button's caption, a text area's text)
  std::wstring id;
  bool checked = false, disabled = false, readOnly = false, multiple = false;
  int size = 0, maxLength = 0, rows = 0, cols = 0;
  std::vector<ControlOption> options;
  int width = 0, height = 0, baseline = 0;  // the box the page gives it; baseline from its top
  int margin = 0;                           // blank left and right of the box
  uint16_t font = 0;                        // the page's font for its text
};

// What a control holds now (the view reads it from the platform's control).
struct ControlState {
  std::wstring value;          // text fields and text areas
  bool checked = false;        // check boxes and radio buttons
  std::vector<bool> selected;  // lists: one per option
};

// The initial state of every control, as the page wrote it.
std::vector<ControlState> InitialStates(const std::vector<FormControl>& controls);

// The submission of form `form` by the control `submitter` (-1: none, as when Enter is
// pressed in a text field): the controls of the form in order, without the disabled
// ones, those without a name, check boxes and radio buttons not checked, and buttons
// other than the submitter; a check box without a value sends "on"; a list sends each
// selected option (its value, else its text); a text area's line ends are CR LF.
HtmlFormSubmission BuildSubmission(const std::vector<FormInfo>& forms, const std::vector<FormControl>& controls,
                                   const std::vector<ControlState>& states, int form, int submitter,
                                   const std::wstring& baseTarget);

// The radio buttons of the same group (same form and name) as `control`, itself included.
std::vector<int> RadioGroup(const std::vector<FormControl>& controls, int control);

}  // namespace html
}  // namespace corvan
