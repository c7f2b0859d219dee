#pragma once
// TUpgData, the database upgrade page: the user chooses which of the upgrade library's
// three steps to run; Continue runs the chosen ones in their order, shows the library's
// progress texts, marks each step's panel done and keeps its check mark only when the
// step succeeded. Alt+Q asks the library for a quick verification.
#include <windows.h>

#include <array>

#include "toolkit/Actives.h"
#include "toolkit/FmtLabel.h"
#include "toolkit/Panels.h"
#include "wizard/PageBase.h"

class TUpgData : public TWizardPage {
 public:
  static constexpr corvan::TWizardStep Step = corvan::wsDataUpgrade;

  TUpgData();
  ~TUpgData() override;

  TFmtLabel Lk1{this, {.name = L"Lk1", .left = 165, .top = 51, .width = 29, .height = 17, .visible = false}};
  TFmtLabel Lk2{this, {.name = L"Lk2", .left = 165, .top = 70, .width = 29, .height = 17, .visible = false}};
  TFmtLabel Lk3{this, {.name = L"Lk3", .left = 165, .top = 89, .width = 29, .height = 17, .visible = false}};
  TActiveLabel L1{this, {.name = L"L1", .left = 160, .top = 29, .width = 60, .height = 13, .caption = L"Asteapta..."}};
  TPageButton BNext{this, {.name = L"BNext", .left = 82, .top = 52, .width = 67, .height = 51,
                           .caption = L"&Continua"}, mknNext, TModalResult::Next, 5};
  TPageNiceButton BCancel{this, {.name = L"BCancel", .left = 504, .top = 63, .width = 109, .height = 28,
                                 .caption = L"&Abandon"}, mkCancel, TModalResult::Cancel};
  TPageButton BBack{this, {.name = L"BBack", .left = 15, .top = 52, .width = 67, .height = 51, .caption = L"&Inapoi"},
                    mknPrev, TModalResult::Back, 5};
  TPanel BStruct{this, {.name = L"BStruct", .left = 185, .top = 51, .width = 253, .height = 17, .parentColor = true,
                        .caption = L"Verificare structuri", .font = StepFont()}};
  TPanel BLists{this, {.name = L"BLists", .left = 185, .top = 70, .width = 253, .height = 17, .parentColor = true,
                       .caption = L"Actualizare liste", .font = StepFont()}};
  TPanel BConst{this, {.name = L"BConst", .left = 185, .top = 89, .width = 253, .height = 17, .parentColor = true,
                       .caption = L"Actualizare constante", .font = StepFont()}};
  TActiveCheckBox Ck1{this, {.name = L"Ck1", .left = 449, .top = 51, .width = 22, .height = 15, .color = corvan::clGrid,
                             .font = BoxFont()}};
  TActiveCheckBox Ck2{this, {.name = L"Ck2", .left = 449, .top = 70, .width = 22, .height = 15, .color = corvan::clGrid,
                             .font = BoxFont()}};
  TActiveCheckBox Ck3{this, {.name = L"Ck3", .left = 449, .top = 89, .width = 22, .height = 15, .color = corvan::clGrid,
                             .font = BoxFont()}};

  // Quick verification asked for (Alt+Q).
  bool QuickV = false;

  void FormCreate();
  void BNextClick();

  // The procedure the library reports through: text is a global memory block holding a
  // zero-terminated single-byte text, which stays the library's.
  static void WINAPI UpgradeReportProc(HGLOBAL text);

 protected:
  void FormKeyDown(WORD& key, TShiftState shift) override;

 private:
  static TFont StepFont() { return TFont(L"MS Sans Serif", -11, fsBold, corvan::clBlack); }
  static TFont BoxFont() { return TFont(L"System", -16, fsBold, corvan::clRed); }

  struct StepControls {
    TPanel& panel;
    TActiveCheckBox& box;
    TFmtLabel& mark;
  };
  std::array<StepControls, 3> Steps() { return {{{BStruct, Ck1, Lk1}, {BLists, Ck2, Lk2}, {BConst, Ck3, Lk3}}}; }
};

// The label UpgradeReportProc writes into: the database upgrade page's L1 while it lives.
extern TActiveLabel* ReportLabel;
