#pragma once
// The program group of the installed product, as Program Manager macros: the group
// "Corvan" with the main program and the optional programs found in the program folder.
#include <string>
#include <vector>

namespace corvan {

// Which optional programs lie in the program folder. OUTPOST.EXE brings both the Outpost
// item and the Tendrix item (Tendrix comes with Outpost; TENDRIX.EXE itself is not looked
// for).
struct InstalledPrograms {
  bool outpost = false;
  bool paydesk = false;
};

// The macro lines, in order: CreateGroup, the Corvan item, Tendrix and Outpost (with
// OUTPOST.EXE), Paydesk (with PAYDESK.EXE), ShowGroup. An item's path is programDir +
// "\" + the file name, as written: a folder ending in a backslash gives two.
std::vector<std::wstring> ProgramGroupMacros(const std::wstring& programDir, InstalledPrograms installed);

// The lines as the text of one execute request: put one after the other. Program
// Manager reads a macro right after the "]" of the one before (Wine's shell reads the
// next one only after blanks, never after a line break).
std::wstring JoinedMacros(const std::vector<std::wstring>& lines);

}  // namespace corvan
