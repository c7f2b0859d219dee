#pragma once
// The pictures of the pages a viewer shows: decoded once with WIC from their files (PNG,
// GIF, JPEG, BMP; a GIF's first frame) into premultiplied 32-bit bitmaps, kept while the
// viewer lives, and drawn scaled to the size the page gives them. A file that is missing,
// damaged, not a picture, or larger than kMaxPixels has none.
#include <windows.h>

#include <map>
#include <memory>
#include <string>
#include <unordered_map>

#include "toolkit/Gdi.h"

class THtmlPictures {
 public:
  static constexpr long long kMaxPixels = 4096LL * 4096;

  // The natural size of the picture in the file; false when it has none.
  bool Size(const std::wstring& path, int& width, int& height);
  // Draws it into the rectangle (scaled smoothly, transparency kept); false when it has none.
  bool Draw(HDC dc, const std::wstring& path, const RECT& rect);
  void Clear() { cache_.clear(); }

 private:
  struct Entry {
    bool ok = false;
    int width = 0, height = 0;
    std::unique_ptr<unsigned char[]> pixels;  // premultiplied BGRA, top-down
    std::map<std::pair<int, int>, OwnedBitmap> scaled;
  };
  Entry& Find(const std::wstring& path);
  HBITMAP ScaledBitmap(Entry& entry, int width, int height);

  std::unordered_map<std::wstring, Entry> cache_;
};
