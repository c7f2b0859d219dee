#include "sysconfig/StepTrace.h"

#include <windows.h>

#include <memory>

#include "core/step_trace.h"
#include "platform/AnsiText.h"
#include "platform/Files.h"
#include "platform/KernelHandle.h"

namespace {
class FileTraceSink : public corvan::TraceSink {
 public:
  explicit FileTraceSink(std::wstring path) : path_(std::move(path)) {}
  ~FileTraceSink() override { Close(); }

  bool Open() override {
    file_ = KernelHandle(CreateFileW(path_.c_str(), FILE_APPEND_DATA, FILE_SHARE_READ, nullptr, OPEN_ALWAYS,
                                     FILE_ATTRIBUTE_NORMAL, nullptr));
    return file_.Valid();
  }

  bool WriteLine(std::wstring_view line) override {
    const std::string bytes = ToAnsi(line) + "\r\n";
    DWORD written = 0;
    return WriteFile(file_.Get(), bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr) &&
           written == bytes.size();
  }

  void Close() override { file_.Close(); }

  corvan::TraceTime Now() override {
    SYSTEMTIME t;
    GetLocalTime(&t);
    return {t.wHour, t.wMinute, t.wSecond, t.wMilliseconds};
  }

 private:
  std::wstring path_;
  KernelHandle file_;
};

std::unique_ptr<corvan::StepTrace>& Trace() {
  static std::unique_ptr<corvan::StepTrace> trace;
  return trace;
}
}  // namespace

void InitStepTrace(const std::wstring& folder) {
  const bool enabled = FileExists(folder + TraceMarkerName);
  Trace() = std::make_unique<corvan::StepTrace>(std::make_unique<FileTraceSink>(folder + TraceFileName), enabled);
}

void LogBegin(const std::wstring& name) {
  if (Trace()) Trace()->Begin(name);
}
void LogEnd(const std::wstring& name) {
  if (Trace()) Trace()->End(name);
}
void LogNote(const std::wstring& text) {
  if (Trace()) Trace()->Note(text);
}
void LogWrite(const std::wstring& line) {
  if (Trace()) Trace()->Write(line);
}
bool LogEnabled() { return Trace() && Trace()->Enabled(); }
int LogLevel() { return Trace() ? Trace()->Level() : 0; }
