#include "install/PageCopyView.h"

#include <algorithm>
#include <climits>

#include "toolkit/Cliunit.h"

namespace {
// The gauges hold int positions; the machinery keeps its own within the maximum.
int GaugeValue(std::int64_t value) { return static_cast<int>(std::clamp<std::int64_t>(value, 0, INT_MAX)); }
constexpr corvan::TColor kGaugeBar = corvan::Hex(0x5C6978);
constexpr corvan::TColor kGaugeBack = corvan::Hex(0xDFDFDF);
}  // namespace

void StyleCopyGauge(TGauge& gauge) {
  gauge.SetBorderSingle(false);
  gauge.SetForeColor(kGaugeBar);
  gauge.SetBackColor(kGaugeBack);
}

void PageCopyView::SetStatusText(const std::wstring& text) {
  status_.SetCaption(text);
  status_.Repaint();
}

void PageCopyView::SetCopyMax(std::uint32_t max) { copy_.SetMaxValue(GaugeValue(max)); }
void PageCopyView::SetCopyPosition(std::int64_t position) { copy_.SetProgress(GaugeValue(position)); }
void PageCopyView::SetUnzipMax(std::uint32_t max) { unzip_.SetMaxValue(GaugeValue(max)); }
void PageCopyView::SetUnzipPosition(std::int64_t position) { unzip_.SetProgress(GaugeValue(position)); }

// The toolkit's pump, which also lets the pages' keys (Alt+M, Esc) through.
void PageCopyView::ProcessPendingMessages() { ::ProcessPendingMessages(); }
