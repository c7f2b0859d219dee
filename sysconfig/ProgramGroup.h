#pragma once
// The program group's way into the Windows shell: a DDE client conversation with
// Program Manager that carries the group's macros as one execute request.
#include <string>

struct DdeServerName {
  std::wstring service;
  std::wstring topic;
};

// Program Manager: the service "ProgMan" on the topic "PROGMAN". Windows' shell answers
// that topic as well as an empty one; Wine's shell answers only "PROGMAN" (it refuses a
// conversation with an empty topic, and no group would be made).
DdeServerName ProgramManagerServer();

// The server DoConfigGroup talks to: Program Manager unless a test named its own.
const DdeServerName& ProgramGroupServer();
// An empty service puts Program Manager back.
void SetProgramGroupServer(DdeServerName server);

// Opens a client conversation with the server, sends text as one execute request and
// waits for the server to take it (its answer is not looked at), then closes the
// conversation. False when no conversation could be opened (no such server).
bool SendDdeExecute(const DdeServerName& server, const std::wstring& text);
