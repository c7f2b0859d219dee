// The layout of pages with fixed-width text (every character half its font's size wide):
// lines broken to the width, blanks collapsed, alignment, headings, lists, preformatted
// text, pictures and floats, tables, anchors, CSS, and bounded work on hostile pages.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/html_charset.h"
#include "core/html_hit.h"
#include "core/html_layout.h"
#include "core/html_parser.h"
#include "core/text.h"
#include "html_fixed_measurer.h"

using namespace corvan::html;

namespace {

struct Laid {
  FixedMeasurer measurer;
  Page page;
  Layout layout;

  Laid(const std::string& html, int width, std::map<std::wstring, std::pair<int, int>> pictures = {}) {
    measurer.pictures = std::move(pictures);
    page = BuildPage(ParseHtml(DecodeBytes(html, Charset::Utf8)), measurer);
    layout = LayoutPage(page, width);
  }
  std::string Text(const TextRun& r) const {
    return corvan::ToUtf8(std::wstring_view(page.text).substr(r.text, r.length));
  }
  // The runs' texts, "|" between lines, a list item's number and a blank before its text.
  std::string Lines() const {
    std::string out;
    for (const TextRun& r : layout.runs) {
      if ((r.flags & kRunLineStart) && !out.empty()) out += "|";
      out += Text(r);
      if (r.flags & kRunMarker) out += " ";
    }
    return out;
  }
  const TextRun& Run(const std::string& text) const {
    for (const TextRun& r : layout.runs)
      if (Text(r) == text) return r;
    ADD_FAILURE() << "no run " << text;
    return layout.runs.front();
  }
  const FontSpec& FontOf(const TextRun& r) const { return page.fonts[page.styles[r.style].font]; }
  std::vector<const Decoration*> Decorations(DecorationKind kind) const {
    std::vector<const Decoration*> out;
    for (const Decoration& d : layout.decorations)
      if (d.kind == kind) out.push_back(&d);
    return out;
  }
};

}  // namespace

TEST(HtmlLayout, LinesBrokenToTheWidthWithBlanksCollapsed) {
  // 8 pixels a character at 16 pixels; the body has 8-pixel margins.
  const struct {
    const char* html;
    int width;
    const char* lines;
  } cases[] = {
      {"<p>one two three four", 16 + 8 * 9, "one two|three|four"},
      {"<p>   lots \n\t of   blanks  ", 400, "lots of blanks"},
      {"<p>a<b>b</b> c", 400, "ab c"},
      {"<p>unbreakable_word_longer_than_the_line and", 16 + 8 * 5, "unbreakable_word_longer_than_the_line|and"},
      {"<p>one&nbsp;two three", 16 + 8 * 8, "one\u00a0two|three"},
      {"<p>first<br>second<br><br>fourth", 400, "first|second|fourth"},
      {"<p><nobr>no break here</nobr> x", 16 + 8 * 4, "no break here|x"},
      {"<p>long&#8203;word", 16 + 8 * 5, "long|word"},
      {"<pre>  keep   this\n\tand\tthat</pre>", 100, "  keep   this|        and     that"},
      {"<p>a</p>\n\n<p>b</p>", 400, "a|b"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.html);
    EXPECT_EQ(Laid(c.html, c.width).Lines(), c.lines);
  }
}

TEST(HtmlLayout, AlignmentHeadingsAndFonts) {
  Laid l("<h1>Titlu</h1><p align=center>mijloc</p><p align=right>dreapta</p><center>c</center>"
         "<p><b>bold</b> <i>it</i> <u>u</u> <font size=5 face=Arial color=#ff0000>big</font> <tt>mono</tt></p>",
         416);
  const TextRun& h1 = l.Run("Titlu");
  EXPECT_EQ(l.FontOf(h1).size, 32);
  EXPECT_TRUE(l.FontOf(h1).bold);
  EXPECT_EQ(h1.x, 8);
  EXPECT_EQ(h1.y, 21);  // the heading's 0.67em margin collapses with the body's 8 pixels
  EXPECT_EQ(l.Run("mijloc").x, 8 + (400 - 48) / 2);
  EXPECT_EQ(l.Run("dreapta").x, 8 + 400 - 56);
  EXPECT_EQ(l.Run("c").x, 8 + (400 - 8) / 2);
  EXPECT_TRUE(l.FontOf(l.Run("bold")).bold);
  EXPECT_TRUE(l.FontOf(l.Run(" ")).face.empty() == false);
  EXPECT_TRUE(l.FontOf(l.Run("it")).italic);
  EXPECT_TRUE(l.FontOf(l.Run("u")).underline);
  const TextRun& big = l.Run("big");
  EXPECT_EQ(l.FontOf(big).size, 24);
  EXPECT_EQ(l.FontOf(big).face, L"Arial");
  EXPECT_EQ(l.page.styles[big.style].color, corvan::Rgb(255, 0, 0));
  EXPECT_EQ(l.FontOf(l.Run("mono")).face, L"Courier New");
  EXPECT_EQ(l.FontOf(l.Run("mono")).size, 13);
  EXPECT_EQ(l.FontOf(l.Run("mijloc")).face, L"Times New Roman");
  // Every run of one line shares its baseline.
  EXPECT_EQ(l.Run("bold").y + l.Run("bold").ascent, big.y + big.ascent);
}

TEST(HtmlLayout, ListsNumberedAndBulleted) {
  Laid l("<ol start=3><li>trei<li value=7>sapte<li>opt</ol>"
         "<ol type=a><li>a<li>b</ol><ol type=I><li>x<li>y<li>z<li>w</ol>"
         "<ul><li>disc<ul><li>cerc<ul><li>patrat</ul></ul></ul>",
         400);
  EXPECT_EQ(l.Lines(), "3. trei|7. sapte|8. opt|a. a|b. b|I. x|II. y|III. z|IV. w|disc|cerc|patrat");
  const TextRun& three = l.Run("3.");
  EXPECT_TRUE(three.flags & kRunMarker);
  EXPECT_LT(three.x + three.width, l.Run("trei").x);  // the number stands left of the item
  EXPECT_EQ(l.Run("trei").x, 8 + 40);
  EXPECT_EQ(three.y, l.Run("trei").y);
  ASSERT_EQ(l.Decorations(DecorationKind::Disc).size(), 1u);
  ASSERT_EQ(l.Decorations(DecorationKind::Circle).size(), 1u);
  ASSERT_EQ(l.Decorations(DecorationKind::Square).size(), 1u);
  const Decoration& disc = *l.Decorations(DecorationKind::Disc)[0];
  EXPECT_LT(disc.x + disc.width, l.Run("disc").x);
  EXPECT_EQ(l.Run("cerc").x, 8 + 80);
  EXPECT_GT(disc.y, l.Run("disc").y);
  EXPECT_LT(disc.y + disc.height, l.Run("disc").y + l.Run("disc").height);
}

TEST(HtmlLayout, PicturesSizedFloatedAndMissing) {
  const std::map<std::wstring, std::pair<int, int>> pictures = {{L"p.png", {100, 50}}};
  {
    Laid l("<p>a<img src=p.png>b<img src=p.png width=40>c<img src=p.png height=10 width=30 border=2>", 800, pictures);
    ASSERT_EQ(l.layout.pictures.size(), 3u);
    const PlacedPicture& natural = l.layout.pictures[0];
    EXPECT_EQ(natural.width, 100);
    EXPECT_EQ(natural.height, 50);
    EXPECT_EQ(natural.x, 8 + 8);
    // Bottom on the baseline of the text beside it.
    EXPECT_EQ(natural.y + natural.height, l.Run("a").y + l.Run("a").ascent);
    EXPECT_EQ(l.layout.pictures[1].width, 40);
    EXPECT_EQ(l.layout.pictures[1].height, 20);  // in proportion
    EXPECT_EQ(l.layout.pictures[2].width, 30);
    EXPECT_EQ(l.layout.pictures[2].height, 10);
    EXPECT_EQ(l.Decorations(DecorationKind::Border).size(), 1u);
    EXPECT_TRUE(l.page.pictures[0].shown);
  }
  {
    // A missing picture: its box holds the alt text; with a size it keeps the size.
    Laid l("<p><img src=gone.png alt=\"Lipseste\"><img src=gone.png width=64 height=48 alt=x>", 800, pictures);
    ASSERT_EQ(l.layout.pictures.size(), 2u);
    EXPECT_FALSE(l.page.pictures[0].shown);
    EXPECT_EQ(l.page.pictures[0].alt, L"Lipseste");
    EXPECT_EQ(l.layout.pictures[0].width, 8 * 8 + 8);
    EXPECT_EQ(l.layout.pictures[1].width, 64);
    EXPECT_EQ(l.layout.pictures[1].height, 48);
  }
  {
    // A picture on the left: lines beside it start after it until it ends.
    Laid l("<p><img src=p.png align=left>aaa bbb ccc ddd eee fff ggg hhh<br clear=all>sub", 8 + 100 + 8 * 8 + 8, pictures);
    const PlacedPicture& pic = l.layout.pictures[0];
    EXPECT_EQ(pic.x, 8);
    EXPECT_EQ(l.Run("aaa bbb").x, 108);
    const TextRun& below = l.Run("sub");
    EXPECT_EQ(below.x, 8);
    EXPECT_GE(below.y, pic.y + pic.height);
    int beside = 0;
    for (const TextRun& r : l.layout.runs)
      if (r.y < pic.y + pic.height) {
        EXPECT_EQ(r.x, 108) << l.Text(r);
        ++beside;
      }
    EXPECT_GE(beside, 2);
  }
  {
    Laid l("<p><img src=p.png align=right>text", 408, pictures);
    EXPECT_EQ(l.layout.pictures[0].x, 408 - 8 - 100);
    EXPECT_EQ(l.Run("text").x, 8);
  }
}

TEST(HtmlLayout, TablesShareTheirWidthAmongColumns) {
  {
    // border=1 cellspacing=2 cellpadding=4: cells 1-pixel framed, 4 inside.
    Laid l("<table border=1 cellpadding=4 width=300><tr><th>Nr<th>Ce s-a schimbat<tr><td>1<td>text"
           "<tr><td colspan=2 bgcolor=yellow>jos</table>",
           800);
    const TextRun& nr = l.Run("Nr");
    EXPECT_TRUE(l.FontOf(nr).bold);
    const std::vector<const Decoration*> borders = l.Decorations(DecorationKind::Border);
    ASSERT_EQ(borders.size(), 1u + 5u);
    EXPECT_EQ(borders[0]->width, 300);
    EXPECT_EQ(borders[0]->style, BorderStyle::Outset);
    EXPECT_EQ(borders[1]->style, BorderStyle::Inset);
    // Natural widths: "Nr" 2 bold characters and "Ce s-a schimbat" 15, with 4 + 1 each side.
    // The room left over (300 less the border and three spacings) goes in proportion to them.
    const int first = 2 * 9 + 10, second = 15 * 9 + 10, room = 300 - 2 - 3 * 2;
    EXPECT_EQ(borders[1]->width, first + (room - first - second) * first / (first + second));
    EXPECT_EQ(borders[2]->width, room - borders[1]->width);
    EXPECT_EQ(nr.x, 8 + 1 + 2 + 1 + 4 + (borders[1]->width - 10 - 18) / 2);  // a heading cell centres
    EXPECT_EQ(borders[1]->height, borders[2]->height);
    const std::vector<const Decoration*> fills = l.Decorations(DecorationKind::Fill);
    ASSERT_EQ(fills.size(), 1u);
    EXPECT_EQ(fills[0]->color, corvan::Rgb(255, 255, 0));
    EXPECT_EQ(fills[0]->width, 300 - 2 - 2 * 2);  // the spanning cell covers both columns
    EXPECT_EQ(l.Run("Ce s-a schimbat").x, borders[2]->x + 1 + 4 + (borders[2]->width - 10 - 15 * 9) / 2);
  }
  {
    // Columns asked in percent and pixels; a cell's content centred in its row's height.
    Laid l("<table width=400 cellspacing=0 cellpadding=0><tr><td width=25%>a<td width=100>b<td>c<br>d</table>", 800);
    EXPECT_EQ(l.Run("a").x, 8);
    EXPECT_EQ(l.Run("b").x, 8 + 100);
    EXPECT_EQ(l.Run("c").x, 8 + 200);
    EXPECT_EQ(l.Run("a").y, l.Run("c").y + 8);
  }
  {
    // A row span: the spanning cell is as tall as both rows.
    Laid l("<table cellspacing=0 border=1><tr><td rowspan=2>tall<td>one<tr><td>two</table>", 800);
    const std::vector<const Decoration*> borders = l.Decorations(DecorationKind::Border);
    ASSERT_EQ(borders.size(), 4u);
    EXPECT_EQ(borders[1]->height, borders[2]->height + borders[3]->height);
    EXPECT_EQ(l.Run("two").x, l.Run("one").x);
  }
  {
    // Too narrow: columns keep their longest words; the table is wider than the room.
    Laid l("<table><tr><td>aaaaaaaaaa<td>bbbbbbbbbb</table>", 100);
    EXPECT_GT(l.Run("bbbbbbbbbb").x, l.Run("aaaaaaaaaa").x + 80 - 1);
  }
}

TEST(HtmlLayout, AnchorsOfNamesAndIds) {
  Laid l("<p>top</p><h2 id=cap>Capitol</h2><p>x<a name=mid>here</a></p><table><tr><td id=cell>c</table>", 400);
  EXPECT_EQ(AnchorTop(l.page, l.layout, L"cap"), l.Run("Capitol").y);
  EXPECT_EQ(AnchorTop(l.page, l.layout, L"mid"), l.Run("xhere").y);
  EXPECT_GT(AnchorTop(l.page, l.layout, L"cell"), AnchorTop(l.page, l.layout, L"mid"));
  EXPECT_EQ(AnchorTop(l.page, l.layout, L"none"), -1);
  EXPECT_EQ(AnchorTop(l.page, l.layout, L"CAP"), -1);
}

TEST(HtmlLayout, CssOfTypesClassesIdsAndStyleAttributes) {
  Laid l("<style>p { color: #00f } .note { color: green; font-weight: bold } #one { font-size: 24px }"
         " td b { font-style: italic } p.big { font-size: 2em !important } h9 { color: red } p:hover { color: red }"
         "@media print { p { color: red } } @import url(x.css);</style>"
         "<p>blue<p class=note>green<p id=one class=note style='color: red'>red"
         "<p class='big' style='font-size: 10px'>big<table><tr><td><b>cell</b></table><b>out</b>"
         "<div style='background: #ffff00; margin: 0 auto; width: 100px; text-align: right'>box</div>",
         416);
  EXPECT_EQ(l.page.styles[l.Run("blue").style].color, corvan::Rgb(0, 0, 255));
  EXPECT_EQ(l.page.styles[l.Run("green").style].color, corvan::Rgb(0, 128, 0));
  EXPECT_TRUE(l.FontOf(l.Run("green")).bold);
  EXPECT_EQ(l.page.styles[l.Run("red").style].color, corvan::Rgb(255, 0, 0));
  EXPECT_EQ(l.FontOf(l.Run("red")).size, 24);
  EXPECT_EQ(l.FontOf(l.Run("big")).size, 32);
  EXPECT_TRUE(l.FontOf(l.Run("cell")).italic);
  EXPECT_FALSE(l.FontOf(l.Run("out")).italic);
  const std::vector<const Decoration*> fills = l.Decorations(DecorationKind::Fill);
  ASSERT_EQ(fills.size(), 1u);
  EXPECT_EQ(fills[0]->x, 8 + 150);
  EXPECT_EQ(fills[0]->width, 100);
  EXPECT_EQ(l.Run("box").x, 8 + 150 + 100 - 24);
}

TEST(HtmlLayout, SelectedTextAcrossLinesAndCells) {
  Laid l("<p>one two</p><p>three</p><table><tr><td>a<td>b</table><ol><li>item</ol>", 400);
  const TextPoint start{0, 4};
  const TextPoint end{static_cast<uint32_t>(l.layout.runs.size() - 1), 4};
  EXPECT_EQ(corvan::ToUtf8(TextBetween(l.page, l.layout, start, end)), "two\r\nthree\r\na\tb\r\n1. item");
  EXPECT_EQ(TextBetween(l.page, l.layout, end, start), TextBetween(l.page, l.layout, start, end));
  TextPoint p;
  ASSERT_TRUE(TextPointAt(l.page, l.layout, l.measurer, l.Run("three").x + 8 * 2 + 3, l.Run("three").y + 5, p));
  EXPECT_EQ(p.offset, 2u);
  ASSERT_TRUE(TextPointAt(l.page, l.layout, l.measurer, 1000, l.Run("three").y + 5, p));
  EXPECT_EQ(p.offset, 5u);
}

TEST(HtmlLayout, HostilePagesEndBounded) {
  {
    std::string deep;
    for (int i = 0; i < 10000; ++i) deep += "<div><table><tr><td>";
    Laid l(deep + "bottom", 600);
    EXPECT_LT(l.page.boxes.size(), 60000u);
  }
  {
    std::string rows = "<table border=1>";
    for (int i = 0; i < 2000; ++i) rows += "<tr><td>r" + std::to_string(i) + "<td>x";
    Laid l(rows + "</table>", 600);
    EXPECT_EQ(l.Decorations(DecorationKind::Border).size(), 1u + 4000u);
    EXPECT_GT(l.layout.height, 2000 * 16);
  }
  {
    // A picture claiming 100,000 x 100,000 pixels gets at most 10,000.
    Laid l("<img src=huge.png width=100000 height=100000><img src=claims.png>", 600,
           {{L"claims.png", {100000, 100000}}});
    EXPECT_EQ(l.layout.pictures[0].width, 10000);
    EXPECT_EQ(l.layout.pictures[1].height, 10000);
  }
  {
    std::string spans = "<table>";
    for (int i = 0; i < 300; ++i) spans += "<tr><td colspan=100000 rowspan=100000>x";
    Laid l(spans, 600);
    EXPECT_LE(l.layout.width, 600);
  }
}
