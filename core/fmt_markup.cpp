#include "core/fmt_markup.h"

#include <algorithm>
#include <climits>
#include <optional>

namespace corvan {

namespace {

constexpr TColor FixedColors[16] = {
    Hex(0x000000), Hex(0x800000), Hex(0x008000), Hex(0x808000), Hex(0x000080), Hex(0x800080),
    Hex(0x008080), Hex(0x808080), Hex(0xC0C0C0), Hex(0xFF0000), Hex(0x00FF00), Hex(0xFFFF00),
    Hex(0x0000FF), Hex(0xFF00FF), Hex(0x00FFFF), Hex(0xFFFFFF)};

bool IsDigit(wchar_t c) { return c >= L'0' && c <= L'9'; }

// A run of digits as an integer; nothing when empty or too large for one.
std::optional<int> ParseNumber(std::wstring_view digits) {
  if (digits.empty()) return std::nullopt;
  long long value = 0;
  for (wchar_t c : digits) {
    value = value * 10 + (c - L'0');
    if (value > INT_MAX) return std::nullopt;
  }
  return static_cast<int>(value);
}

// The look a code with a number gives, or nothing when the code leaves the look as it is.
std::optional<FmtLook> ApplyNumberCode(wchar_t code, int number, FmtLook look) {
  switch (code) {
    case L'@':
      if (number >= FmtColorCount) return std::nullopt;
      look.color = FmtColorEntry(number);
      return look;
    case L'&':
      look.size = number;
      return look;
    case L'$': {
      static constexpr std::uint8_t styles[4] = {0, FmtItalic, FmtBold, FmtBold | FmtItalic};
      if (number > 3) return std::nullopt;
      look.style = styles[number];
      return look;
    }
  }
  return std::nullopt;
}

class MarkupReader {
 public:
  explicit MarkupReader(const FmtLook& start) { lines_.push_back({FmtRun{L"", start}}); }

  void Append(wchar_t c) { Current().text.push_back(c); }

  // A new look starts a new run when the current one already holds text.
  void ChangeLook(const FmtLook& look) {
    if (Current().text.empty())
      Current().look = look;
    else
      lines_.back().push_back(FmtRun{L"", look});
  }

  void NewLine() {
    FmtLook look = Current().look;
    lines_.push_back({FmtRun{L"", look}});
  }

  FmtLook Look() { return Current().look; }
  std::vector<FmtLine> Take() { return std::move(lines_); }

 private:
  FmtRun& Current() { return lines_.back().back(); }
  std::vector<FmtLine> lines_;
};

bool IsEscapable(wchar_t c) { return c == L'$' || c == L'%' || c == L'&' || c == L'@' || c == L'~'; }

}  // namespace

TColor FmtColorEntry(int index) {
  if (index < 0 || index >= FmtColorCount) return clBlack;
  if (index < 16) return FixedColors[index];
  // clScrollBar .. clBtnHighlight are the platform's COLOR_* indexes 0 .. 20 in order.
  return 0x80000000u | static_cast<TColor>(index - 16);
}

std::vector<FmtLine> ReadFmtMarkup(std::wstring_view caption, const FmtLook& start) {
  MarkupReader reader(start);
  const size_t n = caption.size();
  for (size_t i = 0; i < n; ++i) {
    const wchar_t c = caption[i];
    switch (c) {
      case L'@':
      case L'&':
      case L'$': {
        // The digits that follow, never counting the caption's last character.
        size_t end = i + 1;
        while (end + 1 < n && IsDigit(caption[end])) ++end;
        std::optional<int> number = ParseNumber(caption.substr(i + 1, end - i - 1));
        i = end - 1;
        if (!number) break;
        if (auto look = ApplyNumberCode(c, *number, reader.Look())) reader.ChangeLook(*look);
        break;
      }
      case L'%': {
        FmtLook look = reader.Look();
        look.shadow = !look.shadow;
        reader.ChangeLook(look);
        break;
      }
      case L'~': {
        FmtLook look = reader.Look();
        look.blink = !look.blink;
        reader.ChangeLook(look);
        break;
      }
      case L'\\':
        if (i + 1 < n && IsEscapable(caption[i + 1]))
          reader.Append(caption[++i]);
        else
          reader.Append(c);
        break;
      case L'\r':
        reader.NewLine();
        break;
      default:
        reader.Append(c);
    }
  }
  return reader.Take();
}

std::wstring EscapeFmtMarkup(std::wstring_view text) {
  std::wstring escaped;
  escaped.reserve(text.size() + text.size() / 4);
  for (wchar_t c : text) {
    if (IsEscapable(c)) escaped.push_back(L'\\');
    escaped.push_back(c);
  }
  return escaped;
}

FmtLayout LayoutFmtLines(const std::vector<FmtLine>& lines, const FmtMeasure& measure, FmtAlignment alignment,
                         int labelWidth, int labelHeight) {
  struct LineBox {
    int width = 0, height = 0, ascent = 0;
    std::vector<FmtMetrics> runs;
  };
  std::vector<LineBox> boxes;
  boxes.reserve(lines.size());
  FmtLayout layout;
  int widest = 0, sumWidths = 0;
  for (const FmtLine& line : lines) {
    LineBox box;
    for (const FmtRun& run : line) {
      FmtMetrics m = measure(run);
      box.width += m.width;
      box.height = std::max(box.height, m.height);
      box.ascent = std::max(box.ascent, m.ascent);
      box.runs.push_back(m);
    }
    widest = std::max(widest, box.width);
    sumWidths += box.width;
    layout.neededHeight += box.height;
    boxes.push_back(std::move(box));
  }
  layout.neededWidth = alignment == FmtAlignment::Center ? widest : sumWidths;
  layout.width = std::max(labelWidth, layout.neededWidth);
  layout.height = std::max(labelHeight, layout.neededHeight);

  int top = 0;
  for (size_t l = 0; l < lines.size(); ++l) {
    const LineBox& box = boxes[l];
    int x = 0;
    if (alignment == FmtAlignment::Right) x = layout.width - box.width;
    if (alignment == FmtAlignment::Center) x = (layout.width - box.width) / 2;
    for (size_t r = 0; r < lines[l].size(); ++r) {
      const FmtMetrics& m = box.runs[r];
      layout.runs.push_back({&lines[l][r], x, top + box.ascent - m.ascent, m.width});
      x += m.width;
    }
    top += box.height;
  }
  return layout;
}

FmtBounds PlaceFmtLabel(TMAlign align, FmtBounds label, int parentClientWidth, int parentClientHeight,
                        int parentWidth) {
  switch (align) {
    case alMTop:
      label.top = 1;
      break;
    case alMBottom:
      label.top = parentClientHeight - label.height - 1;
      break;
    case alMLeft:
      label.left = 1;
      break;
    case alMRight:
      label.left = parentClientWidth - label.width - 2;
      break;
    case alMCenter:
      label.left = (parentWidth - label.width) / 2;
      label.top = (parentClientHeight - label.height) / 2;
      break;
    case alMNone:
      break;
  }
  return label;
}

}  // namespace corvan
