#include "config_store.h"

namespace {
char UpperAscii(char c) { return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c; }

std::string_view Trim(std::string_view s) {
  while (!s.empty() && (s.front() == ' ' || s.front() == '\t')) s.remove_prefix(1);
  while (!s.empty() && (s.back() == ' ' || s.back() == '\t' || s.back() == '\r')) s.remove_suffix(1);
  return s;
}

}  // namespace

bool ConfigStore::SameText(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i)
    if (UpperAscii(a[i]) != UpperAscii(b[i])) return false;
  return true;
}

std::string ConfigStore::NormalisePath(std::string_view path) {
  std::string out;
  for (char c : path) {
    if (c == '\\' && !out.empty() && out.back() == '\\') continue;
    out += c;
  }
  if (out.empty() || out.front() != '\\') out.insert(out.begin(), '\\');
  while (out.size() > 1 && out.back() == '\\') out.pop_back();
  return out;
}

bool ConfigStore::Parse(std::string_view text) {
  std::vector<ConfigNode> nodes;
  std::size_t start = 0;
  while (start < text.size()) {
    auto end = text.find('\n', start);
    if (end == std::string_view::npos) end = text.size();
    const auto line = Trim(text.substr(start, end - start));
    start = end + 1;
    if (line.empty() || line.front() == ';') continue;
    if (line.front() == '[') {
      if (line.back() != ']' || line.size() < 3) return false;
      nodes.push_back({NormalisePath(line.substr(1, line.size() - 2)), {}, true});
      continue;
    }
    const auto eq = line.find('=');
    if (eq == std::string_view::npos || eq == 0 || nodes.empty()) return false;
    nodes.back().values.emplace_back(std::string(Trim(line.substr(0, eq))), std::string(line.substr(eq + 1)));
  }
  nodes_ = std::move(nodes);
  return true;
}

std::string ConfigStore::Serialise() const {
  std::string out = "; Database engine configuration\r\n";
  for (const auto& node : nodes_) {
    if (!node.persistent) continue;
    out += "\r\n[" + node.path + "]\r\n";
    for (const auto& [name, value] : node.values) out += name + "=" + value + "\r\n";
  }
  return out;
}

ConfigNode* ConfigStore::Find(std::string_view path) {
  const std::string wanted = NormalisePath(path);
  for (auto& node : nodes_)
    if (SameText(node.path, wanted)) return &node;
  return nullptr;
}

ConfigNode& ConfigStore::Add(std::string_view path, bool persistent) {
  nodes_.push_back({NormalisePath(path), {}, persistent});
  return nodes_.back();
}

void ConfigStore::Remove(std::string_view path) {
  const std::string wanted = NormalisePath(path);
  std::erase_if(nodes_, [&](const ConfigNode& n) { return SameText(n.path, wanted); });
}

std::vector<std::string> ConfigStore::SubNodes(std::string_view path) const {
  const std::string parent = NormalisePath(path);
  std::vector<std::string> names;
  auto add = [&](const std::string& name) {
    for (const auto& n : names)
      if (SameText(n, name)) return;
    names.push_back(name);
  };
  // A node below parent names its sub-node by the first segment after parent, so an
  // intermediate node needs no section of its own.
  const std::string prefix = parent == "\\" ? parent : parent + "\\";
  for (const auto& node : nodes_) {
    if (node.path.size() <= prefix.size() || !SameText(std::string_view(node.path).substr(0, prefix.size()), prefix))
      continue;
    const std::string rest = node.path.substr(prefix.size());
    add(rest.substr(0, rest.find('\\')));
  }
  return names;
}

std::optional<std::string> ConfigStore::Value(const ConfigNode& node, std::string_view name) {
  for (const auto& [n, v] : node.values)
    if (SameText(n, name)) return v;
  return std::nullopt;
}

void ConfigStore::SetValue(ConfigNode& node, std::string_view name, std::string_view value) {
  for (auto& [n, v] : node.values)
    if (SameText(n, name)) {
      v = value;
      return;
    }
  node.values.emplace_back(std::string(name), std::string(value));
}
