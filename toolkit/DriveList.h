#pragma once
// The drive list of the folder picker: the computer's drives in letter order, each shown
// as Windows shows it, with the icon of its kind (floppy, fixed disk, CD, network share)
// and its name ("Local Disk (C:)", a share's name). The platform's drop-down list, drawn
// by the control in its own colour and font.
#include <windows.h>

#include <memory>
#include <string>
#include <vector>

#include "toolkit/Control.h"
#include "toolkit/Gdi.h"

struct TDriveEntry {
  std::wstring root;         // "C:\"
  UINT type = DRIVE_UNKNOWN;  // GetDriveTypeW
  std::wstring name;         // as the shell names it, or "C:" when it gives none
  std::shared_ptr<std::remove_pointer_t<HICON>> icon;  // the kind's small icon, or null
};

// The computer's drives as the list shows them (GetLogicalDrives, the shell's names and
// icons). A drive without its medium is read without asking the user for one.
std::vector<TDriveEntry> ReadDrives();

class TDriveList : public TWinControl {
 public:
  TDriveList(TWinControl* parent, const TControlDesc& desc);
  ~TDriveList() override;

  // Reads the drives again (done when the window is made).
  void Refresh();
  const std::vector<TDriveEntry>& Drives() const { return drives_; }
  // The chosen drive's root ("C:\"), empty when none is chosen.
  std::wstring Drive();
  // Chooses the drive of that root (letter case ignored); false when there is none.
  // Does not fire OnChange: only the user's choice does.
  bool SetDrive(const std::wstring& root);
  int ItemIndex();

  // The user chose another drive.
  TNotifyEvent OnChange;

 protected:
  void CreateParams(TCreateParams& params) override;
  void HandleCreated() override;
  bool ReflectCommand(WORD code, LRESULT& result) override;
  bool ReflectDrawItem(const DRAWITEMSTRUCT& item) override;
  HBRUSH ReflectCtlColor(UINT message, HDC dc) override;

 private:
  void Fill();
  std::vector<TDriveEntry> drives_;
  int reported_ = -1;  // the drive OnChange last told of (or SetDrive chose)
  OwnedBrush brush_;
};
