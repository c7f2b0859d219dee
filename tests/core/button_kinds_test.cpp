// The button kinds: their captions, modal results and pictures, and how a kind change
// treats a button's caption and modal result.
#include <gtest/gtest.h>

#include "core/button_kinds.h"

using namespace corvan;

TEST(ButtonKinds, TableRowsTheWizardAndTheDialogRelyOn) {
  struct Case {
    TMButtonKind kind;
    const wchar_t* caption;
    int modalResult;
    const wchar_t* image;
  } cases[] = {
      {mkFirst, L"f", 0, L"Buget"},          {mkPrev, L"&p", 0, L"Precedent"},
      {mkNext, L"&u", 0, L"Urmator"},        {mkLast, L"", 0, L""},
      {mkOK, L"O&K", 1, L"OK"},              {mkCancel, L"&Renunt", 2, L"Cancel"},
      {mkCustom, L"", 0, L""},               {mkYes, L"&Da", 6, L"OK"},
      {mkNo, L"&Nu", 7, L"Nu"},              {mkClose, L"I&esire", 2, L"Exit"},
      {mkAbort, L"&Abandon", 3, L"Cancel"},  {mkRetry, L"&Retry", 4, L"Retry"},
      {mkIgnore, L"&Ignora", 5, L""},        {mkAll, L"&Toate", 12, L"All"},
      {mkTransf, L"", 0, L"BSediu"},         {mkMail, L"E&Mail", 0, L"Mail"},
      {mknPrev, L"", 0, L"nPrev"},           {mknNext, L"", 0, L"nNext"},
      {mkContr, L"", 0, L"Contract"},        {mkAction, L"?", 0, L"UrmatorBlue"},
      {mkAdvanced, L"", 0, L"Avansat"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(static_cast<int>(c.kind));
    EXPECT_EQ(KindCaption(c.kind), c.caption);
    EXPECT_EQ(KindModalResult(c.kind), c.modalResult);
    EXPECT_EQ(KindImageName(c.kind), c.image);
  }
}

TEST(ButtonKinds, OnlyTheAnswerKindsCarryAModalResult) {
  int withResult = 0;
  for (int k = 0; k < ButtonKindCount; ++k)
    if (KindModalResult(static_cast<TMButtonKind>(k)) != 0) ++withResult;
  EXPECT_EQ(withResult, 9);  // OK, Cancel, Yes, No, Close, Abort, Retry, Ignore, All
  EXPECT_EQ(KindModalResult(static_cast<TMButtonKind>(ButtonKindCount)), 0);
}

TEST(ButtonKinds, PictureLookupTakesTheKindModulo128AndIgnoreDiffersOnTheSmoothButton) {
  EXPECT_EQ(KindImageName(128 + mkOK), L"OK");
  EXPECT_EQ(KindImageName(128 + mknNext), L"nNext");
  EXPECT_EQ(KindImageName(100), L"");  // past the table
  EXPECT_EQ(KindImageName(mkIgnore), L"");
  EXPECT_EQ(NiceKindImageName(mkIgnore), L"PrnSetup");
  EXPECT_EQ(NiceKindImageName(128 + mkIgnore), L"PrnSetup");
  for (int k = 0; k < ButtonKindCount; ++k) {
    if (k == mkIgnore) continue;
    EXPECT_EQ(NiceKindImageName(k), KindImageName(k)) << k;
  }
}

TEST(ButtonKinds, ExplicitModalResultWinsInEitherOrder) {
  // Result first, kind later (how the forms declare their buttons).
  ButtonTexts first;
  AssignModalResult(first, 4);
  ApplyGlyphButtonKind(first, mkCustom, mkCancel);
  EXPECT_EQ(first.modalResult, 4);
  ApplyGlyphButtonKind(first, mkCancel, mknPrev);
  EXPECT_EQ(first.modalResult, 4);
  // Kind first, result later.
  ButtonTexts later;
  ApplyGlyphButtonKind(later, mkCustom, mkCancel);
  EXPECT_EQ(later.modalResult, 2);
  AssignModalResult(later, 4);
  EXPECT_EQ(later.modalResult, 4);
  // The finish page's exit button: kind mkClose (default 2) with 1 set explicitly.
  ButtonTexts finish;
  AssignModalResult(finish, 1);
  ApplyNiceButtonKind(finish, mkCustom, mkClose);
  EXPECT_EQ(finish.modalResult, 1);
  // Without an explicit result every kind change brings its own.
  ButtonTexts plain;
  ApplyNiceButtonKind(plain, mkCustom, mkYes);
  ApplyNiceButtonKind(plain, mkYes, mkNo);
  EXPECT_EQ(plain.modalResult, 7);
}

TEST(ButtonKinds, GlyphButtonCaptionRules) {
  struct Case {
    const wchar_t* caption;
    TMButtonKind to;
    const wchar_t* expectCaption;
    bool expectVisible;
  } cases[] = {
      {L"&Continua", mknNext, L"&Continua", true},  // a caption is kept
      {L"", mkOK, L"O&K", true},                     // an empty one takes the kind's
      {L"", mkPrev, L"&p", false},                   // kinds below mkAdd hide it
      {L"", mkNext, L"&u", false},
      {L"Inainte", mkFirst, L"Inainte", false},
      {L"", mkLast, L"", false},
      {L"", mkAdd, L"&Adaug", true},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.to);
    ButtonTexts texts;
    texts.caption = c.caption;
    EXPECT_TRUE(ApplyGlyphButtonKind(texts, mkCustom, c.to));
    EXPECT_EQ(texts.caption, c.expectCaption);
    EXPECT_EQ(texts.captionVisible, c.expectVisible);
  }
}

TEST(ButtonKinds, SmoothButtonFollowsKindsUntilItsCaptionIsAssigned) {
  ButtonTexts free;
  ApplyNiceButtonKind(free, mkCustom, mkYes);
  EXPECT_EQ(free.caption, L"&Da");
  ApplyNiceButtonKind(free, mkYes, mkNo);
  EXPECT_EQ(free.caption, L"&Nu");
  ApplyNiceButtonKind(free, mkNo, mkCustom);
  EXPECT_EQ(free.caption, L"");

  ButtonTexts assigned;
  assigned.caption = L"&Abandon";
  assigned.captionAssigned = true;
  ApplyNiceButtonKind(assigned, mkCustom, mkCancel);
  EXPECT_EQ(assigned.caption, L"&Abandon");
  EXPECT_EQ(assigned.modalResult, 2);
}

TEST(ButtonKinds, SameKindChangesNothing) {
  ButtonTexts texts;
  texts.modalResult = 9;
  EXPECT_FALSE(ApplyGlyphButtonKind(texts, mkOK, mkOK));
  EXPECT_FALSE(ApplyNiceButtonKind(texts, mkOK, mkOK));
  EXPECT_EQ(texts.modalResult, 9);
  EXPECT_EQ(texts.caption, L"");
}
