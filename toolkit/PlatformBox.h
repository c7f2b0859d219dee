#pragma once
// The platform's own message box, the only message of the setup that does not go through
// MsgDlg: the standard error box that shows an error escaping a page, and the plain box
// the platform shows for a joined archive that cannot be deleted or a window that cannot
// be destroyed. Text is wide, as everywhere in the program.
#include <cstdint>
#include <functional>
#include <string>

enum class TPlatformBox : std::uint8_t {
  Plain,  // an OK button, no caption, centred on the screen
  Error,  // the standard error box: the error icon, the caption "Corvan", an OK button
};

void PlatformMessageBox(const std::wstring& text, TPlatformBox kind);

// While set, PlatformMessageBox shows nothing and hands the text to the observer (tests).
using PlatformBoxObserver = std::function<void(const std::wstring& text, TPlatformBox kind)>;
void SetPlatformBoxObserver(PlatformBoxObserver observer);
