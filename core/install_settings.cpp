#include "core/install_settings.h"

#include "core/text.h"

namespace corvan {

const std::array<TCompRecord, ComponentCount> Components = {{
    {L"EXE", L"Fisiere executabile", dtProgram},
    {L"OUTPOST", L"Outpost CORVAN", dtProgram},
    {L"DBDAT", L"CORVAN: baza de date si exemple", dtDatabaseDat},
    {L"DBNEW", L"CORVAN: baza de date martor", dtDatabaseNew},
    {L"BDE32", L"Borland Database Engine", dtProgramFiles},
    {L"HELP", L"Help Corvan", dtProgram},
    {L"PAYDESK", L"Paydesk CORVAN", dtProgram},
}};

namespace {
constexpr TComponentSet Rows(std::initializer_list<int> rows) {
  TComponentSet set = 0;
  for (int r : rows) set |= static_cast<TComponentSet>(1u << r);
  return set;
}
enum Row { EXE, OUTPOST, DBDAT, DBNEW, BDE32, HELP, PAYDESK };
}  // namespace

const std::array<TComponentSet, 4> InstallSets = {
    Rows({}),
    Rows({EXE, OUTPOST, DBDAT, DBNEW, BDE32, HELP, PAYDESK}),
    Rows({EXE, OUTPOST, DBDAT, DBNEW, BDE32, HELP, PAYDESK}),
    Rows({EXE, OUTPOST, BDE32, HELP, PAYDESK}),
};

const std::array<TComponentSet, 4> UpgradeSets = {
    Rows({}),
    Rows({EXE, OUTPOST, DBNEW, HELP, PAYDESK}),
    Rows({EXE, OUTPOST, DBNEW, HELP, PAYDESK}),
    Rows({EXE, OUTPOST, HELP, PAYDESK}),
};

std::vector<const TCompRecord*> ComponentsOf(TComponentSet set) {
  std::vector<const TCompRecord*> rows;
  for (int i = 0; i < ComponentCount; ++i)
    if (InSet(set, i)) rows.push_back(&Components[i]);
  return rows;
}

int FindComponent(std::wstring_view fileName) {
  for (int i = 0; i < ComponentCount; ++i)
    if (SameNameNoCase(Components[i].FileName, fileName)) return i;
  return -1;
}

const std::array<const wchar_t*, AliasCount> BdeAliases = {L"CORVANALIAS", L"FIRMAALIAS", L"LUNAALIAS",
                                                           L"CORVAN"};
const std::array<const wchar_t*, AliasCount> BdeAliasDirs = {L"NEW\\DATA", L"NEW\\FIRMA", L"NEW\\LUNA", L"DATA"};

std::wstring AliasFolder(const std::wstring& dataDir, int i) { return JoinPath(dataDir, BdeAliasDirs.at(i)); }

InstallSettings& Settings() {
  static InstallSettings settings;
  return settings;
}

}  // namespace corvan
