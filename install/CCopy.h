#pragma once
// TCopy, the copy page of a fresh installation: on Continue it joins the archives from
// the installation disks, unpacks every component of the install type into its folder
// (an installed engine and an existing database left alone) and deletes the joined
// archives. A copy that fails is never taken for a finished one: the page says why and
// stays open, and Continue goes on from where the copy stopped.
#include "core/extract_progress.h"
#include "install/CopyComponents.h"
#include "install/CopyOnContinue.h"
#include "install/PageCopyView.h"
#include "toolkit/Actives.h"
#include "toolkit/Panels.h"
#include "wizard/PageBase.h"

class TCopy : public TWizardPage {
 public:
  static constexpr corvan::TWizardStep Step = corvan::wsCopy;

  TCopy();

  // Declared first: the first in tab order.
  TPageButton BNext{this, {.name = L"BNext", .left = 82, .top = 52, .width = 67, .height = 51,
                           .caption = L"&Continua"}, mknNext, TModalResult::Next, 5};
  TPageButton BBack{this, {.name = L"BBack", .left = 15, .top = 52, .width = 67, .height = 51, .caption = L"&Inapoi"},
                    mknPrev, TModalResult::Back, 5};
  TPanel Panel1{this, {.name = L"Panel1", .left = 175, .top = 33, .width = 302, .height = 56, .parentColor = true}};
  TActiveLabel Label1{&Panel1, {.name = L"Label1", .left = 8, .top = 10, .width = 76, .height = 13,
                                .caption = L"Copiere:"}};
  TGauge CopyProgress{&Panel1, {.name = L"CopyProgress", .left = 88, .top = 7, .width = 199, .height = 19}};
  TActiveLabel Label2{&Panel1, {.name = L"Label2", .left = 8, .top = 32, .width = 76, .height = 13,
                                .caption = L"Decompresie:"}};
  TGauge UnzipProgress{&Panel1, {.name = L"UnzipProgress", .left = 88, .top = 30, .width = 199, .height = 19}};
  TPageNiceButton BCancel{this, {.name = L"BCancel", .left = 504, .top = 63, .width = 109, .height = 28,
                                 .caption = L"&Abandon"}, mkCancel, TModalResult::Cancel};
  TActiveLabel LGroupName{this, {.name = L"LGroupName", .left = 154, .top = 94, .width = 339, .height = 13,
                                 .caption = L"Apasa 'Continua' pentru a incepe instalarea.....",
                                 .font = TFont(L"MS Sans Serif", -11, fsBold, corvan::Hex(0xFF0000))}};

  // ZipSize and ZipProgres of the archive being unpacked.
  corvan::ExtractProgress Counters;

  void FormCreate();
  void BNextClick();

 private:
  PageCopyView view_{*this, LGroupName, CopyProgress, UnzipProgress};
  CopyRunMemory memory_;
};
