// The formatted label's caption markup and its line layout.
#include "core/fmt_markup.h"

#include <gtest/gtest.h>

using namespace corvan;

namespace {

const FmtLook Base{clBlack, 8, 0, false, false};

FmtLook With(TColor color, int size = 8, std::uint8_t style = 0, bool shadow = false, bool blink = false) {
  return FmtLook{color, size, style, shadow, blink};
}

}  // namespace

namespace corvan {
// Readable failures: the run's text and its look.
void PrintTo(const FmtRun& run, std::ostream* os) {
  *os << '"' << std::string(run.text.begin(), run.text.end()) << "\" color=" << std::hex << run.look.color << std::dec
      << " size=" << run.look.size << " style=" << int(run.look.style) << (run.look.shadow ? " shadow" : "")
      << (run.look.blink ? " blink" : "");
}
}  // namespace corvan

TEST(FmtMarkup, ReadsCodesIntoRuns) {
  struct Case {
    const wchar_t* caption;
    std::vector<FmtLine> lines;
  };
  const Case cases[] = {
      {L"", {{{L"", Base}}}},
      {L"plain", {{{L"plain", Base}}}},
      // Colour 9 then 0: two runs, red then black.
      {L"@9Rosu@0Negru", {{{L"Rosu", With(Hex(0xFF0000))}, {L"Negru", With(Hex(0x000000))}}}},
      // Size 20 then 8.
      {L"&20Mare&8mic", {{{L"Mare", With(clBlack, 20)}, {L"mic", With(clBlack, 8)}}}},
      // Styles 0..3; other numbers leave the style.
      {L"$1a$2b$3c$0d$7e",
       {{{L"a", With(clBlack, 8, FmtItalic)},
         {L"b", With(clBlack, 8, FmtBold)},
         {L"c", With(clBlack, 8, FmtBold | FmtItalic)},
         {L"de", Base}}}},
      // The check mark of the upgrade page: a shadowed run.
      {L"%\xFC", {{{L"\xFC", With(clBlack, 8, 0, true)}}}},
      // A letter, the blink code, a letter.
      {L"a~b", {{{L"a", Base}, {L"b", With(clBlack, 8, 0, false, true)}}}},
      // Toggles switch back off; a code after the last text leaves an empty run.
      {L"~a~b%c%",
       {{{L"a", With(clBlack, 8, 0, false, true)}, {L"b", Base}, {L"c", With(clBlack, 8, 0, true)}, {L"", Base}}}},
      // Changes before any text apply to the same (empty) run.
      {L"@9&12$2%~x", {{{L"x", FmtLook{Hex(0xFF0000), 12, FmtBold, true, true}}}}},
      // A code with no digits or out of range changes nothing and starts no run.
      {L"a@b&c$d@37e@99f", {{{L"abcdef", Base}}}},
      // The caption's last character is never a digit: colour 1, then the text "2".
      {L"x@12", {{{L"x", Base}, {L"2", With(Hex(0x800000))}}}},
      {L"@1", {{{L"1", Base}}}},
      {L"@", {{{L"", Base}}}},
      // Leading zeros count; a number too large for an integer is no number.
      {L"@009a", {{{L"a", With(Hex(0xFF0000))}}}},
      {L"&99999999999a", {{{L"a", Base}}}},
      // Escapes: a code character after the backslash is text, anything else keeps the backslash.
      {L"100\\% \\@\\&\\$\\~", {{{L"100% @&$~", Base}}}},
      {L"C:\\a\\", {{{L"C:\\a\\", Base}}}},
      // Only the second backslash escapes: the first stays as text.
      {L"\\\\%x", {{{L"\\%x", Base}}}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << "caption " << std::string(c.caption, c.caption + wcslen(c.caption)));
    EXPECT_EQ(ReadFmtMarkup(c.caption, Base), c.lines);
  }
}

TEST(FmtMarkup, CarriageReturnStartsALineThatKeepsTheLook) {
  auto lines = ReadFmtMarkup(L"@9unu\r\ndoi\r%trei\r", Base);
  ASSERT_EQ(lines.size(), 4u);
  // The line feed of CR LF is the first character of the next line.
  EXPECT_EQ(lines[0], (FmtLine{{L"unu", With(Hex(0xFF0000))}}));
  EXPECT_EQ(lines[1], (FmtLine{{L"\ndoi", With(Hex(0xFF0000))}}));
  EXPECT_EQ(lines[2], (FmtLine{{L"trei", With(Hex(0xFF0000), 8, 0, true)}}));
  EXPECT_EQ(lines[3], (FmtLine{{L"", With(Hex(0xFF0000), 8, 0, true)}}));
}

TEST(FmtMarkup, StatusTextWithATildeBlinksEverythingAfterIt) {
  // A short folder name holds a tilde: it is not shown, and the rest blinks.
  auto lines = ReadFmtMarkup(L"Caut in C:\\PROGRA~1\\CORVAN", Base);
  ASSERT_EQ(lines.size(), 1u);
  EXPECT_EQ(lines[0], (FmtLine{{L"Caut in C:\\PROGRA", Base}, {L"1\\CORVAN", With(clBlack, 8, 0, false, true)}}));
}

TEST(FmtMarkup, EscapedTextReadsBackAsOneRunOfTheSameText) {
  const wchar_t* texts[] = {
      L"C:\\R&D2024\\PROGRA~1",  // a size code and a blink code in folder names
      L"C:\\$RECYCLE.BIN\\100%",   // a backslash before a code character stays a backslash
      L"@9@&$%~\\", L"\\\\%", L"x@12", L"", L"plain",
  };
  for (const wchar_t* text : texts) {
    SCOPED_TRACE(testing::Message() << std::string(text, text + wcslen(text)));
    EXPECT_EQ(ReadFmtMarkup(EscapeFmtMarkup(text), Base), (std::vector<FmtLine>{{{text, Base}}}));
  }
}

TEST(FmtMarkup, ColourTableHoldsFixedThenSystemColours) {
  EXPECT_EQ(FmtColorEntry(0), Hex(0x000000));
  EXPECT_EQ(FmtColorEntry(9), Hex(0xFF0000));
  EXPECT_EQ(FmtColorEntry(12), Hex(0x0000FF));
  EXPECT_EQ(FmtColorEntry(15), Hex(0xFFFFFF));
  EXPECT_EQ(FmtColorEntry(16), 0x80000000u);       // clScrollBar, COLOR_SCROLLBAR
  EXPECT_EQ(FmtColorEntry(30), 0x80000000u | 14);  // clHighlightText
  EXPECT_EQ(FmtColorEntry(32), 0x80000000u | 16);  // clBtnShadow
  EXPECT_EQ(FmtColorEntry(36), 0x80000000u | 20);  // clBtnHighlight
}

namespace {
// A fake font: 6 pixels per character per 8 points; height and ascent grow with the size.
FmtMetrics FakeMeasure(const FmtRun& run) {
  int s = run.look.size;
  return FmtMetrics{static_cast<int>(run.text.size()) * 6 * s / 8, 2 * s, 3 * s / 2};
}
}  // namespace

TEST(FmtLayout, RunsOfDifferentSizesShareTheBaseline) {
  auto lines = ReadFmtMarkup(L"&20Mare&8mic", Base);
  FmtLayout layout = LayoutFmtLines(lines, FakeMeasure, FmtAlignment::Left, 10, 10);
  ASSERT_EQ(layout.runs.size(), 2u);
  // 20 pt: ascent 30, height 40, "Mare" 60 wide; 8 pt: ascent 12, "mic" 18 wide.
  EXPECT_EQ(layout.runs[0].x, 0);
  EXPECT_EQ(layout.runs[0].y, 0);
  EXPECT_EQ(layout.runs[1].x, 60);
  EXPECT_EQ(layout.runs[1].y, 30 - 12);
  EXPECT_EQ(layout.runs[0].y + 30, layout.runs[1].y + 12);
  EXPECT_EQ(layout.neededWidth, 78);
  EXPECT_EQ(layout.neededHeight, 40);
  EXPECT_EQ(layout.width, 78);
  EXPECT_EQ(layout.height, 40);
}

TEST(FmtLayout, AlignsEachLineAndStacksLinesByHeight) {
  auto lines = ReadFmtMarkup(L"abcd\r&16ab", Base);  // widths 24 and 24 (16 pt: 12 per char)
  struct Case {
    FmtAlignment alignment;
    int labelWidth;
    int width;     // after growing
    int x0, x1;    // the two lines' starts
  };
  const Case cases[] = {
      {FmtAlignment::Left, 100, 100, 0, 0},
      {FmtAlignment::Right, 100, 100, 76, 76},
      {FmtAlignment::Center, 101, 101, 38, 38},
      // Not centred, the needed width is the sum of the line widths.
      {FmtAlignment::Left, 10, 48, 0, 0},
      {FmtAlignment::Right, 10, 48, 24, 24},
      // Centred, the widest line.
      {FmtAlignment::Center, 10, 24, 0, 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.labelWidth);
    FmtLayout layout = LayoutFmtLines(lines, FakeMeasure, c.alignment, c.labelWidth, 5);
    ASSERT_EQ(layout.runs.size(), 2u);
    EXPECT_EQ(layout.width, c.width);
    EXPECT_EQ(layout.runs[0].x, c.x0);
    EXPECT_EQ(layout.runs[1].x, c.x1);
    EXPECT_EQ(layout.runs[0].y, 0);
    EXPECT_EQ(layout.runs[1].y, 16);  // below the first line's 16-pixel height
    EXPECT_EQ(layout.height, 16 + 32);
  }
}

TEST(FmtLayout, GrowsButNeverShrinks) {
  auto wide = ReadFmtMarkup(L"un text lung", Base);  // 72 wide, 16 high
  FmtLayout first = LayoutFmtLines(wide, FakeMeasure, FmtAlignment::Left, 40, 10);
  EXPECT_EQ(first.width, 72);
  EXPECT_EQ(first.height, 16);
  auto narrow = ReadFmtMarkup(L"scurt", Base);
  FmtLayout second = LayoutFmtLines(narrow, FakeMeasure, FmtAlignment::Left, first.width, first.height);
  EXPECT_EQ(second.width, 72);
  EXPECT_EQ(second.height, 16);
  FmtLayout taller = LayoutFmtLines(narrow, FakeMeasure, FmtAlignment::Left, 200, 300);
  EXPECT_EQ(taller.width, 200);
  EXPECT_EQ(taller.height, 300);
}

TEST(FmtLayout, EmptyLinesTakeTheirFontHeight) {
  auto lines = ReadFmtMarkup(L"a\r\r&16b", Base);
  FmtLayout layout = LayoutFmtLines(lines, FakeMeasure, FmtAlignment::Left, 0, 0);
  ASSERT_EQ(layout.runs.size(), 3u);
  EXPECT_EQ(layout.runs[2].y, 32);
  EXPECT_EQ(layout.neededHeight, 64);
}

TEST(FmtPlacement, AlignPlacesTheLabelInItsParent) {
  const FmtBounds label{7, 9, 100, 20};
  struct Case {
    TMAlign align;
    FmtBounds expected;
  };
  // Parent: client 400 x 300, outer width 410.
  const Case cases[] = {
      {alMNone, {7, 9, 100, 20}},   {alMTop, {7, 1, 100, 20}},    {alMBottom, {7, 279, 100, 20}},
      {alMLeft, {1, 9, 100, 20}},   {alMRight, {298, 9, 100, 20}}, {alMCenter, {155, 140, 100, 20}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(static_cast<int>(c.align));
    EXPECT_EQ(PlaceFmtLabel(c.align, label, 400, 300, 410), c.expected);
  }
  // A label wider than its parent centres to a negative left edge.
  EXPECT_EQ(PlaceFmtLabel(alMCenter, FmtBounds{0, 0, 501, 21}, 400, 300, 400).left, -50);
}
