// Prints what the machine's database engine holds of Corvan: each alias with its folder
// and the Paradox NET DIR, one "NAME=folder" line each. The end-to-end runs and the demo
// read the installation's result with it. Exit code: 0 listed, 1 no engine library,
// 2 the engine did not start or could not be listed.
#include <windows.h>

#include <cstdio>
#include <sstream>

#include "engine_description.h"
#include "sysconfig/aliasint.h"

int main() {
  const std::wstring path = EngineLibraryPath();
  HMODULE engine = path.empty() ? nullptr : LoadLibraryExW(path.c_str(), nullptr, LOAD_WITH_ALTERED_SEARCH_PATH);
  if (!engine) {
    std::fputs("no engine library\n", stderr);
    return 1;
  }
  std::wostringstream out;
  const bool listed = DescribeEngineInto(engine, out);
  const std::wstring text = out.str();
  std::string bytes(text.size() * 4, '\0');
  bytes.resize(WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), bytes.data(),
                                   static_cast<int>(bytes.size()), nullptr, nullptr));
  std::fwrite(bytes.data(), 1, bytes.size(), stdout);
  return listed && !text.empty() ? 0 : 2;
}
