// The install type page: its window table, the first entry, the way back, the choice
// reaching the driver, the backdrop key and the caption.
#include "install/Citype.h"

#include <gtest/gtest.h>
#include <windows.h>

#include "setup/Iglobals.h"
#include "setup/StepTable.h"
#include "toolkit/Dialogs.h"
#include "toolkit_globals.h"
#include "typed_keys.h"
#include "win32_test_support.h"

using namespace corvan;

namespace {
RECT BoundsIn(TControl& control) { return control.BoundsRect(); }

struct Fresh {
  Fresh() { Settings() = {}; }
};
}  // namespace

TEST(InstallTypePage, WindowTable) {
  Fresh fresh;
  TIType page;
  page.Show();
  EXPECT_EQ(page.Name(), L"IType");
  EXPECT_EQ(page.ClientWidth(), 637);
  EXPECT_EQ(page.ClientHeight(), 114);
  EXPECT_EQ(page.Color(), Hex(0x98A5B1));
  EXPECT_TRUE(page.Font().Bold());
  EXPECT_TRUE(page.KeyPreview());

  auto* bar = page.Find<TTitleBar>(L"TitleBar1");
  ASSERT_NE(bar, nullptr);
  EXPECT_EQ(bar->Caption(), L"Alegeti tipul instalarii!");
  EXPECT_EQ(bar->Height(), 25);
  EXPECT_EQ(bar->Width(), 637);
  EXPECT_EQ(bar->StartColor(), Hex(0x5C6978));

  const struct {
    TControl* control;
    RECT bounds;
  } places[] = {
      {&page.BCancel, {17, 52, 17 + 67, 52 + 51}},
      {&page.BNext, {84, 52, 84 + 67, 52 + 51}},
      {&page.Panel1, {191, 37, 191 + 413, 37 + 67}},
      {&page.IType, {11, 10, 11 + 396, 10 + 52}},  // in the panel
  };
  for (const auto& p : places) {
    SCOPED_TRACE(testing::Message() << std::string(p.control->Name().begin(), p.control->Name().end()));
    const RECT r = BoundsIn(*p.control);
    EXPECT_EQ(r.left, p.bounds.left);
    EXPECT_EQ(r.top, p.bounds.top);
    EXPECT_EQ(r.right, p.bounds.right);
    EXPECT_EQ(r.bottom, p.bounds.bottom);
  }
  EXPECT_EQ(page.IType.Parent(), &page.Panel1);
  EXPECT_EQ(page.Panel1.BevelOuter(), bvNone);
  EXPECT_EQ(page.Panel1.Color(), PageColor);

  EXPECT_EQ(page.BCancel.Caption(), L"&Abandon");
  EXPECT_EQ(page.BCancel.Kind(), mkCancel);
  EXPECT_EQ(page.BCancel.ButtonLayout(), blGlyphTop);
  EXPECT_EQ(page.BCancel.ModalResult(), TModalResult::Cancel);
  EXPECT_EQ(page.BNext.Caption(), L"&Continua");
  EXPECT_EQ(page.BNext.Kind(), mknNext);
  EXPECT_EQ(page.BNext.ButtonLayout(), blGlyphTop);
  EXPECT_EQ(page.BNext.Spacing(), 5);
  EXPECT_EQ(page.BNext.ModalResult(), TModalResult::Next);
  EXPECT_EQ(page.Find<TMButton>(L"BBack"), nullptr) << "the first page has no Back button";

  ASSERT_EQ(page.IType.Items().size(), 3u);
  EXPECT_EQ(page.IType.Items()[0], L" &LOCAL     - programul va fi folosit numai pe acest calculator");
  EXPECT_EQ(page.IType.Items()[1], L" &SERVER  - acest calculator va contine baza de date");
  EXPECT_EQ(page.IType.Items()[2], L" CLIEN&T    - programul va folosi o baza de date aflata la distanta");
}

TEST(InstallTypePage, CaptionIsTheTitle) {
  Fresh fresh;
  TIType page;
  page.Show();
  wchar_t text[128] = L"";
  GetWindowTextW(page.Handle(), text, 128);
  EXPECT_STREQ(text, L"Alegeti tipul instalarii!");
  EXPECT_EQ(FindWindowW(nullptr, L"Alegeti tipul instalarii!"), page.Handle());
}

TEST(InstallTypePage, FirstEntryHasNoChoiceAndContinueDisabledUntilOneIsMade) {
  Fresh fresh;
  Settings().CurrentStep = wsFolders;
  TIType page;
  EXPECT_EQ(Settings().CurrentStep, wsInstallType);
  page.Show();
  EXPECT_EQ(page.IType.ItemIndex(), -1);
  for (int i = 0; i < 3; ++i) EXPECT_FALSE(page.IType.Button(i)->Checked()) << i;
  EXPECT_FALSE(page.BNext.Enabled());
  EXPECT_FALSE(IsWindowEnabled(page.BNext.Handle()));
  AltLetter(page.Handle(), L'c');  // "&Continua" is disabled: its key does nothing
  EXPECT_EQ(page.ModalResult(), TModalResult::None);
  EXPECT_EQ(Settings().InstallType, itNone);

  // The accelerator of an item chooses it, as a click would.
  AltLetter(page.Handle(), L'l');
  EXPECT_EQ(page.IType.ItemIndex(), 0);
  EXPECT_TRUE(page.BNext.Enabled());
}

TEST(InstallTypePage, ClientChosenGoingOnAndComingBackIsStillChosen) {
  Fresh fresh;
  {
    TIType page;
    page.Show();
    AltLetter(page.Handle(), L't');  // " CLIEN&T"
    ASSERT_EQ(page.IType.ItemIndex(), 2);
    AltLetter(page.Handle(), L'c');
    EXPECT_EQ(page.ModalResult(), TModalResult::Next);
    EXPECT_EQ(Settings().InstallType, itClient);
  }
  TIType back;  // the driver creates the page afresh when the user comes Back
  back.Show();
  EXPECT_EQ(back.IType.ItemIndex(), 2);
  EXPECT_TRUE(back.IType.Button(2)->Checked());
  EXPECT_TRUE(back.BNext.Enabled());
  // A mouse click on another item changes the choice; Continue stays enabled.
  TMGroupButton& local = *back.IType.Button(0);
  SendMessageW(local.Handle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
  SendMessageW(local.Handle(), WM_LBUTTONUP, 0, MAKELPARAM(5, 5));
  Drain();
  EXPECT_EQ(back.IType.ItemIndex(), 0);
  EXPECT_TRUE(back.BNext.Enabled());
}

TEST(InstallTypePage, AbandonEndsWithCancelAndChangesNothing) {
  Fresh fresh;
  Settings().InstallType = itLocal;
  TIType page;
  PostMessageW(page.Handle(), WM_SYSCHAR, L'a', 0x20000000);
  EXPECT_EQ(page.ShowModal(), TModalResult::Cancel);
  EXPECT_EQ(Settings().InstallType, itLocal);
}

TEST(InstallTypePage, AltMTogglesTheBackdrop) {
  Fresh fresh;
  WNDCLASSW wc{};
  wc.lpfnWndProc = DefWindowProcW;
  wc.hInstance = GetModuleHandleW(nullptr);
  wc.lpszClassName = L"CorvanTestBackdrop";
  RegisterClassW(&wc);
  HWND backdrop = CreateWindowExW(0, L"CorvanTestBackdrop", L"Corvan", WS_POPUP | WS_VISIBLE, 0, 0, 400, 300, nullptr,
                                  nullptr, GetModuleHandleW(nullptr), nullptr);
  SetMainWindow(backdrop);
  TIType page;
  page.Show();
  AltKey(page.Handle(), 'M');
  EXPECT_FALSE(IsWindowVisible(backdrop));
  AltKey(page.Handle(), 'M');
  EXPECT_TRUE(IsWindowVisible(backdrop));
  EXPECT_EQ(GetForegroundWindow(), page.Handle());
  EXPECT_EQ(page.IType.ItemIndex(), -1);  // Alt+M is the page's key, no item's
  SetMainWindow(nullptr);
  DestroyWindow(backdrop);
}

TEST(InstallTypePage, ServerAndContinueReachTheFoldersStep) {
  Fresh fresh;
  std::vector<MsgDlgRequest> messages;
  SetMsgDlgObserver([&](const MsgDlgRequest& r) {
    messages.push_back(r);
    return TModalResult::Cancel;
  });
  std::vector<TWizardStep> created;
  WizardEnvironment env;
  env.aliasExists = [] { return false; };
  env.unpackUpgradePackage = [] {};
  env.loadUpgradeLibrary = [] { return true; };
  env.readSetupConfig = [] {};
  env.askServerUpgrade = AskServerUpgrade;
  env.createPage = [&](TWizardStep step) -> std::unique_ptr<IWizardPage> {
    created.push_back(step);
    if (step != wsInstallType) return nullptr;  // the later pages are not this test's
    std::unique_ptr<IWizardPage> page = CreateStepPage(step);  // the real step table
    auto* itype = dynamic_cast<TIType*>(page.get());
    EXPECT_NE(itype, nullptr) << "the install type step shows TIType";
    if (!itype) return nullptr;
    // The user types Alt+S, then Alt+C.
    PostMessageW(itype->Handle(), WM_SYSCHAR, L's', 0x20000000);
    PostMessageW(itype->Handle(), WM_SYSCHAR, L'c', 0x20000000);
    return page;
  };
  RunWizard(env);
  SetMsgDlgObserver(nullptr);
  EXPECT_EQ(created, (std::vector<TWizardStep>{wsInstallType, wsFolders}));
  EXPECT_EQ(Settings().InstallType, itServer);
  // The driver went on to step 1, which this test gives no page: the walk ends there.
  EXPECT_TRUE(messages.empty());
  EXPECT_EQ(Settings().CurrentStep, wsDone);
}
