#pragma once
// A copy page as the assembly and extraction machinery sees it, recording everything it
// is told: status texts, both gauges (kept in range like the real ones) and every
// position they showed, the modal result and the message pumps.
#include <string>
#include <vector>

#include "core/disk_sets.h"
#include "install/CopyPageView.h"

class RecordingCopyPage : public CopyPageView {
 public:
  void SetStatusText(const std::wstring& text) override { statusTexts.push_back(text); }
  void SetCopyMax(std::uint32_t max) override { copy.SetMax(max); }
  void SetCopyPosition(std::int64_t position) override {
    copy.SetPosition(position);
    copyPositions.push_back(copy.Position());
  }
  void SetUnzipMax(std::uint32_t max) override {
    unzip.SetMax(max);
    unzipMaxima.push_back(max);
  }
  void SetUnzipPosition(std::int64_t position) override {
    unzip.SetPosition(position);
    unzipPositions.push_back(unzip.Position());
  }
  void SetModalResult(corvan::TModalResult result) override { modalResult = result; }
  void ProcessPendingMessages() override { ++pumps; }

  std::vector<std::wstring> statusTexts;
  corvan::Gauge copy, unzip;
  std::vector<std::uint32_t> copyPositions, unzipPositions, unzipMaxima;
  corvan::TModalResult modalResult = corvan::TModalResult::Next;
  int pumps = 0;
};
