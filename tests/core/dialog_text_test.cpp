// The message dialog's text: the heading before a message, the label's lines.
#include "core/dialog_text.h"

#include <gtest/gtest.h>

#include "core/text.h"

using namespace corvan;

TEST(DialogText, HeadingInCapitalsBeforeTheText) {
  EXPECT_EQ(ShownMessageText(L"Pentru continuare", L"abc"), L"PENTRU CONTINUARE,\r\rabc");
  EXPECT_EQ(ShownMessageText(L"", L"abc"), L"abc");
  EXPECT_EQ(ShownMessageText(L"Protectia aplicatiilor existente", L""), L"PROTECTIA APLICATIILOR EXISTENTE,\r\r");
  // At most 255 characters of the heading.
  EXPECT_EQ(ShownMessageText(std::wstring(300, L'a'), L"t"), std::wstring(255, L'A') + L",\r\rt");
  // Romanian letters in capitals too.
  EXPECT_EQ(ShownMessageText(L"Ațenție, încă", L"x"), L"AȚENȚIE, ÎNCĂ,\r\rx");
}

TEST(DialogText, UpperTextCoversTheLatinLettersOnly) {
  EXPECT_EQ(UpperText(L"abc xyz 09_"), L"ABC XYZ 09_");
  EXPECT_EQ(UpperText(L"ăâîșțşţ"), L"ĂÂÎȘȚŞŢ");
  EXPECT_EQ(UpperText(L"éçñöÿ÷ß"), L"ÉÇÑÖŸ÷ß");  // the division sign and sharp s stay
  EXPECT_EQ(UpperText(L"łńźżľ"), L"ŁŃŹŻĽ");    // the two odd-capital runs of Latin Extended-A
  EXPECT_EQ(UpperText(L"ĂÎ A"), L"ĂÎ A");       // capitals stay
  EXPECT_EQ(UpperText(L"ıſĸ"), L"ISĸ");         // dotless i, long s; kra has no capital
}

TEST(DialogText, LabelLinesBreakAtBlanksWithinTheWidth) {
  const auto byChars = [](const std::wstring& s) { return static_cast<int>(s.size()); };
  const struct {
    const wchar_t* text;
    int width;
    const wchar_t* lines;
  } cases[] = {
      // Words are kept whole; lines break at blanks within the width.
      {L"unu doi trei patru", 8, L"unu doi\rtrei\rpatru"},
      {L"a\rfoarte-lung-cuvant b", 5, L"a\rfoarte-lung-cuvant\rb"},
      {L"  x  y\r\n", 20, L"  x  y\r"},
      // CR, LF and CR LF each end a paragraph; a new line drops its leading blanks.
      {L"a\nb\r\nc", 20, L"a\rb\rc"},
      {L"unu   doi", 4, L"unu\rdoi"},
      {L"", 10, L""},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(testing::Message() << "width " << c.width);
    EXPECT_EQ(DialogLabelText(c.text, c.width, byChars), c.lines);
  }
}
