// The step machine of the wizard driver and the page placement.
#include "core/wizard_steps.h"

#include <gtest/gtest.h>

using namespace corvan;

namespace {
constexpr TModalResult Next = TModalResult::Next, Cancel = TModalResult::Cancel, Back = TModalResult::Back;

struct Move {
  std::uint8_t from;
  TInstallType type;
  TModalResult result;
  bool answer;  // what the server-upgrade question answers, if asked
  std::uint8_t to;
  TInstallType typeAfter;
  bool asked;
};
}  // namespace

TEST(WizardSteps, StateTable) {
  const Move moves[] = {
      {wsInstallType, itLocal, Next, true, wsFolders, itLocal, false},
      {wsConfig, itLocal, Next, true, wsFinish, itLocal, false},
      {wsFinish, itLocal, Next, true, wsDone, itLocal, false},
      {wsFinish, itLocal, Back, true, wsConfig, itLocal, false},
      {wsFinish, itServer, Back, true, wsConfig, itServer, false},  // upgrade road too
      {wsCopy, itLocal, Cancel, true, wsDone, itLocal, false},
      {wsFindApp, itClient, Back, true, wsDone, itClient, false},
      {wsFindApp, itClient, Next, true, wsUpgradeCopy, itServer, true},
      {wsFindApp, itClient, Next, false, wsUpgradeCopy, itClient, true},
      {wsUpgradeCopy, itClient, Next, false, wsFinish, itClient, false},
      {wsUpgradeCopy, itServer, Next, false, wsDataUpgrade, itServer, false},
      {wsDataUpgrade, itServer, Next, false, wsFinish, itServer, false},
      {wsDataUpgrade, itClient, Back, true, wsUpgradeCopy, itServer, true},
      {wsFolders, itLocal, TModalResult::None, true, wsFolders, itLocal, false},
      {wsFolders, itLocal, TModalResult::Abort, true, wsFolders, itLocal, false},
      {wsInstallType, itNone, Back, true, wsInstallType, itNone, false},
  };
  for (const auto& m : moves) {
    SCOPED_TRACE(testing::Message() << "from " << int(m.from) << " result " << static_cast<int>(m.result));
    InstallSettings s;
    s.CurrentStep = m.from;
    s.InstallType = m.type;
    bool asked = false;
    MoveStep(s, m.result, [&] {
      asked = true;
      return m.answer;
    });
    EXPECT_EQ(s.CurrentStep, m.to);
    EXPECT_EQ(s.InstallType, m.typeAfter);
    EXPECT_EQ(asked, m.asked);
  }
}

TEST(WizardSteps, LocalUpgradeBecomesServerWithoutQuestion) {
  InstallSettings s;
  s.CurrentStep = wsFindApp;
  s.InstallType = itLocal;
  bool asked = false;
  MoveStep(s, Next, [&] { return asked = true, false; });
  EXPECT_FALSE(asked);
  EXPECT_EQ(s.InstallType, itServer);
  EXPECT_EQ(s.CurrentStep, wsUpgradeCopy);
}

TEST(WizardSteps, OnlyAClientIsAskedAboutTheServerUpgrade) {
  for (TInstallType type : {itNone, itLocal, itServer}) EXPECT_FALSE(AsksServerUpgrade(type)) << int(type);
  EXPECT_TRUE(AsksServerUpgrade(itClient));
}

TEST(WizardSteps, Placement) {
  struct Case {
    int sw, sh, pw, ph, left, top;
  } cases[] = {
      {1024, 768, 637, 114, 193, 576},
      {800, 600, 637, 114, 81, 432},
      {640, 480, 700, 500, -30, -16},  // larger than the screen: truncation toward zero
  };
  for (const auto& c : cases) {
    auto p = PlacePage(c.sw, c.sh, c.pw, c.ph);
    EXPECT_EQ(p.left, c.left);
    EXPECT_EQ(p.top, c.top);
  }
}
