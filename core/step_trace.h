#pragma once
// The developer's step trace: BEGIN/END lines nested by level and notes, each with
// a millisecond time stamp. Switched on by a marker file; any I/O error turns it off.
#include <memory>
#include <string>
#include <string_view>

namespace corvan {

struct TraceTime {
  int hour, minute, second, millisecond;
};

// " <TIMP hh:mm:ss.zzz > " appended to every line.
std::wstring TraceStamp(const TraceTime& time);
std::wstring TraceBeginText(int level, std::wstring_view name);
std::wstring TraceEndText(int levelAfterLowering, std::wstring_view name);
std::wstring TraceNoteText(int level, std::wstring_view text);

// Where trace lines go. The Win32 side appends to a file in the ANSI code page.
class TraceSink {
 public:
  virtual ~TraceSink() = default;
  virtual bool Open() = 0;                         // open for appending
  virtual bool WriteLine(std::wstring_view line) = 0;
  virtual void Close() = 0;
  virtual TraceTime Now() = 0;
};

class StepTrace {
 public:
  StepTrace(std::unique_ptr<TraceSink> sink, bool enabled);

  void Begin(std::wstring_view name);
  void End(std::wstring_view name);
  void Note(std::wstring_view text);
  void Write(std::wstring_view line);

  bool Enabled() const { return enabled_; }
  int Level() const { return level_; }

 private:
  std::unique_ptr<TraceSink> sink_;
  bool enabled_;
  bool reopen_ = true;
  bool open_ = false;
  int level_ = 0;
};

}  // namespace corvan
