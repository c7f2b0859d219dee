#pragma once
// What the assembly and extraction machinery needs of the copy page it runs for. The
// fresh-install and upgrade copy pages implement it over their controls; tests
// implement it with a recording fake. The disk prompt is not here: it goes through
// MsgDlg like every other question.
#include <cstdint>
#include <string>

#include "core/modal_result.h"

class CopyPageView {
 public:
  virtual ~CopyPageView() = default;

  // LGroupName: the new text, repainted at once.
  virtual void SetStatusText(const std::wstring& text) = 0;

  // The upper gauge CopyProgress (disks and parts). The position is kept between 0 and
  // the maximum by the gauge itself (corvan::Gauge does that arithmetic).
  virtual void SetCopyMax(std::uint32_t max) = 0;
  virtual void SetCopyPosition(std::int64_t position) = 0;

  // The lower gauge UnzipProgress (the archive being unpacked), kept in range the same way.
  virtual void SetUnzipMax(std::uint32_t max) = 0;
  virtual void SetUnzipPosition(std::int64_t position) = 0;

  // The page's modal result: Cancel closes the page and ends the wizard.
  virtual void SetModalResult(corvan::TModalResult result) = 0;

  // Lets the window handle its pending messages. Called at every progress event of an
  // extraction with an entry filter (the upgrade copy page stays responsive).
  virtual void ProcessPendingMessages() = 0;
};
