#pragma once
// The stand-in engine's configuration: a tree of nodes named by paths such as
// "\DRIVERS\PARADOX\INIT", each holding named values. Aliases are the nodes under
// "\DATABASES". Kept as a single-byte text file:
//   [\DRIVERS\PARADOX\INIT]
//   TYPE=FILE
// Node paths and value names compare without regard to ASCII case.
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

struct ConfigNode {
  std::string path;  // normalised: one leading backslash, single separators, no trailing one
  std::vector<std::pair<std::string, std::string>> values;
  bool persistent = true;  // false: lives in this process only, never written
};

class ConfigStore {
 public:
  // "\\DRIVERS\\PARADOX\\INIT" or "drivers\paradox\init\" → "\DRIVERS\PARADOX\INIT" (case kept).
  static std::string NormalisePath(std::string_view path);
  static bool SameText(std::string_view a, std::string_view b);

  // Replaces the contents with the parsed text; false (contents unchanged) on a malformed line.
  bool Parse(std::string_view text);
  // The persistent nodes as text.
  std::string Serialise() const;

  ConfigNode* Find(std::string_view path);
  ConfigNode& Add(std::string_view path, bool persistent);
  void Remove(std::string_view path);
  // The names of the direct sub-nodes of path, in file order.
  std::vector<std::string> SubNodes(std::string_view path) const;
  static std::optional<std::string> Value(const ConfigNode& node, std::string_view name);
  static void SetValue(ConfigNode& node, std::string_view name, std::string_view value);

 private:
  std::vector<ConfigNode> nodes_;
};

inline constexpr char AliasRoot[] = "\\DATABASES";
