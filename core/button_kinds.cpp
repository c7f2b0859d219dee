#include "core/button_kinds.h"

namespace corvan {
namespace {

using R = TModalResult;

struct KindRow {
  const wchar_t* caption;
  TModalResult modalResult;
  const wchar_t* image;  // empty: no shared picture
};

constexpr KindRow kKinds[ButtonKindCount] = {
    {L"f", R::None, L"Buget"},           {L"&p", R::None, L"Precedent"},     {L"&u", R::None, L"Urmator"},
    {L"", R::None, L""},                 {L"&Adaug", R::None, L"Add"},       {L"&Sterg", R::None, L"Delete"},
    {L"&Jurnal", R::None, L"Jurnal"},    {L"&w", R::None, L"Vizual"},        {L"&Listare", R::None, L"Print"},
    {L"O&K", R::Ok, L"OK"},         {L"&Renunt", R::Cancel, L"Cancel"}, {L"S&faturi", R::None, L"Help"},
    {L"", R::None, L""},                 {L"&Da", R::Yes, L"OK"},       {L"&Nu", R::No, L"Nu"},
    {L"I&esire", R::Cancel, L"Exit"}, {L"&Abandon", R::Abort, L"Cancel"}, {L"&Retry", R::Retry, L"Retry"},
    {L"&Ignora", R::Ignore, L""},   {L"&Toate", R::All, L"All"},   {L"&Modific", R::None, L"Edit"},
    {L"Analiti&c", R::None, L"Analitic"}, {L"&Detalii", R::None, L"Detalii"}, {L"C&orvan", R::None, L"Corvan"},
    {L"Salve&z", R::None, L"Save"},      {L"", R::None, L"Plus"},            {L"", R::None, L"BUnelte"},
    {L"", R::None, L"Config"},           {L"", R::None, L"Stoc"},            {L"", R::None, L"Sold"},
    {L"", R::None, L"BIntr"},            {L"", R::None, L"BSediu"},          {L"", R::None, L"BIes"},
    {L"", R::None, L"BBani"},            {L"E&Mail", R::None, L"Mail"},      {L"", R::None, L"BigExit"},
    {L"", R::None, L"PlusAdd"},          {L"", R::None, L"PlusBlue"},        {L"", R::None, L"PlusPorto"},
    {L"", R::None, L"PlusPeach"},        {L"", R::None, L"PlusSnorkel"},     {L"", R::None, L"MinusDel"},
    {L"", R::None, L"FirstPag"},         {L"", R::None, L"LastPag"},         {L"", R::None, L"PrevPag"},
    {L"", R::None, L"NextPag"},          {L"", R::None, L"nPrev"},           {L"", R::None, L"nNext"},
    {L"", R::None, L"Find"},             {L"", R::None, L"FindNext"},        {L"", R::None, L"Grafic"},
    {L"", R::None, L"SaveAs"},           {L"", R::None, L"nFirst"},          {L"", R::None, L"nLast"},
    {L"", R::None, L"Contract"},         {L"", R::None, L"Explicatii"},      {L"", R::None, L"Permis"},
    {L"?", R::None, L"UrmatorBlue"},     {L"", R::None, L"Avansat"},
};

const KindRow& Row(int kind) {
  static constexpr KindRow none{L"", R::None, L""};
  return kind >= 0 && kind < ButtonKindCount ? kKinds[kind] : none;
}

}  // namespace

std::wstring_view KindCaption(TMButtonKind kind) { return Row(kind).caption; }
TModalResult KindModalResult(TMButtonKind kind) { return Row(kind).modalResult; }
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

void AssignModalResult(ButtonTexts& texts, TModalResult modalResult) {
  texts.modalResult = modalResult;
  texts.modalResultAssigned = true;
}

}  // namespace corvan
