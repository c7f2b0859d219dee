#pragma once
// The form controls of a page, as the platform's own controls (edit boxes, buttons, check
// boxes, radio buttons, lists, text areas) placed where the page has their boxes. Each
// tells its frame when it is pressed, checked or asked to submit (Enter in a field).
#include <functional>
#include <string>

#include "core/html_form.h"
#include "toolkit/Control.h"

class THtmlControl : public TWinControl {
 public:
  THtmlControl(TWinControl* parent, int index, const corvan::html::FormControl& control, const TFont& font);
  ~THtmlControl() override;

  int Index() const { return index_; }
  corvan::html::ControlKind Kind() const { return kind_; }
  // What it holds now (the state the page gave it until the window exists).
  corvan::html::ControlState State() const;
  void SetState(const corvan::html::ControlState& state);

  std::function<void(THtmlControl&)> OnPress;  // a button pressed (by the mouse, Space or Enter)
  std::function<void(THtmlControl&)> OnCheck;  // a check box or radio button clicked
  std::function<void(THtmlControl&)> OnEnter;  // Enter in a one-line field

 protected:
  void CreateParams(TCreateParams& params) override;
  void HandleCreated() override;
  void HandleDestroying() override;
  bool WndProc(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;
  bool ReflectCommand(WORD code, LRESULT& result) override;

 private:
  bool IsButton() const;
  bool IsList() const;

  int index_;
  corvan::html::ControlKind kind_;
  corvan::html::FormControl control_;
  corvan::html::ControlState state_;  // kept while there is no window
};
