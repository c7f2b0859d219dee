#pragma once
// TUpgCopy, the upgrade copy page: on Continue it joins the archives from the installation
// disks like the fresh-install copy page, then refreshes the installed program and the
// blank reference database entry by entry. The engine's files a program archive carries,
// the example database and the customer's DATA folder are never written; pictures in the
// NEW folders are kept. A copy that fails keeps the page open with its reason, and
// Continue goes on from where it stopped.
#include <string>

#include "core/extract_progress.h"
#include "install/CopyComponents.h"
#include "install/PageCopyView.h"
#include "toolkit/Actives.h"
#include "toolkit/Panels.h"
#include "wizard/PageBase.h"

class TUpgCopy : public TWizardPage {
 public:
  static constexpr corvan::TWizardStep Step = corvan::wsUpgradeCopy;

  TUpgCopy();

  // Declared first: the first in tab order.
  TPageButton BNext{this, {.name = L"BNext", .left = 82, .top = 52, .width = 67, .height = 51,
                           .caption = L"&Continua"}, mknNext, TModalResult::Next, 5};
  TPageButton BBack{this, {.name = L"BBack", .left = 15, .top = 52, .width = 67, .height = 51, .caption = L"&Inapoi"},
                    mknPrev, TModalResult::Back, 5};
  TPanel Panel1{this, {.name = L"Panel1", .left = 175, .top = 33, .width = 302, .height = 56, .parentColor = true}};
  TActiveLabel Label1{&Panel1, {.name = L"Label1", .left = 8, .top = 10, .width = 70, .height = 13,
                                .caption = L"Copiere:", .font = TFont(L"MS Sans Serif", -11, 0, corvan::clBlack)}};
  TGauge CopyProgress{&Panel1, {.name = L"CopyProgress", .left = 80, .top = 7, .width = 207, .height = 19}};
  TActiveLabel Label2{&Panel1, {.name = L"Label2", .left = 8, .top = 33, .width = 70, .height = 13,
                                .caption = L"Decompresie:", .font = TFont(L"MS Sans Serif", -11, 0, corvan::clBlack)}};
  TGauge UnzipProgress{&Panel1, {.name = L"UnzipProgress", .left = 80, .top = 30, .width = 207, .height = 19}};
  TPageNiceButton BCancel{this, {.name = L"BCancel", .left = 504, .top = 63, .width = 109, .height = 28,
                                 .caption = L"&Abandon"}, mkCancel, TModalResult::Cancel};
  TActiveLabel LGroupName{this, {.name = L"LGroupName", .left = 154, .top = 94, .width = 339, .height = 17,
                                 .caption = L"Apasa 'Continua' pentru a incepe instalarea.....",
                                 .font = TFont(L"MS Sans Serif", -11, fsBold, corvan::Hex(0xFF0000))}};

  // ZipSize and ZipProgres of the archive being unpacked.
  corvan::ExtractProgress Counters;
  // True while the archive being unpacked is a program component's: it steers
  // ConfirmUpgradeEntry.
  bool ProgramArchive = false;

  void FormCreate();
  void BNextClick();

  // How the upgrade unpacks the joined archives (ExtractUpgradeComponents): only the rows
  // of the program and of the blank reference database, a missing archive skipped for
  // every row, the NEW folders cleared with their pictures kept, each entry passed
  // through ConfirmUpgradeEntry.
  CopyRules UpgradeRules();
  // The entry filter: a program archive gives everything but the engine's files (\IDAPI...),
  // the reference database archive only its NEW tree. Each decision goes to the step trace.
  bool ConfirmUpgradeEntry(const std::wstring& name);

 private:
  PageCopyView view_{*this, LGroupName, CopyProgress, UnzipProgress};
  CopyRunMemory memory_;
};

// Empties NEW\DATA, NEW\FIRMA and NEW\LUNA below the data folder, keeping their pictures.
void ClearNewFoldersKeepImages(const std::wstring& folder);
// Deletes the files matching folder + mask, except pictures (.BMP, .PNG), whose attributes
// are made normal so that the upgrade can write over them. Failures are ignored.
void ClearFolderFilesKeepImages(const std::wstring& folder, const std::wstring& mask);
