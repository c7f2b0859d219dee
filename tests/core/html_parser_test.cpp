// The HTML parser: the trees browsers build for well-formed and broken markup, character
// references, character sets, and the bounds it keeps on hostile input.
#include <gtest/gtest.h>

#include <string>

#include "core/html_charset.h"
#include "core/html_entities.h"
#include "core/html_parser.h"
#include "core/text.h"

using namespace corvan::html;

namespace {

const char* NameOf(Tag tag) {
  static const char* const kNames[] = {
      "#text", "?", "a", "abbr", "acronym", "address", "applet", "area", "article", "aside", "b", "base", "basefont",
      "bdo", "big", "blockquote", "body", "br", "button", "caption", "center", "cite", "code", "col", "colgroup", "dd",
      "del", "dfn", "dir", "div", "dl", "dt", "em", "embed", "fieldset", "figcaption", "figure", "font", "footer",
      "form", "frame", "frameset", "h1", "h2", "h3", "h4", "h5", "h6", "head", "header", "hr", "html", "i", "iframe",
      "img", "input", "ins", "kbd", "label", "legend", "li", "link", "listing", "main", "map", "mark", "marquee",
      "menu", "meta", "nav", "nobr", "noembed", "noframes", "noscript", "object", "ol", "optgroup", "option", "p",
      "param", "plaintext", "pre", "q", "s", "samp", "script", "section", "select", "small", "source", "span",
      "strike", "strong", "style", "sub", "sup", "table", "tbody", "td", "template", "textarea", "tfoot", "th",
      "thead", "title", "tr", "track", "tt", "u", "ul", "var", "wbr", "xmp"};
  static_assert(sizeof(kNames) / sizeof(kNames[0]) == static_cast<size_t>(Tag::Count));
  return kNames[static_cast<size_t>(tag)];
}

// The tree under a node as markup: <tag>children</tag>, text as it is.
void Outline(const Document& d, uint32_t node, std::string& out) {
  const Node& n = d.nodes[node];
  if (n.tag == Tag::Text) {
    out += corvan::ToUtf8(d.Text(node));
    return;
  }
  out += std::string("<") + NameOf(n.tag) + ">";
  for (uint32_t c = n.firstChild; c != kNoNode; c = d.nodes[c].nextSibling) Outline(d, c, out);
  out += std::string("</") + NameOf(n.tag) + ">";
}

// The body's content, or the frame set, of a page.
std::string BodyOf(const std::string& utf8) {
  const Document d = ParseHtml(DecodeBytes(utf8, Charset::Utf8));
  std::string out;
  const uint32_t top = d.frameset != kNoNode ? d.frameset : d.body;
  if (top == kNoNode) return "(none)";
  if (top == d.frameset) {
    Outline(d, top, out);
    return out;
  }
  for (uint32_t c = d.nodes[top].firstChild; c != kNoNode; c = d.nodes[c].nextSibling) Outline(d, c, out);
  return out;
}

int Depth(const Document& d) {
  int deepest = 0;
  for (uint32_t i = 0; i < d.nodes.size(); ++i) {
    int depth = 0;
    for (uint32_t p = i; p != kNoNode; p = d.nodes[p].parent) ++depth;
    deepest = std::max(deepest, depth);
  }
  return deepest;
}

}  // namespace

TEST(HtmlParser, TreesOfWellFormedAndBrokenMarkup) {
  const struct {
    const char* html;
    const char* tree;
  } cases[] = {
      {"<p>a<p>b", "<p>a</p><p>b</p>"},
      {"<P ALIGN=center>x</P>", "<p>x</p>"},
      {"<p>a<div>b</div>c", "<p>a</p><div>b</div>c"},
      {"<b>1<i>2</b>3</i>4", "<b>1<i>2</i></b><i>3</i>4"},
      {"<p><b>x<p>y", "<p><b>x</b></p><p><b>y</b></p>"},
      {"<div><b>x</div>y", "<div><b>x</b></div><b>y</b>"},
      {"<a href=1>x<a href=2>y", "<a>x</a><a>y</a>"},
      {"<ul><li>a<li>b<ul><li>c</ul><li>d</ul>", "<ul><li>a</li><li>b<ul><li>c</li></ul></li><li>d</li></ul>"},
      {"<dl><dt>a<dd>b<dt>c</dl>", "<dl><dt>a</dt><dd>b</dd><dt>c</dt></dl>"},
      {"<h1>a<h2>b</h1>c", "<h1>a</h1><h2>b</h2>c"},
      {"<table><tr><td>a<td>b<tr><td>c</table>",
       "<table><tr><td>a</td><td>b</td></tr><tr><td>c</td></tr></table>"},
      {"<table><td>a</table>", "<table><tr><td>a</td></tr></table>"},
      {"<table><tbody><tr><th>h</tbody></table>", "<table><tbody><tr><th>h</th></tr></tbody></table>"},
      {"<table>stray<tr><td>x</table>", "stray<table><tr><td>x</td></tr></table>"},
      {"<table><tr><td>a<table><tr><td>b</table>c</table>",
       "<table><tr><td>a<table><tr><td>b</td></tr></table>c</td></tr></table>"},
      {"<td>outside</td><tr>", "outside"},
      {"<select><option>a<option selected>b</select>", "<select><option>a</option><option>b</option></select>"},
      {"<select><b>x</b><option>a</select>", "<select>x<option>a</option></select>"},
      {"x < y <3 </ a>z", "x < y <3 z"},
      {"a<!-- <p>not</p> -->b<!DOCTYPE html><?php x ?>c", "abc"},
      {"<pre>\nline\n  two</pre>", "<pre>line\n  two</pre>"},
      {"<textarea>\n<b>not bold</b>&amp;</textarea>", "<textarea><b>not bold</b>&</textarea>"},
      {"<p>x<script>if (a<b) s='</p>'</script>t", "<p>x<script>if (a<b) s='</p>'</script>t</p>"},
      {"<p>x<b", "<p>x</p>"},
      {"<p>cut</p", "<p>cut</p>"},
      {"<br></br>x</p>", "<br></br><br></br>x"},
      {"a\r\nb\rc", "a\nb\nc"},
      {"<frameset cols=\"50%,*\"><frame src=a><frame src=b></frameset>",
       "<frameset><frame></frame><frame></frame></frameset>"},
      {"text<frameset><frame></frameset>", "text"},
      {"<o:p>x</o:p>y", "<?>x</?>y"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.html);
    EXPECT_EQ(BodyOf(c.html), c.tree);
  }
}

TEST(HtmlParser, HeadAndAttributes) {
  const Document d = ParseHtml(
      L"<html><head><title>T &amp; t</title><style>p{}</style></head>"
      L"<body bgcolor=red><p id=one ID=two class='a b' data=x=y checked title=\"&copy;&lt;\" href=\"?a=1&copy=2\">x</p>");
  ASSERT_NE(d.head, kNoNode);
  ASSERT_NE(d.body, kNoNode);
  EXPECT_EQ(d.TextContent(d.head), L"T & tp{}");
  EXPECT_EQ(d.Attr(d.body, L"bgcolor").value_or(L"-"), L"red");
  uint32_t p = d.nodes[d.body].firstChild;
  ASSERT_EQ(d.nodes[p].tag, Tag::P);
  EXPECT_EQ(d.Attr(p, L"id").value_or(L"-"), L"one");  // the first of two counts
  EXPECT_EQ(d.Attr(p, L"class").value_or(L"-"), L"a b");
  EXPECT_EQ(d.Attr(p, L"data").value_or(L"-"), L"x=y");
  EXPECT_TRUE(d.HasAttr(p, L"checked"));
  EXPECT_EQ(d.Attr(p, L"checked").value_or(L"-"), L"");
  EXPECT_EQ(d.Attr(p, L"title").value_or(L"-"), L"\u00a9<");
  EXPECT_EQ(d.Attr(p, L"href").value_or(L"-"), L"?a=1&copy=2");  // a legacy name before "=" stays as written
  EXPECT_FALSE(d.Attr(p, L"missing").has_value());
  EXPECT_TRUE(d.quirks);
  EXPECT_FALSE(ParseHtml(L"<!DOCTYPE html><p>").quirks);
  EXPECT_TRUE(ParseHtml(L"<!DOCTYPE HTML PUBLIC \"-//W3C//DTD HTML 4.01 Transitional//EN\"><p>").quirks);
  EXPECT_FALSE(ParseHtml(L"<!DOCTYPE HTML PUBLIC \"-//W3C//DTD HTML 4.01//EN\" \"http://www.w3.org/TR/html4/strict.dtd\">").quirks);
}

TEST(HtmlParser, ControlsBelongToTheFormOpenWhereTheyAreWritten) {
  // A form between a table's rows holds the controls of the cells after it.
  const Document d = ParseHtml(
      L"<table><form action=a><tr><td><input name=x></td></tr></form></table><input name=outside>"
      L"<form action=b><form action=nested><select name=s></select></form><textarea name=t></textarea>");
  std::vector<std::pair<std::wstring, std::wstring>> owners;
  for (uint32_t i = 0; i < d.nodes.size(); ++i) {
    const Tag t = d.nodes[i].tag;
    if (t != Tag::Input && t != Tag::Select && t != Tag::Textarea) continue;
    const uint32_t form = d.nodes[i].form;
    owners.emplace_back(std::wstring(d.Attr(i, L"name").value_or(L"")),
                        form == kNoNode ? L"-" : std::wstring(d.Attr(form, L"action").value_or(L"")));
  }
  const std::vector<std::pair<std::wstring, std::wstring>> expected = {
      {L"x", L"a"}, {L"outside", L"-"}, {L"s", L"b"}, {L"t", L"-"}};
  EXPECT_EQ(owners, expected);
}

TEST(HtmlParser, CharacterReferences) {
  const struct {
    const wchar_t* text;
    const wchar_t* decoded;
  } cases[] = {
      {L"&amp; &lt; &gt; &quot; &apos; &nbsp;", L"& < > \" ' \u00a0"},
      {L"&acirc;&icirc;&abreve;&scedil;&tcedil;&Scaron;", L"\u00e2\u00ee\u0103\u015f\u0163\u0160"},
      {L"&#537;&#x21B;&#X218;&#538", L"\u0219\u021b\u0218\u021a"},
      {L"&#150; &#x80;", L"\u2013 \u20ac"},  // Windows-1252's dashes and euro, as pages write them
      {L"&#0; &#xD800; &#99999999;", L"\ufffd \ufffd \ufffd"},
      {L"&copy 2024 &notit; &amp", L"\u00a9 2024 \u00acit; &"},
      {L"&unknown; & &; &#; &#x;", L"&unknown; & &; &#; &#x;"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(corvan::ToUtf8(c.text));
    const Document d = ParseHtml(c.text);
    EXPECT_EQ(d.TextContent(d.body), c.decoded);
  }
  char32_t cp = 0;
  EXPECT_EQ(MatchCharacterReference(L"copy=2", true, cp), 0u);
  EXPECT_EQ(MatchCharacterReference(L"copy 2", true, cp), 4u);
  EXPECT_EQ(cp, 0xA9u);
}

TEST(HtmlCharset, DetectedFromMarkOrMetaElseRomanianWindows) {
  const struct {
    std::string bytes;
    Charset charset;
  } cases[] = {
      {"\xEF\xBB\xBF<p>x", Charset::Utf8},
      {"\xFF\xFE<\0p\0", Charset::Utf16Le},
      {"\xFE\xFF\0<\0p", Charset::Utf16Be},
      {"<meta charset=\"utf-8\"><p>", Charset::Utf8},
      {"<META CHARSET=UTF8>", Charset::Utf8},
      {"<meta http-equiv=\"Content-Type\" content=\"text/html; charset=iso-8859-2\">", Charset::Iso8859_2},
      {"<meta content='text/html;charset=windows-1252' http-equiv='content-type'>", Charset::Windows1252},
      {"<meta charset=latin1>", Charset::Windows1252},
      {"<meta charset=iso-8859-16>", Charset::Iso8859_16},
      {"<meta charset=utf-16>", Charset::Utf8},
      {"<meta charset=klingon><p>", Charset::Windows1250},
      {"<!-- <meta charset=utf-8> --><p>", Charset::Windows1250},
      {"<metadata charset=utf-8>", Charset::Windows1250},
      {std::string(3000, ' ') + "<meta charset=utf-8>", Charset::Windows1250},  // too far down
      {"<p>nothing said", Charset::Windows1250},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.bytes.substr(0, 60));
    EXPECT_EQ(DetectCharset(c.bytes), c.charset);
  }
}

TEST(HtmlCharset, DecodesRomanianLettersInEveryCharset) {
  const struct {
    std::string bytes;
    Charset charset;
    std::wstring text;
  } cases[] = {
      {"\xe3\xe2\xee\xba\xfe\xaa\xde", Charset::Windows1250, L"\u0103\u00e2\u00ee\u015f\u0163\u015e\u0162"},
      {"\xe3\xe2\xee\xba\xfe", Charset::Iso8859_2, L"\u0103\u00e2\u00ee\u015f\u0163"},
      {"\xe3\xba\xfe\xaa\xde", Charset::Iso8859_16, L"\u0103\u0219\u021b\u0218\u021a"},
      {"\x93" "a\x94\x96", Charset::Windows1252, L"\u201ca\u201d\u2013"},
      {"\xC4\x83\xC8\x99\xC8\x9B", Charset::Utf8, L"\u0103\u0219\u021b"},
      {"\xEF\xBB\xBFx", Charset::Utf8, L"x"},
      {"a\xC3(b\xE2\x82z\xF0\x9F\x98", Charset::Utf8, L"a\ufffd(b\ufffdz\ufffd"},
      {"\xC0\xAF\xED\xA0\x80", Charset::Utf8, L"\ufffd\ufffd\ufffd\ufffd\ufffd"},  // overlong, surrogate
      {std::string("\xFF\xFE\x03\x01\x19\x02", 6), Charset::Utf16Le, L"\u0103\u0219"},
      {std::string("\x01\x03\x02", 3), Charset::Utf16Be, L"\u0103\ufffd"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(corvan::ToUtf8(c.text));
    EXPECT_EQ(DecodeBytes(c.bytes, c.charset), c.text);
  }
  std::wstring emoji;
  AppendCodePoint(emoji, 0x1F600);
  EXPECT_EQ(DecodeBytes("\xF0\x9F\x98\x80", Charset::Utf8), emoji);
}

TEST(HtmlParser, HostileInputStaysBounded) {
  // 10,000 nested elements: the tree stops deepening, the text is all there.
  std::wstring deep;
  for (int i = 0; i < 10000; ++i) deep += L"<div><span>";
  deep += L"bottom";
  Document d = ParseHtml(deep);
  EXPECT_LE(Depth(d), static_cast<int>(kMaxDepth) + 1);
  EXPECT_EQ(d.TextContent(d.body), L"bottom");

  // Misnested formatting repeated: the reopened elements do not multiply without end.
  std::wstring formatting;
  for (int i = 0; i < 12; ++i) formatting += L"<b><i><u><font color=red><s>";
  for (int i = 0; i < 20000; ++i) formatting += L"<p>x";
  d = ParseHtml(formatting);
  EXPECT_LT(d.nodes.size(), formatting.size());

  // Stray "<" and "&" everywhere, an attribute and a comment cut by the end.
  d = ParseHtml(std::wstring(100000, L'<') + L"&&&<p a='");
  EXPECT_EQ(d.TextContent(d.body).size(), 100003u);
  d = ParseHtml(L"<p>a<!-- never closed");
  EXPECT_EQ(d.TextContent(d.body), L"a");
}
