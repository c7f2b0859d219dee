#include "wizard/Instructions.h"

namespace {
InstructionsHandler& Handler() {
  static InstructionsHandler handler;
  return handler;
}
}  // namespace

void SetInstructionsHandler(InstructionsHandler handler) { Handler() = std::move(handler); }

void ShowInstructions() {
  if (Handler()) Handler()();
}
