#include "sysconfig/ProgramGroup.h"

#include <windows.h>

#include <ddeml.h>

namespace {
// How long the shell may take over the group's macros (it makes a folder and the links).
constexpr DWORD ExecuteTimeoutMs = 30000;

DdeServerName& CurrentServer() {
  static DdeServerName server = ProgramManagerServer();
  return server;
}

// A client-only instance is told nothing it has to answer.
HDDEDATA CALLBACK IgnoreEvents(UINT, UINT, HCONV, HSZ, HSZ, HDDEDATA, ULONG_PTR, ULONG_PTR) { return nullptr; }

class DdeInstance {
 public:
  DdeInstance() {
    if (DdeInitializeW(&id_, IgnoreEvents, APPCMD_CLIENTONLY | CBF_SKIP_ALLNOTIFICATIONS, 0) != DMLERR_NO_ERROR)
      id_ = 0;
  }
  ~DdeInstance() {
    if (id_) DdeUninitialize(id_);
  }
  DdeInstance(const DdeInstance&) = delete;
  DdeInstance& operator=(const DdeInstance&) = delete;
  DWORD Id() const { return id_; }

 private:
  DWORD id_ = 0;
};

class StringHandle {
 public:
  StringHandle(DWORD instance, const std::wstring& text)
      : instance_(instance), handle_(DdeCreateStringHandleW(instance, text.c_str(), CP_WINUNICODE)) {}
  ~StringHandle() {
    if (handle_) DdeFreeStringHandle(instance_, handle_);
  }
  StringHandle(const StringHandle&) = delete;
  StringHandle& operator=(const StringHandle&) = delete;
  HSZ Get() const { return handle_; }

 private:
  DWORD instance_;
  HSZ handle_;
};
}  // namespace

DdeServerName ProgramManagerServer() { return {L"ProgMan", L"PROGMAN"}; }

const DdeServerName& ProgramGroupServer() { return CurrentServer(); }

void SetProgramGroupServer(DdeServerName server) {
  CurrentServer() = server.service.empty() ? ProgramManagerServer() : std::move(server);
}

bool SendDdeExecute(const DdeServerName& server, const std::wstring& text) {
  const DdeInstance instance;
  if (!instance.Id()) return false;
  const StringHandle service(instance.Id(), server.service), topic(instance.Id(), server.topic);
  HCONV conversation = DdeConnect(instance.Id(), service.Get(), topic.Get(), nullptr);
  if (!conversation) return false;
  // A Unicode instance sends the text as UTF-16 with its terminating null; the system
  // hands an ANSI server the ANSI text.
  std::wstring data = text;
  // A synchronous execute answers TRUE or FALSE, not a data handle: nothing to free.
  DWORD answer = 0;
  DdeClientTransaction(reinterpret_cast<LPBYTE>(data.data()), static_cast<DWORD>((data.size() + 1) * sizeof(wchar_t)),
                       conversation, nullptr, 0, XTYP_EXECUTE, ExecuteTimeoutMs, &answer);
  DdeDisconnect(conversation);
  return true;
}
