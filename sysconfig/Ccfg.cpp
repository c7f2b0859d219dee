#include "sysconfig/Ccfg.h"

#include <windows.h>

#include "core/group_macros.h"
#include "platform/Files.h"
#include "platform/RunProgram.h"
#include "sysconfig/BdeConfig.h"
#include "sysconfig/ProgramGroup.h"
#include "sysconfig/StepTrace.h"
#include "toolkit/Dialogs.h"
#include "toolkit/PlatformBox.h"
#include "wizard/StepPanel.h"

using namespace corvan;

TConfig::TConfig()
    : TWizardPage({.name = L"Config", .step = Step, .title = L"Configurare sistem", .answersHelpKey = true}) {
  BNext.OnClick = Guarded([this](TControl&) { BNextClick(); });
  FormCreate();
}

void TConfig::FormCreate() {
  for (TPanel* panel : {&BBDE, &BCFGSYS, &BGROUP}) ResetStepPanel(*panel);
}

void TConfig::ResetStepPanel(TPanel& panel) { ShowStepPending(panel); }

void TConfig::MarkStepDone(TPanel& panel) {
  ShowStepDone(panel);
  ProcessPendingMessages();
}

// Back and Abandon stay enabled, but a press handled between the steps is overruled: the
// result set last is Next, so the finish page always follows a completed run.
void TConfig::BNextClick() {
  BNext.SetEnabled(false);
  try {
    DoConfigBDE();
  } catch (const BdeTemplateError& error) {
    // The engine's template could not be used: nothing after it runs, Continue stays
    // disabled and the page stays open for Back or Abandon.
    PlatformMessageBox(error.Text(), TPlatformBox::Error);
    return;
  }
  MarkStepDone(BBDE);
  DoConfigConfigSys();
  MarkStepDone(BCFGSYS);
  DoConfigGroup();
  MarkStepDone(BGROUP);
  SetModalResult(TModalResult::Next);
  BNext.SetEnabled(true);
}

void DoConfigConfigSys() {
  LogBegin(L"DoConfigConfigSys");
  const std::wstring& programDir = Settings().ProgramDir;
  // The programs' paths are quoted, so a folder with blanks cannot start another program;
  // the control's path stays as it is (TREGSVR takes the rest of its line as the file).
  RunProgram(QuotedPath(programDir + L"\\HHUPD.EXE") + L" /Q", SW_MINIMIZE, true);
  RunProgram(QuotedPath(programDir + L"\\TREGSVR.EXE") + L" -Q " + programDir + L"\\CFX32.OCX", SW_MINIMIZE, true);
  LogEnd(L"DoConfigConfigSys");
}

void DoConfigGroup() {
  LogBegin(L"DoConfigGroup");
  const InstallSettings& s = Settings();
  // On this road the proposed folder is the program folder; the optional programs are
  // looked for where the folders page proposed to install them.
  const InstalledPrograms installed{.outpost = FileExists(s.ProposedProgramDir + L"\\OUTPOST.EXE"),
                                    .paydesk = FileExists(s.ProposedProgramDir + L"\\PAYDESK.EXE")};
  if (!SendDdeExecute(ProgramGroupServer(), JoinedMacros(ProgramGroupMacros(s.ProgramDir, installed)))) {
    LogNote(L"Eroare initializare conversatie DDE");
    MsgDlg(L"Eroare DDE!", L"Eroare...", mtError, taCenter, Buttons({mbCancel}), mbCancel);
  }
  LogEnd(L"DoConfigGroup");
}
