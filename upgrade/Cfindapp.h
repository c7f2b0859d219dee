#pragma once
// TFindApp, the first page of the upgrade road: the data folder from Corvan's database
// alias, the install type from the drive it lies on, and the program folder from the
// Windows profile or, failing that, from a search of the fixed drives for the program
// file. The user confirms the program folder, or picks it, and goes on to the upgrade
// copy.
#include <string>

#include "core/install_settings.h"
#include "toolkit/Actives.h"
#include "toolkit/FmtLabel.h"
#include "toolkit/Panels.h"
#include "wizard/PageBase.h"

class TFindApp : public TWizardPage {
 public:
  static constexpr corvan::TWizardStep Step = corvan::wsFindApp;

  TFindApp();

  // Continue searches on its first press and confirms afterwards: it gives its result itself.
  TPageButton BNext{this, {.name = L"BNext", .left = 82, .top = 52, .width = 67, .height = 51,
                           .caption = L"&Continua"}, mknNext, TModalResult::None, 5};
  TPageButton BBack{this, {.name = L"BBack", .left = 15, .top = 52, .width = 67, .height = 51, .caption = L"&Inapoi"},
                    mknPrev, TModalResult::Back, 5};
  TPageNiceButton BCancel{this, {.name = L"BCancel", .left = 504, .top = 63, .width = 109, .height = 28,
                                 .caption = L"&Abandon"}, mkCancel, TModalResult::Cancel};
  TPanel Panel1{this, {.name = L"Panel1", .left = 168, .top = 29, .width = 305, .height = 83, .parentColor = true}};
  TActiveLabel LProgram{&Panel1, {.name = L"LProgram", .left = 12, .top = 12, .width = 56, .height = 13,
                                  .caption = L"&Program:", .font = TFont(L"MS Sans Serif", -11, fsBold)}};
  TActiveLabel LDate{&Panel1, {.name = L"LDate", .left = 13, .top = 35, .width = 40, .height = 13,
                               .caption = L"&Date:", .font = TFont(L"MS Sans Serif", -11, fsBold)}};
  TActiveEdit RProgram{&Panel1, {.name = L"RProgram", .left = 72, .top = 8, .width = 196, .height = 21,
                                 .color = corvan::clGrid, .font = TFont(L"MS Sans Serif", -11, fsBold, corvan::clBlack)}};
  TActiveEdit RDate{&Panel1, {.name = L"RDate", .left = 72, .top = 31, .width = 196, .height = 21,
                              .color = corvan::clGrid, .font = TFont(L"MS Sans Serif", -11, fsBold, corvan::clBlack)}};
  TMButton BProgram{&Panel1, {.name = L"BProgram", .left = 271, .top = 8, .width = 29, .height = 21,
                              .caption = L"Cauta..."}};
  TMButton BDate{&Panel1, {.name = L"BDate", .left = 271, .top = 31, .width = 29, .height = 21, .caption = L"Cauta..."}};
  TFmtLabel dirlabel{&Panel1, {.name = L"dirlabel", .left = 11, .top = 58, .width = 283, .height = 16}};

  void FormCreate();
  void BNextClick();
  void BCancelClick();
  void BProgramClick();

  // The search's outcome on the page: the program folder found (empty: none), the data
  // folder or the client notice, Continue, and the title asking for confirmation.
  void ShowSearchResult(const std::wstring& programDir);

  bool Activated() const { return activated_; }
  bool CanContinue() const { return canContinue_; }

 private:
  // The search of the first Continue: the profile's AppPath and DatabasePath, then the
  // fixed drives. The folder found, with its backslash, or empty.
  std::wstring FindProgramFolder();
  std::wstring SearchFixedDrives();
  // True: stop (a folder was found, or the user pressed Abandon).
  bool SearchFolderTree(const std::wstring& folder);
  void SetStatus(const std::wstring& text);
  // The data folder when the alias named none: the program folder's (a local
  // installation keeps its data there).
  void DataFollowsProgram(const std::wstring& programDir);

  bool activated_ = false;
  bool askToStop_ = false;
  bool canContinue_ = false;
  bool searching_ = false;
  bool dataFromProgram_ = false;  // the alias gave no folder
  std::wstring foundProgramDir_;
  std::wstring windowsDirSlash_;
};

// True when folder + "CORVAN.EXE" (a backslash put between when the folder lacks one) is
// a file of more than 6,000,000 bytes.
bool IsProgramFolder(const std::wstring& folder);

// Texts of the page.
extern const wchar_t* const FindAppConfirmTitle;  // the title once the search has run
extern const wchar_t* const ClientInstallNotice;  // RDate for a client installation
