#pragma once
// The little CSS the view knows: colours, lengths, declarations (a style attribute or a
// rule's body) and style sheets whose selectors are type, class and id selectors, joined
// into compounds (p.note) and chains (table td, ul > li), with a:link. Whatever it does
// not know (other selectors, properties, at-rules but @media screen/all) it skips.
#include <cstdint>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "core/colors.h"
#include "core/html_dom.h"

namespace corvan::html {

// No colour (transparent, or not given). Colours are 24-bit, so it is none of them.
constexpr TColor kNoColor = 0xFF000000u;

// A CSS colour: #rgb, #rrggbb, rgb(r, g, b) (numbers or percentages), a colour name.
bool ParseCssColor(std::wstring_view text, TColor& color);
// A colour attribute as browsers read bgcolor and color: a name, or hexadecimal digits
// with or without "#" (what is not a digit reads as 0).
bool ParseLegacyColor(std::wstring_view text, TColor& color);

enum class Unit : uint8_t { Auto, Px, Percent, Em };
struct Length {
  float value = 0;
  Unit unit = Unit::Auto;
  bool IsAuto() const { return unit == Unit::Auto; }
};
// "12px", "10pt", "1.5em", "2ex", "50%", "1in", "0"; "auto" is Auto. False for anything else.
bool ParseCssLength(std::wstring_view text, Length& length);

enum class Property : uint8_t {
  Color, BackgroundColor, Background, FontFamily, FontSize, FontWeight, FontStyle, Font, TextAlign,
  TextDecoration, Margin, MarginTop, MarginRight, MarginBottom, MarginLeft, Padding, PaddingTop, PaddingRight,
  PaddingBottom, PaddingLeft, Border, BorderTop, BorderRight, BorderBottom, BorderLeft, BorderWidth, BorderStyle,
  BorderColor, Width, Height, Display, WhiteSpace,
  ListStyleType, ListStyle, VerticalAlign, Float, Clear, TextIndent,
};

struct Declaration {
  Property property;
  bool important;
  std::wstring value;
};

// "color: red; margin: 0 auto !important": the declarations it knows, in order.
std::vector<Declaration> ParseDeclarations(std::wstring_view text);

// An element as selectors see it.
struct ElementRef {
  Tag tag;
  std::wstring_view id;
  std::wstring_view classes;  // the class attribute: names separated by blanks
  bool link;                  // an <a> with an href
};

class StyleSheet {
 public:
  // Adds the rules of a sheet (the text of a <style> element).
  void Add(std::wstring_view css);
  bool Empty() const { return rules_.empty(); }
  // The declarations of the rules that match the element chain[length - 1] (chain[0 ..
  // length - 2] are its ancestors, outermost first), in the order they apply: by
  // specificity, then as written.
  void Match(const ElementRef* chain, size_t length, std::vector<const Declaration*>& out) const;

  // At most this many rules are kept from a page.
  static constexpr size_t kMaxRules = 4096;

 private:
  struct Compound {
    Tag tag = Tag::Unknown;
    bool anyTag = true;
    bool link = false;
    std::wstring id;
    std::vector<std::wstring> classes;
  };
  struct Rule {
    std::vector<Compound> parts;   // outermost first; the last one is the element itself
    std::vector<bool> childOf;     // childOf[i]: parts[i + 1] is a child (">") of parts[i]
    uint32_t specificity = 0;
    uint32_t declBegin = 0, declCount = 0;
  };
  void AddRules(std::wstring_view css, int depth);
  void AddRule(std::wstring_view selectors, std::wstring_view body);
  static bool ParseSelector(std::wstring_view text, Rule& rule);
  static bool MatchesCompound(const Compound& c, const ElementRef& e);
  static bool Matches(const Rule& rule, const ElementRef* chain, size_t length);

  std::vector<Rule> rules_;
  std::vector<Declaration> declarations_;
  std::unordered_map<std::wstring, std::vector<uint32_t>> byId_, byClass_;
  std::vector<uint32_t> byTag_[static_cast<size_t>(Tag::Count)];
  std::vector<uint32_t> universal_;
};

// True when the blank-separated list holds the name (case as written).
bool HasClass(std::wstring_view classes, std::wstring_view name);

}  // namespace corvan::html
