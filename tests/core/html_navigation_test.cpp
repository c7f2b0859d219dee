// Where links lead, how frame sets share their room, and what a submitted form sends.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/html_form.h"
#include "core/html_frames.h"
#include "core/html_links.h"
#include "core/html_page.h"
#include "core/html_parser.h"
#include "core/text.h"
#include "html_fixed_measurer.h"

using namespace corvan::html;
using corvan::HtmlFormSubmission;

TEST(HtmlLinks, ResolvedAgainstThePagesFile) {
  const std::wstring page = L"C:\\Corvan\\VerInfo\\3200876.02\\Instruct.htm";
  const struct {
    const wchar_t* href;
    LinkKind kind;
    const wchar_t* path;
    const wchar_t* fragment;
  } cases[] = {
      {L"Intrebari.htm", LinkKind::LocalFile, L"C:\\Corvan\\VerInfo\\3200876.02\\Intrebari.htm", L""},
      {L"  sub/doi.htm#parte ", LinkKind::LocalFile, L"C:\\Corvan\\VerInfo\\3200876.02\\sub\\doi.htm", L"parte"},
      {L"../3200875.01/./Instruct.htm", LinkKind::LocalFile, L"C:\\Corvan\\VerInfo\\3200875.01\\Instruct.htm", L""},
      {L"../../../../../x.htm", LinkKind::LocalFile, L"C:\\x.htm", L""},
      {L"/Help/Corvan.htm", LinkKind::LocalFile, L"C:\\Help\\Corvan.htm", L""},
      {L"D:\\Alt\\pagina.htm", LinkKind::LocalFile, L"D:\\Alt\\pagina.htm", L""},
      {L"file:///C:/Program%20Files/Corvan/Doc.htm", LinkKind::LocalFile, L"C:\\Program Files\\Corvan\\Doc.htm", L""},
      {L"FILE:C|/a.htm", LinkKind::LocalFile, L"C:\\a.htm", L""},
      {L"file://server/share/a.htm", LinkKind::LocalFile, L"\\\\server\\share\\a.htm", L""},
      {L"%C8%99coal%C4%83.htm", LinkKind::LocalFile, L"C:\\Corvan\\VerInfo\\3200876.02\\\u0219coal\u0103.htm", L""},
      {L"%BAcoal%E3.htm", LinkKind::LocalFile, L"C:\\Corvan\\VerInfo\\3200876.02\\\u015fcoal\u0103.htm", L""},
      {L"doi.htm?x=1#y", LinkKind::LocalFile, L"C:\\Corvan\\VerInfo\\3200876.02\\doi.htm", L"y"},
      {L"#pornire", LinkKind::SameDocument, L"", L"pornire"},
      {L"#%C3%AEntreb%C4%83ri", LinkKind::SameDocument, L"", L"\u00eentreb\u0103ri"},
      {L"", LinkKind::SameDocument, L"", L""},
      {L"http://www.corvan.ro/", LinkKind::Refused, L"", L""},
      {L"HTTPS://x", LinkKind::Refused, L"", L""},
      {L"mailto:asistenta@corvan.ro", LinkKind::Refused, L"", L""},
      {L"javascript:alert(1)", LinkKind::Refused, L"", L""},
      {L"//server/x.htm", LinkKind::Refused, L"", L""},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(corvan::ToUtf8(c.href));
    const LinkTarget t = ResolveLink(page, c.href);
    EXPECT_EQ(t.kind, c.kind);
    EXPECT_EQ(t.path, c.path);
    EXPECT_EQ(t.fragment, c.fragment);
  }
}

TEST(HtmlFrames, LengthsShareTheRoomAsBrowsersDo) {
  const struct {
    const wchar_t* lengths;
    int total;
    std::vector<int> sizes;
  } cases[] = {
      {L"100,*", 500, {100, 400}},
      {L"25%, 75%", 400, {100, 300}},
      {L"100, 2*, *", 400, {100, 200, 100}},
      {L"*", 300, {300}},
      {L"", 300, {300}},
      {L"200, 300", 250, {100, 150}},    // pixels that do not fit are scaled down
      {L"100, 100", 400, {200, 200}},    // pixels alone fill the room
      {L"60%, 60%", 300, {150, 150}},
      {L"50%, 100, *", 400, {200, 100, 100}},  // a percentage is of the whole room
      {L"junk, *", 300, {0, 300}},
      {L"100,*", 0, {0, 0}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(corvan::ToUtf8(c.lengths));
    const std::vector<int> sizes = FrameSizes(ParseFrameLengths(c.lengths), c.total);
    EXPECT_EQ(sizes, c.sizes);
  }
  EXPECT_EQ(ParseFrameLengths(std::wstring(200, L',') + L"1").size(), 1u);
  std::wstring many;
  for (int i = 0; i < 500; ++i) many += L"1,";
  EXPECT_EQ(ParseFrameLengths(many).size(), kMaxFrameCells);
}

TEST(HtmlFrames, CellsOfANestedSetPlacedWithBorders) {
  const Document d = ParseHtml(
      L"<frameset cols=\"200,*\" border=4><frame src=cuprins.htm name=cuprins scrolling=no marginwidth=3>"
      L"<frameset rows=\"*,*\"><frame src=a.htm name=sus><frame name=jos></frameset><frame src=extra.htm></frameset>");
  const std::unique_ptr<FrameSet> set = BuildFrameSet(d, d.frameset);
  ASSERT_EQ(set->cells.size(), 2u);  // two columns: the third frame has no cell
  EXPECT_EQ(set->border, 4);
  EXPECT_EQ(set->cells[0].src, L"cuprins.htm");
  EXPECT_EQ(set->cells[0].name, L"cuprins");
  EXPECT_EQ(set->cells[0].scrolling, Scrolling::No);
  EXPECT_EQ(set->cells[0].marginWidth, 3);
  ASSERT_NE(set->cells[1].set, nullptr);
  EXPECT_EQ(set->cells[1].set->cells[1].name, L"jos");
  const std::vector<FrameArea> outer = FrameCellRects(*set, 604, 300);
  ASSERT_EQ(outer.size(), 2u);
  EXPECT_EQ(outer[0].x, 0);
  EXPECT_EQ(outer[0].width, 200);
  EXPECT_EQ(outer[1].x, 204);
  EXPECT_EQ(outer[1].width, 400);
  const std::vector<FrameArea> inner = FrameCellRects(*set->cells[1].set, 400, 300);
  ASSERT_EQ(inner.size(), 2u);
  EXPECT_EQ(inner[0].height + 2 + inner[1].height, 300);
  EXPECT_EQ(inner[1].y, inner[0].height + 2);

  // Nesting stops at its depth.
  std::wstring deep;
  for (int i = 0; i < 50; ++i) deep += L"<frameset rows=\"*\">";
  const Document d2 = ParseHtml(deep);
  std::unique_ptr<FrameSet> s = BuildFrameSet(d2, d2.frameset);
  int depth = 0;
  for (const FrameSet* f = s.get(); f && !f->cells.empty(); f = f->cells[0].set.get()) ++depth;
  EXPECT_LE(depth, kMaxFrameSetDepth);
}

TEST(HtmlForms, SubmissionSendsWhatABrowserWould) {
  FixedMeasurer measurer;
  const Page page = BuildPage(
      ParseHtml(L"<base target=cadru><form action=\" confirmare \" method=Post>"
                L"<input name=a value=1><input name=a value=2><input value=fara-nume>"
                L"<input type=checkbox name=c><input type=checkbox name=d checked><input type=radio name=r value=x checked>"
                L"<select name=s><option>unu<option value=2>doi</select>"
                L"<select name=m multiple><option selected>p<option disabled selected>q</select>"
                L"<textarea name=t>l1\nl2</textarea><input name=off disabled value=z>"
                L"<input type=submit name=ok value=Da><input type=submit value=Fara><input type=image name=poza>"
                L"<button name=b value=bv>Buton</button><input type=reset name=rs><input type=button name=bt value=v>"
                L"</form><form><input name=alta value=1></form>"),
      measurer);
  ASSERT_EQ(page.forms.size(), 2u);
  std::vector<ControlState> states = InitialStates(page.controls);
  using Pairs = std::vector<std::pair<std::wstring, std::wstring>>;
  const Pairs always = {{L"a", L"1"}, {L"a", L"2"}, {L"d", L"on"}, {L"r", L"x"}, {L"s", L"unu"}, {L"m", L"p"},
                        {L"t", L"l1\r\nl2"}};
  const auto with = [&](Pairs extra) {
    Pairs p = always;
    p.insert(p.end(), extra.begin(), extra.end());
    return p;
  };
  const auto index = [&](const std::wstring& name) {
    for (size_t i = 0; i < page.controls.size(); ++i)
      if (page.controls[i].name == name) return static_cast<int>(i);
    return -1;
  };
  const struct {
    int submitter;
    Pairs pairs;
  } cases[] = {
      {-1, always},
      {index(L"ok"), with({{L"ok", L"Da"}})},
      {index(L"ok") + 1, always},  // a button without a name sends nothing of its own
      {index(L"poza"), with({{L"poza.x", L"0"}, {L"poza.y", L"0"}})},
      {index(L"b"), with({{L"b", L"bv"}})},
      {index(L"rs"), always},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.submitter);
    const HtmlFormSubmission s = BuildSubmission(page.forms, page.controls, states, 0, c.submitter, page.baseTarget);
    EXPECT_EQ(s.action, L"confirmare");
    EXPECT_EQ(s.method, L"post");
    EXPECT_EQ(s.target, L"cadru");
    EXPECT_EQ(s.pairs, c.pairs);
  }
  // The user's changes: a value typed, a box checked, another option chosen.
  states[static_cast<size_t>(index(L"a"))].value = L"nou";
  states[static_cast<size_t>(index(L"c"))].checked = true;
  states[static_cast<size_t>(index(L"s"))].selected = {false, true};
  const HtmlFormSubmission s = BuildSubmission(page.forms, page.controls, states, 0, -1, page.baseTarget);
  EXPECT_EQ(s.pairs, (Pairs{{L"a", L"nou"}, {L"a", L"2"}, {L"c", L"on"}, {L"d", L"on"}, {L"r", L"x"}, {L"s", L"2"},
                            {L"m", L"p"}, {L"t", L"l1\r\nl2"}}));
  const HtmlFormSubmission other = BuildSubmission(page.forms, page.controls, states, 1, -1, page.baseTarget);
  EXPECT_EQ(other.method, L"get");
  EXPECT_EQ(other.pairs, (Pairs{{L"alta", L"1"}}));
  EXPECT_TRUE(BuildSubmission(page.forms, page.controls, states, 5, -1, L"").pairs.empty());
}

TEST(HtmlForms, RadioButtonsGroupByFormAndName) {
  FixedMeasurer measurer;
  const Page page = BuildPage(ParseHtml(L"<form><input type=radio name=r><input type=radio name=r><input type=radio name=q>"
                                        L"</form><form><input type=radio name=r></form><input type=radio>"),
                              measurer);
  EXPECT_EQ(RadioGroup(page.controls, 0), (std::vector<int>{0, 1}));
  EXPECT_EQ(RadioGroup(page.controls, 2), (std::vector<int>{2}));
  EXPECT_EQ(RadioGroup(page.controls, 3), (std::vector<int>{3}));
  EXPECT_EQ(RadioGroup(page.controls, 4), (std::vector<int>{4}));  // no name: a group of its own
  EXPECT_TRUE(RadioGroup(page.controls, 9).empty());
}
