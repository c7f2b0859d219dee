#pragma once
// The message dialog: every question and error of the setup goes through MsgDlg.
// Tests observe and answer it through SetMsgDlgObserver.
#include <cstdint>
#include <functional>
#include <string>

#include "core/modal_result.h"
#include "toolkit/Types.h"

enum TMsgDlgBtn : std::uint8_t {
  mbYes = 0,
  mbNo = 1,
  mbOK = 2,
  mbCancel = 3,
  mbAbort = 4,
  mbRetry = 5,
  mbIgnore = 6,
  mbAll = 7,
  mbNoToAll = 8,
  mbYesToAll = 9,
  mbHelp = 10,
  mbClose = 11,
};

// A set of buttons: bit i for the button of value i.
using TMsgDlgButtons = std::uint16_t;
constexpr TMsgDlgButtons Buttons(std::initializer_list<TMsgDlgBtn> list) {
  TMsgDlgButtons set = 0;
  for (auto b : list) set |= static_cast<TMsgDlgButtons>(1u << b);
  return set;
}

// Heading put before every message while not empty (at most 255 characters).
extern std::wstring MessagePrefix;

// MessagePrefix for one stretch of messages: set to `during` now and to `after` when the
// stretch ends, however it ends (an exception included).
class MessagePrefixScope {
 public:
  MessagePrefixScope(std::wstring during, std::wstring after);
  ~MessagePrefixScope();
  MessagePrefixScope(const MessagePrefixScope&) = delete;
  MessagePrefixScope& operator=(const MessagePrefixScope&) = delete;

 private:
  std::wstring after_;
};

// Shows the message and returns the result of the button that closed it, Cancel when
// closed by the system menu, None when the dialog cannot be built or shown.
corvan::TModalResult MsgDlg(const std::wstring& text, const std::wstring& caption, TMsgDlgType kind, TAlignment alignment,
           TMsgDlgButtons buttons, TMsgDlgBtn defaultButton, std::int32_t helpContext = 0);

// The text as shown under the current MessagePrefix (corvan::ShownMessageText).
std::wstring MessageShownText(const std::wstring& text);

// What a call to MsgDlg asked, as an observer sees it.
struct MsgDlgRequest {
  std::wstring shownText;  // with the prefix applied
  std::wstring caption;    // as passed (empty: the kind's title)
  TMsgDlgType kind;
  TAlignment alignment;
  TMsgDlgButtons buttons;
  TMsgDlgBtn defaultButton;
};

// While set, MsgDlg shows nothing and returns what the observer answers (tests).
using MsgDlgObserver = std::function<corvan::TModalResult(const MsgDlgRequest&)>;
void SetMsgDlgObserver(MsgDlgObserver observer);

// The automatic answering modes, switched by clicks on a dialog's picture; they last for
// the whole run. AutoCloseTicks != 0: one-button dialogs close by themselves; the timer
// period of both modes is AutoCloseTicks x 300 ms. AutoConfirm: dialogs with buttons press
// their default button by themselves.
extern int AutoCloseTicks;
extern bool AutoConfirm;

// While set, called with the real dialog once it is shown (tests look at it and press
// its buttons; the dialog ends as the user would end it).
class TMessageForm;
using MsgDlgShownHook = std::function<void(TMessageForm& dialog)>;
void SetMsgDlgShownHook(MsgDlgShownHook hook);
