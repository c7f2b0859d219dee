#pragma once
// TDirs, the destination folders page: the program folder and, by install type, the data
// folder, each typed or chosen with the folder picker. Continue checks the folders,
// makes the missing ones and stores them in ProgramDir and DataDir.
#include <string>

#include "core/install_settings.h"
#include "toolkit/Actives.h"
#include "toolkit/Panels.h"
#include "wizard/PageBase.h"

class TDirs : public TWizardPage {
 public:
  static constexpr corvan::TWizardStep Step = corvan::wsFolders;

  TDirs();

  TPageButton BBack{this, {.name = L"BBack", .left = 15, .top = 52, .width = 67, .height = 51, .caption = L"&Inapoi"},
                    mknPrev, TModalResult::Back, 5};
  TPageButton BNext{this, {.name = L"BNext", .left = 82, .top = 52, .width = 67, .height = 51,
                           .caption = L"&Continua"}, mknNext, TModalResult::Next, 5};
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
  // The client note: its place lies in the panel, under the data folder.
  TActiveMemo netmemo{&Panel1, {.name = L"netmemo", .left = 5, .top = 53, .width = 295, .height = 29,
                                .color = corvan::PageColor}};
  TPageNiceButton BCancel{this, {.name = L"BCancel", .left = 504, .top = 63, .width = 109, .height = 28,
                                 .caption = L"&Abandon"}, mkCancel, TModalResult::Cancel};

  void FormCreate();
  void BProgramClick();
  void BDateClick();
  void RDateChange();
  void BNextClick();
};

// The four lines of the client note, each as shown (some end in a blank).
extern const wchar_t* const ClientNoteLines[4];
