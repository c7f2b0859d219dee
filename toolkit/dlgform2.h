#pragma once
// Mesaj, the holder of the toolkit's shared pictures: every named picture is decoded once
// at start from the program's PNG resources and kept until exit. Pictures handed out are
// borrowed: callers never free them. (The holder is never shown, so it needs no window.)
#include <windows.h>

#include <map>
#include <span>
#include <string>
#include <string_view>

class TMesaj {
 public:
  // Decodes every picture of PictureNames() found in the module's resources (type PNG).
  explicit TMesaj(HMODULE module);
  ~TMesaj();
  TMesaj(const TMesaj&) = delete;
  TMesaj& operator=(const TMesaj&) = delete;

  // The picture of that name, or nullptr when the holder has none.
  HBITMAP Find(std::wstring_view name) const;
  // The moment the holder was made, as text (date and time).
  const std::wstring& Caption() const { return caption_; }
  size_t Count() const { return pictures_.size(); }

  // Every picture name the toolkit knows.
  static std::span<const wchar_t* const> PictureNames();

 private:
  std::map<std::wstring, HBITMAP, std::less<>> pictures_;
  std::wstring caption_;
};

// The process's picture holder, made by InitGlobals; nullptr before.
extern TMesaj* Mesaj;
void CreateMesaj();
void FreeMesaj();

// A PNG held in memory, decoded to a 32-bit top-down DIB section (nullptr when it cannot be).
HBITMAP DecodePng(const void* data, size_t size);
// The module's PNG resource of that name, decoded; nullptr when it has none. The caller
// owns the bitmap.
HBITMAP DecodePngResource(HMODULE module, const wchar_t* name);
