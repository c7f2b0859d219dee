#pragma once
// The tree of an HTML page as the parser leaves it: elements and text in one array,
// linked by index, their text and attribute values in one pool.
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace corvan::html {

enum class Tag : unsigned char {
  Text, Unknown,
  A, Abbr, Acronym, Address, Applet, Area, Article, Aside, B, Base, Basefont, Bdo, Big, Blockquote, Body, Br,
  Button, Caption, Center, Cite, Code, Col, Colgroup, Dd, Del, Dfn, Dir, Div, Dl, Dt, Em, Embed, Fieldset,
  Figcaption, Figure, Font, Footer, Form, Frame, Frameset, H1, H2, H3, H4, H5, H6, Head, Header, Hr, Html, I,
  Iframe, Img, Input, Ins, Kbd, Label, Legend, Li, Link, Listing, Main, Map, Mark, Marquee, Menu, Meta, Nav,
  Nobr, Noembed, Noframes, Noscript, Object, Ol, Optgroup, Option, P, Param, Plaintext, Pre, Q, S, Samp,
  Script, Section, Select, Small, Source, Span, Strike, Strong, Style, Sub, Sup, Table, Tbody, Td, Template,
  Textarea, Tfoot, Th, Thead, Title, Tr, Track, Tt, U, Ul, Var, Wbr, Xmp,
  Count
};

// The tag of a lower-case element name (Unknown for names it does not know; "image" is Img).
Tag TagFromName(std::wstring_view lowerName);

constexpr uint32_t kNoNode = 0xFFFFFFFFu;

struct Node {
  Tag tag = Tag::Text;
  uint32_t parent = kNoNode, firstChild = kNoNode, lastChild = kNoNode, nextSibling = kNoNode;
  // An element: its attributes are Document::attributes[begin, begin + count).
  // A text node: its text is Document::pool[begin, begin + count).
  uint32_t begin = 0, count = 0;
  // A form control: the form it belongs to (the form open where it was written), else kNoNode.
  uint32_t form = kNoNode;
};

struct Attribute {
  uint32_t name, nameLength, value, valueLength;  // in Document::pool; names in lower case
};

struct Document {
  std::vector<Node> nodes;  // nodes[0] is <html>
  std::vector<Attribute> attributes;
  std::wstring pool;
  uint32_t head = kNoNode, body = kNoNode, frameset = kNoNode;
  // No <!DOCTYPE> of a standards page: tables take the default font, as browsers do then.
  bool quirks = true;

  std::wstring_view Text(uint32_t node) const {
    const Node& n = nodes[node];
    return std::wstring_view(pool).substr(n.begin, n.count);
  }
  // The value of the element's attribute (name in lower case), or nothing.
  std::optional<std::wstring_view> Attr(uint32_t node, std::wstring_view name) const;
  bool HasAttr(uint32_t node, std::wstring_view name) const { return Attr(node, name).has_value(); }
  // The text of every text node under the element, in order.
  std::wstring TextContent(uint32_t node) const;
};

}  // namespace corvan::html
