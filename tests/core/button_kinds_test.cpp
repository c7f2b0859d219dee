// The button kinds: their captions, modal results and pictures, and how a kind change
// treats a button's caption and modal result.
#include <gtest/gtest.h>

#include "core/button_kinds.h"

using namespace corvan;
using R = TModalResult;

TEST(ButtonKinds, TableRowsTheWizardAndTheDialogRelyOn) {
  struct Case {
    TMButtonKind kind;
    const wchar_t* caption;
    TModalResult modalResult;
    const wchar_t* image;
  } cases[] = {
      {mkFirst, L"f", R::None, L"Buget"},          {mkPrev, L"&p", R::None, L"Precedent"},
      {mkNext, L"&u", R::None, L"Urmator"},        {mkLast, L"", R::None, L""},
      {mkOK, L"O&K", R::Ok, L"OK"},              {mkCancel, L"&Renunt", R::Cancel, L"Cancel"},
      {mkCustom, L"", R::None, L""},               {mkYes, L"&Da", R::Yes, L"OK"},
      {mkNo, L"&Nu", R::No, L"Nu"},              {mkClose, L"I&esire", R::Cancel, L"Exit"},
      {mkAbort, L"&Abandon", R::Abort, L"Cancel"},  {mkRetry, L"&Retry", R::Retry, L"Retry"},
      {mkIgnore, L"&Ignora", R::Ignore, L""},        {mkAll, L"&Toate", R::All, L"All"},
      {mkTransf, L"", R::None, L"BSediu"},         {mkMail, L"E&Mail", R::None, L"Mail"},
      {mknPrev, L"", R::None, L"nPrev"},           {mknNext, L"", R::None, L"nNext"},
      {mkContr, L"", R::None, L"Contract"},        {mkAction, L"?", R::None, L"UrmatorBlue"},
      {mkAdvanced, L"", R::None, L"Avansat"},
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
    if (KindModalResult(static_cast<TMButtonKind>(k)) != R::None) ++withResult;
  EXPECT_EQ(withResult, 9);  // OK, Cancel, Yes, No, Close, Abort, Retry, Ignore, All
  EXPECT_EQ(KindModalResult(static_cast<TMButtonKind>(ButtonKindCount)), R::None);
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
  AssignModalResult(first, R::Back);
  ApplyGlyphButtonKind(first, mkCustom, mkCancel);
  EXPECT_EQ(first.modalResult, R::Back);
  ApplyGlyphButtonKind(first, mkCancel, mknPrev);
  EXPECT_EQ(first.modalResult, R::Back);
  // Kind first, result later.
  ButtonTexts later;
  ApplyGlyphButtonKind(later, mkCustom, mkCancel);
  EXPECT_EQ(later.modalResult, R::Cancel);
  AssignModalResult(later, R::Back);
  EXPECT_EQ(later.modalResult, R::Back);
  // The finish page's exit button: kind mkClose (default Cancel) with Next set explicitly.
  ButtonTexts finish;
  AssignModalResult(finish, R::Next);
  ApplyNiceButtonKind(finish, mkCustom, mkClose);
  EXPECT_EQ(finish.modalResult, R::Next);
  // Without an explicit result every kind change brings its own.
  ButtonTexts plain;
  ApplyNiceButtonKind(plain, mkCustom, mkYes);
  ApplyNiceButtonKind(plain, mkYes, mkNo);
  EXPECT_EQ(plain.modalResult, R::No);
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
  EXPECT_EQ(assigned.modalResult, R::Cancel);
}

TEST(ButtonKinds, SameKindChangesNothing) {
  ButtonTexts texts;
  texts.modalResult = R::All;
  EXPECT_FALSE(ApplyGlyphButtonKind(texts, mkOK, mkOK));
  EXPECT_FALSE(ApplyNiceButtonKind(texts, mkOK, mkOK));
  EXPECT_EQ(texts.modalResult, R::All);
  EXPECT_EQ(texts.caption, L"");
}
