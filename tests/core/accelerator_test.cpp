// How captions' "&" marks are read: the accent drawing, the keys, the disabled look.
#include "core/accelerator.h"

#include <gtest/gtest.h>

using namespace corvan;

TEST(Accelerator, AccentDrawingCutsAtTheFirstAmpersand) {
  auto p = SplitAccent(L"I&esire");
  EXPECT_TRUE(p.hasAccent);
  EXPECT_EQ(p.before, L"I");
  EXPECT_EQ(p.letter, L"e");
  EXPECT_EQ(p.after, L"sire");
  p = SplitAccent(L"&Da & Nu");  // only the first "&" marks the letter
  EXPECT_EQ(p.before, L"");
  EXPECT_EQ(p.letter, L"D");
  EXPECT_EQ(p.after, L"a & Nu");
  p = SplitAccent(L"Gata&");
  EXPECT_TRUE(p.hasAccent);
  EXPECT_EQ(p.letter, L"");
  EXPECT_FALSE(SplitAccent(L"Cauta...").hasAccent);
  p = SplitAccent(L"HTML && Chart");  // the drawing does not know "&&": it accents an "&"
  EXPECT_EQ(p.before, L"HTML ");
  EXPECT_EQ(p.letter, L"&");
  EXPECT_EQ(p.after, L" Chart");
}

TEST(Accelerator, KeysTakeTheFirstSingleAmpersand) {
  const struct {
    const wchar_t* caption;
    wchar_t key;
  } cases[] = {
      {L"&Continua", L'C'},          {L"I&esire", L'e'},         {L" CLIEN&T    - programul", L'T'},
      {L"HTML && Chart", 0},          {L"A && &B", L'B'},          {L"&&&X", L'X'},
      {L"Gata&", 0},                  {L"Cauta...", 0},            {L"", 0},
      {L"&", 0},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(testing::Message() << "caption of " << wcslen(c.caption) << " characters");
    EXPECT_EQ(AcceleratorOf(c.caption), c.key);
  }
}

TEST(Accelerator, DisabledLookDropsEveryAmpersand) {
  EXPECT_EQ(StripAmpersands(L"&Continua"), L"Continua");
  EXPECT_EQ(StripAmpersands(L"A&&B"), L"AB");
  EXPECT_EQ(StripAmpersands(L"Fara"), L"Fara");
}
