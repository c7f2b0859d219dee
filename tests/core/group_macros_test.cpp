// The program group's macros: which items, in which order, with which paths.
#include "core/group_macros.h"

#include <gtest/gtest.h>

using namespace corvan;

TEST(GroupMacros, ItemsFollowTheProgramsFound) {
  using Lines = std::vector<std::wstring>;
  const std::wstring create = L"[CreateGroup(\"Corvan\")]", show = L"[ShowGroup(\"Corvan\",8)]";
  const struct {
    const char* what;
    std::wstring programDir;
    InstalledPrograms installed;
    Lines lines;
  } cases[] = {
      {"only the main program: three lines", L"C:\\Corvan", {},
       {create, L"[AddItem(\"C:\\Corvan\\CORVAN.EXE\", \"Corvan\")]", show}},
      {"Outpost brings Tendrix before it", L"C:\\Corvan", {.outpost = true},
       {create, L"[AddItem(\"C:\\Corvan\\CORVAN.EXE\", \"Corvan\")]",
        L"[AddItem(\"C:\\Corvan\\TENDRIX.EXE\", \"Tendrix\")]", L"[AddItem(\"C:\\Corvan\\OUTPOST.EXE\", \"Outpost\")]",
        show}},
      {"Paydesk alone", L"D:\\Contab", {.paydesk = true},
       {create, L"[AddItem(\"D:\\Contab\\CORVAN.EXE\", \"Corvan\")]", L"[AddItem(\"D:\\Contab\\PAYDESK.EXE\", \"Paydesk\")]",
        show}},
      {"every program, in a folder with blanks", L"C:\\Program Files\\Corvan", {.outpost = true, .paydesk = true},
       {create, L"[AddItem(\"C:\\Program Files\\Corvan\\CORVAN.EXE\", \"Corvan\")]",
        L"[AddItem(\"C:\\Program Files\\Corvan\\TENDRIX.EXE\", \"Tendrix\")]",
        L"[AddItem(\"C:\\Program Files\\Corvan\\OUTPOST.EXE\", \"Outpost\")]",
        L"[AddItem(\"C:\\Program Files\\Corvan\\PAYDESK.EXE\", \"Paydesk\")]", show}},
      {"a folder ending in a backslash is not normalised", L"C:\\", {.outpost = true},
       {create, L"[AddItem(\"C:\\\\CORVAN.EXE\", \"Corvan\")]", L"[AddItem(\"C:\\\\TENDRIX.EXE\", \"Tendrix\")]",
        L"[AddItem(\"C:\\\\OUTPOST.EXE\", \"Outpost\")]", show}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    EXPECT_EQ(ProgramGroupMacros(c.programDir, c.installed), c.lines);
  }
}

TEST(GroupMacros, OneExecuteTextWithNothingBetweenTheMacros) {
  const auto lines = ProgramGroupMacros(L"C:\\Corvan", {});
  EXPECT_EQ(JoinedMacros(lines),
            L"[CreateGroup(\"Corvan\")][AddItem(\"C:\\Corvan\\CORVAN.EXE\", \"Corvan\")][ShowGroup(\"Corvan\",8)]");
  EXPECT_EQ(JoinedMacros({}), L"");
}
