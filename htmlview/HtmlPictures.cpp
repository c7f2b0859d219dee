#include "htmlview/HtmlPictures.h"

#include <wincodec.h>

#include <cwctype>

#include "platform/Files.h"

namespace {

template <class T>
class ComPtr {
 public:
  ComPtr() = default;
  ~ComPtr() {
    if (p_) p_->Release();
  }
  ComPtr(const ComPtr&) = delete;
  ComPtr& operator=(const ComPtr&) = delete;
  T** Out() { return &p_; }
  T* operator->() const { return p_; }
  T* Get() const { return p_; }

 private:
  T* p_ = nullptr;
};

// COM for as long as the guard lives, left as it was found.
class ComScope {
 public:
  ComScope() : hr_(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED)) {}
  ~ComScope() {
    if (SUCCEEDED(hr_)) CoUninitialize();
  }
  ComScope(const ComScope&) = delete;
  ComScope& operator=(const ComScope&) = delete;

 private:
  HRESULT hr_;
};

bool CreateFactory(ComPtr<IWICImagingFactory>& factory) {
  return SUCCEEDED(CoCreateInstance(CLSID_WICImagingFactory, nullptr, CLSCTX_INPROC_SERVER, IID_IWICImagingFactory,
                                    reinterpret_cast<void**>(factory.Out())));
}

HBITMAP NewDib(int width, int height, void** bits) {
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof(info.bmiHeader);
  info.bmiHeader.biWidth = width;
  info.bmiHeader.biHeight = -height;
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  info.bmiHeader.biCompression = BI_RGB;
  return CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, bits, nullptr, 0);
}

}  // namespace

THtmlPictures::Entry& THtmlPictures::Find(const std::wstring& path) {
  std::wstring key = path;
  for (wchar_t& c : key) c = static_cast<wchar_t>(std::towupper(c));
  auto [it, added] = cache_.try_emplace(key);
  Entry& entry = it->second;
  if (!added) return entry;
  std::optional<std::string> read = ReadWholeFile(path, 64u << 20);
  if (!read || read->empty()) return entry;
  std::string& bytes = *read;
  ComScope com;
  ComPtr<IWICImagingFactory> factory;
  ComPtr<IWICStream> stream;
  ComPtr<IWICBitmapDecoder> decoder;
  ComPtr<IWICBitmapFrameDecode> frame;
  ComPtr<IWICFormatConverter> converter;
  UINT width = 0, height = 0;
  if (!CreateFactory(factory) || FAILED(factory->CreateStream(stream.Out())) ||
      FAILED(stream->InitializeFromMemory(reinterpret_cast<BYTE*>(bytes.data()), static_cast<DWORD>(bytes.size()))) ||
      FAILED(factory->CreateDecoderFromStream(stream.Get(), nullptr, WICDecodeMetadataCacheOnDemand, decoder.Out())) ||
      FAILED(decoder->GetFrame(0, frame.Out())) || FAILED(frame->GetSize(&width, &height)) || width == 0 ||
      height == 0 || static_cast<long long>(width) * height > kMaxPixels || width > 16384 || height > 16384 ||
      FAILED(factory->CreateFormatConverter(converter.Out())) ||
      FAILED(converter->Initialize(frame.Get(), GUID_WICPixelFormat32bppPBGRA, WICBitmapDitherTypeNone, nullptr, 0.0,
                                   WICBitmapPaletteTypeCustom)))
    return entry;
  const UINT stride = width * 4;
  auto pixels = std::make_unique<unsigned char[]>(static_cast<size_t>(stride) * height);
  if (FAILED(converter->CopyPixels(nullptr, stride, stride * height, pixels.get()))) return entry;
  entry.ok = true;
  entry.width = static_cast<int>(width);
  entry.height = static_cast<int>(height);
  entry.pixels = std::move(pixels);
  return entry;
}

bool THtmlPictures::Size(const std::wstring& path, int& width, int& height) {
  const Entry& entry = Find(path);
  if (!entry.ok) return false;
  width = entry.width;
  height = entry.height;
  return true;
}

HBITMAP THtmlPictures::ScaledBitmap(Entry& entry, int width, int height) {
  auto it = entry.scaled.find({width, height});
  if (it != entry.scaled.end()) return it->second.Get();
  if (entry.scaled.size() > 8) entry.scaled.clear();
  void* bits = nullptr;
  OwnedBitmap bitmap(NewDib(width, height, &bits));
  if (!bitmap) return nullptr;
  const UINT stride = static_cast<UINT>(width) * 4;
  bool done = false;
  if (width == entry.width && height == entry.height) {
    memcpy(bits, entry.pixels.get(), static_cast<size_t>(stride) * height);
    done = true;
  } else {
    ComScope com;
    ComPtr<IWICImagingFactory> factory;
    ComPtr<IWICBitmap> source;
    ComPtr<IWICBitmapScaler> scaler;
    const UINT sourceStride = static_cast<UINT>(entry.width) * 4;
    done = CreateFactory(factory) &&
           SUCCEEDED(factory->CreateBitmapFromMemory(static_cast<UINT>(entry.width), static_cast<UINT>(entry.height),
                                                     GUID_WICPixelFormat32bppPBGRA, sourceStride,
                                                     sourceStride * static_cast<UINT>(entry.height), entry.pixels.get(),
                                                     source.Out())) &&
           SUCCEEDED(factory->CreateBitmapScaler(scaler.Out())) &&
           SUCCEEDED(scaler->Initialize(source.Get(), static_cast<UINT>(width), static_cast<UINT>(height),
                                        WICBitmapInterpolationModeFant)) &&
           SUCCEEDED(scaler->CopyPixels(nullptr, stride, stride * static_cast<UINT>(height), static_cast<BYTE*>(bits)));
  }
  if (!done) return nullptr;
  HBITMAP handle = bitmap.Get();
  entry.scaled.emplace(std::make_pair(width, height), std::move(bitmap));
  return handle;
}

bool THtmlPictures::Draw(HDC dc, const std::wstring& path, const RECT& rect) {
  Entry& entry = Find(path);
  const int width = rect.right - rect.left, height = rect.bottom - rect.top;
  if (!entry.ok || width <= 0 || height <= 0) return entry.ok;
  // Pictures drawn larger than the screen could hold are drawn from the natural size.
  const bool huge = static_cast<long long>(width) * height > kMaxPixels;
  HBITMAP bitmap = huge ? ScaledBitmap(entry, entry.width, entry.height) : ScaledBitmap(entry, width, height);
  if (!bitmap) return false;
  MemoryDC memory(dc);
  SelectGuard select(memory.Get(), bitmap);
  const BLENDFUNCTION blend{AC_SRC_OVER, 0, 255, AC_SRC_ALPHA};
  const int sw = huge ? entry.width : width, sh = huge ? entry.height : height;
  AlphaBlend(dc, rect.left, rect.top, width, height, memory.Get(), 0, 0, sw, sh, blend);
  return true;
}
