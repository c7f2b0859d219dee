#include "install/CopyOnContinue.h"

#include <vector>

#include "toolkit/Dialogs.h"

const wchar_t* const CopyRetryText = L"Apasa 'Continua' pentru a relua copierea.....";

void RunCopyOnContinue(TMForm& page, CopyPageView& view, std::initializer_list<TControl*> buttons,
                       const std::function<CopyResult()>& copy) {
  // Continue gave the page Next; it stands only once the copy has finished, so that an
  // error escaping the copy cannot close the page as if it had.
  page.SetModalResult(TModalResult::None);
  struct ButtonsBack {
    std::vector<TControl*> buttons;
    bool closing = false;
    ~ButtonsBack() {
      if (!closing)
        for (TControl* button : buttons) button->SetEnabled(true);
    }
  } buttonsBack{{buttons.begin(), buttons.end()}};
  for (TControl* button : buttons) button->SetEnabled(false);

  const CopyResult result = copy();
  switch (result.outcome) {
    case CopyOutcome::Done:
      buttonsBack.closing = true;
      page.SetModalResult(TModalResult::Next);
      return;
    case CopyOutcome::Cancelled:
      // The disk prompt's Cancel: the page's result is Cancel and the wizard ends.
      buttonsBack.closing = true;
      return;
    case CopyOutcome::JoinFailed:
      // A part that could not be read or joined: the join has said why.
      view.SetStatusText(CopyRetryText);
      return;
    case CopyOutcome::Failed:
      // Nothing unpacked is lost: the page stays, and Continue goes on after the user has
      // fixed the media or made room.
      MsgDlg(result.error.message, L"", mtError, taCenter, ::Buttons({mbOK}), mbOK);
      view.SetStatusText(CopyRetryText);
      return;
  }
}
