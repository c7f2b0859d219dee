#pragma once
// The first configuration step: register the database engine (or count one more user
// of an engine already registered), create the product's aliases under the data folder
// and, for a freshly registered engine, point the Paradox network folder at it.
#include <stdexcept>
#include <string>

// The engine's registry template could not be found, read or written. Raised out of
// DoConfigBDE before anything after the failing file operation ran; Text() is the
// Romanian message the configuration page shows.
class BdeTemplateError : public std::runtime_error {
 public:
  explicit BdeTemplateError(const std::wstring& text);
  const std::wstring& Text() const { return text_; }

 private:
  std::wstring text_;
};

// With HKLM\Software\Borland\BLW32 present: "UseCount" of the engine's key plus one;
// returns false. Otherwise fills ProgramFilesDir\Borland\Common Files\BDE\bde.reg,
// imports it with regedit and returns true (the engine is freshly registered).
// Throws BdeTemplateError.
bool UpdateBdeRegistry();

// The whole step, between LogBegin/LogEnd("DoConfigBDE"), for Settings().DataDir.
// Throws BdeTemplateError.
void DoConfigBDE();

// The engine folder under Program Files, as the engine is installed into it.
std::wstring BdeEngineFolder(const std::wstring& programFilesDir);
