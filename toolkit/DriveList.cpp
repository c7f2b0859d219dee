#include "toolkit/DriveList.h"

#include <shellapi.h>

#include <algorithm>

#include "core/text.h"
#include "platform/Files.h"
#include "toolkit/GGlobals.h"
#include "toolkit/Gdi.h"

namespace {

constexpr int kIconSize = 16;

TDriveEntry ReadDrive(wchar_t letter) {
  TDriveEntry drive;
  drive.root = std::wstring(1, letter) + L":\\";
  drive.type = GetDriveTypeW(drive.root.c_str());
  // A removable drive is named and drawn from its kind alone: reading it would spin a
  // floppy up, or wait for a medium that is not there.
  const bool removable = drive.type == DRIVE_REMOVABLE;
  SHFILEINFOW info{};
  const UINT flags = SHGFI_DISPLAYNAME | SHGFI_ICON | SHGFI_SMALLICON | (removable ? SHGFI_USEFILEATTRIBUTES : 0);
  if (SHGetFileInfoW(drive.root.c_str(), FILE_ATTRIBUTE_DIRECTORY, &info, sizeof info, flags)) {
    drive.name = info.szDisplayName;
    if (info.hIcon) drive.icon.reset(info.hIcon, DestroyIcon);
  }
  const std::wstring bare = drive.root.substr(0, 2);
  if (drive.name.empty()) drive.name = bare;
  // Shown without its letter the name would not say which drive it is.
  else if (drive.name.find(bare) == std::wstring::npos && drive.name.find(corvan::UpperAscii(bare)) == std::wstring::npos)
    drive.name += L" (" + bare + L")";
  return drive;
}

}  // namespace

std::vector<TDriveEntry> ReadDrives() {
  const QuietDriveErrors quiet;
  std::vector<TDriveEntry> drives;
  const DWORD mask = GetLogicalDrives();
  for (int i = 0; i < 26; ++i)
    if (mask & (1u << i)) drives.push_back(ReadDrive(static_cast<wchar_t>(L'A' + i)));
  return drives;
}

static TControlDesc ListDesc(TControlDesc desc) {
  if (desc.width == 0) desc.width = 145;
  if (desc.height == 0) desc.height = 22;
  desc.tabStop = true;
  return desc;
}

TDriveList::TDriveList(TWinControl* parent, const TControlDesc& desc) : TWinControl(parent, ListDesc(desc)) {}

TDriveList::~TDriveList() { DestroyHandle(); }

void TDriveList::CreateParams(TCreateParams& params) {
  TWinControl::CreateParams(params);
  params.systemClass = L"COMBOBOX";
  params.style &= ~WS_CLIPCHILDREN;
  params.style |= CBS_DROPDOWNLIST | CBS_OWNERDRAWFIXED | CBS_HASSTRINGS | WS_VSCROLL;
  // The window's height holds the open list too; the closed box keeps the control's height.
  params.height = Height() + 12 * (kIconSize + 2);
}

void TDriveList::HandleCreated() { Refresh(); }

void TDriveList::Refresh() {
  const std::wstring chosen = HandleAllocated() ? Drive() : std::wstring();
  drives_ = ReadDrives();
  Fill();
  if (!chosen.empty()) SetDrive(chosen);
}

void TDriveList::Fill() {
  HWND window = HandleIfCreated();
  if (!window) return;
  SendMessageW(window, CB_RESETCONTENT, 0, 0);
  for (const TDriveEntry& drive : drives_)
    SendMessageW(window, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(drive.name.c_str()));
  // The rows hold the icon; the closed box keeps the height the control was given.
  int textHeight = kIconSize;
  if (WindowDC dc(window); dc.Get()) {
    SelectGuard font(dc.Get(), Font().Handle());
    TEXTMETRICW metrics{};
    if (GetTextMetricsW(dc.Get(), &metrics)) textHeight = metrics.tmHeight;
  }
  SendMessageW(window, CB_SETITEMHEIGHT, 0, std::max(kIconSize, textHeight) + 2);
  SendMessageW(window, CB_SETITEMHEIGHT, static_cast<WPARAM>(-1), std::max(Height() - 6, textHeight));
}

int TDriveList::ItemIndex() {
  HWND window = HandleIfCreated();
  return window ? static_cast<int>(SendMessageW(window, CB_GETCURSEL, 0, 0)) : -1;
}

std::wstring TDriveList::Drive() {
  const int index = ItemIndex();
  if (index < 0 || index >= static_cast<int>(drives_.size())) return {};
  return drives_[static_cast<size_t>(index)].root;
}

bool TDriveList::SetDrive(const std::wstring& root) {
  Handle();
  for (size_t i = 0; i < drives_.size(); ++i)
    if (root.size() >= 2 && corvan::SameNameNoCase(drives_[i].root.substr(0, 2), root.substr(0, 2))) {
      SendMessageW(HandleIfCreated(), CB_SETCURSEL, i, 0);
      reported_ = static_cast<int>(i);
      return true;
    }
  return false;
}

bool TDriveList::ReflectCommand(WORD code, LRESULT& result) {
  // Moving through the open list changes the selection at each step; the choice is made
  // when the list closes, or at once while it is closed (arrow keys on the box).
  if (code != CBN_SELCHANGE && code != CBN_CLOSEUP) return false;
  if (code == CBN_SELCHANGE && SendMessageW(HandleIfCreated(), CB_GETDROPPEDSTATE, 0, 0)) return false;
  const int index = ItemIndex();
  if (index != reported_) {
    reported_ = index;
    if (OnChange) OnChange(*this);
  }
  result = 0;
  return true;
}

bool TDriveList::ReflectDrawItem(const DRAWITEMSTRUCT& item) {
  HDC dc = item.hDC;
  const RECT r = item.rcItem;
  const bool selected = item.itemState & ODS_SELECTED;
  const bool disabled = item.itemState & ODS_DISABLED;
  FillSolid(dc, r, ResolveColor(selected && !disabled ? clHighlight : Color()));
  if (item.itemID == static_cast<UINT>(-1) || item.itemID >= drives_.size()) return true;
  const TDriveEntry& drive = drives_[item.itemID];
  const int iconTop = r.top + (r.bottom - r.top - kIconSize) / 2;
  if (drive.icon) DrawIconEx(dc, r.left + 2, iconTop, drive.icon.get(), kIconSize, kIconSize, 0, nullptr, DI_NORMAL);
  SelectGuard font(dc, Font().Handle());
  SetBkMode(dc, TRANSPARENT);
  SetTextColor(dc, ResolveColor(disabled ? clGrayText : selected ? clHighlightText : Font().Color()));
  RECT text{r.left + kIconSize + 6, r.top, r.right - 2, r.bottom};
  DrawTextW(dc, drive.name.c_str(), static_cast<int>(drive.name.size()), &text,
            DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX | DT_END_ELLIPSIS);
  if ((item.itemState & ODS_FOCUS) && !(item.itemState & ODS_NOFOCUSRECT)) DrawFocusRect(dc, &r);
  return true;
}

HBRUSH TDriveList::ReflectCtlColor(UINT, HDC dc) {
  SetBkColor(dc, ResolveColor(Color()));
  if (!brush_) brush_.Reset(CreateSolidBrush(ResolveColor(Color())));
  return brush_.Get();
}
