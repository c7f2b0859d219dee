#pragma once
// The button kinds both painted push buttons share: per kind a default caption, a default
// modal result and the name of its shared picture, and the rules by which a kind change
// updates a button's caption and modal result.
#include <cstdint>
#include <string>
#include <string_view>

#include "core/modal_result.h"

namespace corvan {

enum TMButtonKind : std::uint8_t {
  mkFirst, mkPrev, mkNext, mkLast, mkAdd, mkDelete, mkRecord, mkView, mkPrint, mkOK,
  mkCancel, mkHelp, mkCustom, mkYes, mkNo, mkClose, mkAbort, mkRetry, mkIgnore, mkAll,
  mkEdit, mkAnalitic, mkDetalii, mkCorvan, mkSave, mkPlus, mkUnelte, mkConfig, mkStoc, mkSold,
  mkIntr, mkTransf, mkIes, mkBani, mkMail, mkBigExit, mkPlusAdd, mkPlusBlue, mkPlusPorto, mkPlusPeach,
  mkPlusSnorkel, mkMinusDel, mkFirstPag, mkLastPag, mkPrevPag, mkNextPag, mknPrev, mknNext, mkFind, mkFindNext,
  mkGrafic, mkSaveAs, mknFirst, mknLast, mkContr, mkExpl, mkPermis, mkAction, mkAdvanced,
};
constexpr int ButtonKindCount = 59;

std::wstring_view KindCaption(TMButtonKind kind);
// The result a button of the kind closes its window with (None: it does not close it).
TModalResult KindModalResult(TMButtonKind kind);
// The shared picture of a kind (taken modulo 128), empty when the kind has none; mkCustom
// has none here because it draws the button's own picture. The smooth button's variant
// differs only for mkIgnore, which shows PrnSetup there.
std::wstring_view KindImageName(int kind);
std::wstring_view NiceKindImageName(int kind);

// What a kind change touches on a button.
struct ButtonTexts {
  std::wstring caption;
  bool captionVisible = true;
  TModalResult modalResult = TModalResult::None;
  bool modalResultAssigned = false;  // set by an explicit ModalResult: wins over every kind
  bool captionAssigned = false;      // smooth button: set by an explicit Caption
};

// Glyph button: kinds below mkAdd hide the caption; the kind's caption is taken only when
// the caption is empty. Returns false (nothing changed) when the kind is the same.
bool ApplyGlyphButtonKind(ButtonTexts& texts, TMButtonKind from, TMButtonKind to);
// Smooth button: the kind's caption is taken unless a caption was assigned.
bool ApplyNiceButtonKind(ButtonTexts& texts, TMButtonKind from, TMButtonKind to);
// An explicit modal result: stored and marked, so a later kind change keeps it.
void AssignModalResult(ButtonTexts& texts, TModalResult modalResult);

}  // namespace corvan
