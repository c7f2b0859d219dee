#pragma once
// The small types the toolkit's controls share, so a control includes only what it
// shows: a label's alignment is not a reason to include the message dialog.
#include <cstdint>

// Text alignment within a control's box.
enum TAlignment : std::uint8_t { taLeftJustify = 0, taRightJustify = 1, taCenter = 2 };

// The message kinds: the message dialog's picture and default title, and the pictures a
// TTransImage can show.
enum TMsgDlgType : std::uint8_t { mtWarning = 0, mtError = 1, mtInformation = 2, mtConfirmation = 3, mtCustom = 4 };

// A 3-D bevel: the panels' outer and inner bevels, the boxes' flat frame.
enum TPanelBevel : std::uint8_t { bvNone, bvLowered, bvRaised, bvSpace };
