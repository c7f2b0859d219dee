#include "core/step_trace.h"

#include <cstdio>

namespace corvan {

namespace {
std::wstring Bars(int count) {
  std::wstring out;
  for (int i = 0; i < count; ++i) out += L" |";
  return out;
}
}  // namespace

std::wstring TraceStamp(const TraceTime& t) {
  wchar_t buf[32];
  std::swprintf(buf, 32, L" <TIMP %02d:%02d:%02d.%03d > ", t.hour, t.minute, t.second, t.millisecond);
  return buf;
}

std::wstring TraceBeginText(int level, std::wstring_view name) {
  return (level == 0 ? std::wstring() : Bars(level + 1)) + L"BEGIN => " + std::wstring(name);
}

std::wstring TraceEndText(int level, std::wstring_view name) {
  return (level == 0 ? std::wstring() : Bars(level + 1)) + L"END <- " + std::wstring(name);
}

std::wstring TraceNoteText(int level, std::wstring_view text) {
  std::wstring out;
  for (int i = 0; i < level + 1; ++i) out += L"  ";
  return out + L"*       " + std::wstring(text);
}

StepTrace::StepTrace(std::unique_ptr<TraceSink> sink, bool enabled) : sink_(std::move(sink)), enabled_(enabled) {}

void StepTrace::Begin(std::wstring_view name) {
  if (!enabled_) return;
  Write(TraceBeginText(level_, name));
  ++level_;
}

void StepTrace::End(std::wstring_view name) {
  if (!enabled_) return;
  --level_;
  Write(TraceEndText(level_, name));
}

void StepTrace::Note(std::wstring_view text) {
  if (!enabled_) return;
  Write(TraceNoteText(level_, text));
}

void StepTrace::Write(std::wstring_view line) {
  if (!enabled_) return;
  if (reopen_ || !open_) {
    if (!sink_->Open()) {
      enabled_ = false;
      return;
    }
    open_ = true;
  }
  if (!sink_->WriteLine(std::wstring(line) + TraceStamp(sink_->Now()))) {
    enabled_ = false;  // the file is left as it is, not closed
    return;
  }
  if (reopen_) {
    sink_->Close();
    open_ = false;
  }
}

}  // namespace corvan
