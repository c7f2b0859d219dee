#include "core/button_kinds.h"

namespace corvan {
namespace {

struct KindRow {
  const wchar_t* caption;
  int modalResult;
  const wchar_t* image;  // empty: no shared picture
};

constexpr KindRow kKinds[ButtonKindCount] = {
    {L"f", 0, L"Buget"},           {L"&p", 0, L"Precedent"},     {L"&u", 0, L"Urmator"},
    {L"", 0, L""},                 {L"&Adaug", 0, L"Add"},       {L"&Sterg", 0, L"Delete"},
    {L"&Jurnal", 0, L"Jurnal"},    {L"&w", 0, L"Vizual"},        {L"&Listare", 0, L"Print"},
    {L"O&K", 1, L"OK"},         {L"&Renunt", 2, L"Cancel"}, {L"S&faturi", 0, L"Help"},
    {L"", 0, L""},                 {L"&Da", 6, L"OK"},       {L"&Nu", 7, L"Nu"},
    {L"I&esire", 2, L"Exit"}, {L"&Abandon", 3, L"Cancel"}, {L"&Retry", 4, L"Retry"},
    {L"&Ignora", 5, L""},   {L"&Toate", 12, L"All"},   {L"&Modific", 0, L"Edit"},
    {L"Analiti&c", 0, L"Analitic"}, {L"&Detalii", 0, L"Detalii"}, {L"C&orvan", 0, L"Corvan"},
    {L"Salve&z", 0, L"Save"},      {L"", 0, L"Plus"},            {L"", 0, L"BUnelte"},
    {L"", 0, L"Config"},           {L"", 0, L"Stoc"},            {L"", 0, L"Sold"},
    {L"", 0, L"BIntr"},            {L"", 0, L"BSediu"},          {L"", 0, L"BIes"},
    {L"", 0, L"BBani"},            {L"E&Mail", 0, L"Mail"},      {L"", 0, L"BigExit"},
    {L"", 0, L"PlusAdd"},          {L"", 0, L"PlusBlue"},        {L"", 0, L"PlusPorto"},
    {L"", 0, L"PlusPeach"},        {L"", 0, L"PlusSnorkel"},     {L"", 0, L"MinusDel"},
    {L"", 0, L"FirstPag"},         {L"", 0, L"LastPag"},         {L"", 0, L"PrevPag"},
    {L"", 0, L"NextPag"},          {L"", 0, L"nPrev"},           {L"", 0, L"nNext"},
    {L"", 0, L"Find"},             {L"", 0, L"FindNext"},        {L"", 0, L"Grafic"},
    {L"", 0, L"SaveAs"},           {L"", 0, L"nFirst"},          {L"", 0, L"nLast"},
    {L"", 0, L"Contract"},         {L"", 0, L"Explicatii"},      {L"", 0, L"Permis"},
    {L"?", 0, L"UrmatorBlue"},     {L"", 0, L"Avansat"},
};

const KindRow& Row(int kind) {
  static constexpr KindRow none{L"", 0, L""};
  return kind >= 0 && kind < ButtonKindCount ? kKinds[kind] : none;
}

}  // namespace

std::wstring_view KindCaption(TMButtonKind kind) { return Row(kind).caption; }
int KindModalResult(TMButtonKind kind) { return Row(kind).modalResult; }
std::wstring_view KindImageName(int kind) { return Row(((kind % 128) + 128) % 128).image; }

std::wstring_view NiceKindImageName(int kind) {
  return ((kind % 128) + 128) % 128 == mkIgnore ? L"PrnSetup" : KindImageName(kind);
}

bool ApplyGlyphButtonKind(ButtonTexts& texts, TMButtonKind from, TMButtonKind to) {
  if (from == to) return false;
  if (!texts.modalResultAssigned) texts.modalResult = KindModalResult(to);
  if (to < mkAdd) texts.captionVisible = false;
  if (texts.caption.empty()) texts.caption = KindCaption(to);
  return true;
}

bool ApplyNiceButtonKind(ButtonTexts& texts, TMButtonKind from, TMButtonKind to) {
  if (from == to) return false;
  if (!texts.modalResultAssigned) texts.modalResult = KindModalResult(to);
  if (!texts.captionAssigned) texts.caption = KindCaption(to);
  return true;
}

void AssignModalResult(ButtonTexts& texts, int modalResult) {
  texts.modalResult = modalResult;
  texts.modalResultAssigned = true;
}

}  // namespace corvan
