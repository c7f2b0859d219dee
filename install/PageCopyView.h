#pragma once
// A copy page's controls as the copy machinery sees them (CopyPageView): its status
// label, its two gauges, its modal result and its message pump. The fresh-install and
// upgrade copy pages share it.
#include "install/CopyPageView.h"
#include "toolkit/Actives.h"
#include "toolkit/Cliunit.h"
#include "toolkit/Panels.h"

class PageCopyView : public CopyPageView {
 public:
  PageCopyView(TMForm& page, TActiveLabel& status, TGauge& copy, TGauge& unzip)
      : page_(page), status_(status), copy_(copy), unzip_(unzip) {}

  void SetStatusText(const std::wstring& text) override;
  void SetCopyMax(std::uint32_t max) override;
  void SetCopyPosition(std::int64_t position) override;
  void SetUnzipMax(std::uint32_t max) override;
  void SetUnzipPosition(std::int64_t position) override;
  void SetModalResult(corvan::TModalResult result) override { page_.SetModalResult(result); }
  void ProcessPendingMessages() override;

 private:
  TMForm& page_;
  TActiveLabel& status_;
  TGauge& copy_;
  TGauge& unzip_;
};

// The copy pages' gauges: no border, the bar RGB(92, 105, 120) on RGB(223, 223, 223).
void StyleCopyGauge(TGauge& gauge);
