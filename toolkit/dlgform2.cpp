#include "toolkit/dlgform2.h"

#include <wincodec.h>

#include <vector>

TMesaj* Mesaj = nullptr;

namespace {

constexpr const wchar_t* kPictureNames[] = {
    L"OK", L"Help", L"Nu", L"Surub", L"Interzis", L"Permis", L"Analitic", L"Linii", L"SpeedFace",
    L"LookupFace", L"Check", L"Radio", L"IconFace", L"HatchB", L"Precedent", L"Urmator", L"Plus",
    L"crescator", L"descrescator", L"GrupX", L"Grup0", L"ToolbVert", L"ToolbOriz", L"EscapeImg", L"SCLogo",
    L"Pag", L"PlusAdd", L"MinusDel", L"Mail", L"Corvan", L"ImageListe", L"ImageDate", L"SaveAs", L"Buget",
    L"All", L"PalmaDeMajorca", L"ButtonFace2", L"ButtonFaceCVX", L"ButtonFaceCVX120", L"Hartie", L"Mijloc",
    L"Find", L"FindNext", L"MainTitleBarSliceE", L"SiglaCorvan2Img", L"SiglaCorvanImg", L"MainExitImg",
    L"PlusBlue", L"PlusPorto", L"Contract", L"Explicatii", L"PlusPeach", L"PlusSnorkel", L"UrmatorBlue",
    L"BSediu", L"BIntr", L"BIes", L"Sold", L"BBani", L"Stoc", L"Edit", L"Detalii", L"Jurnal", L"Print",
    L"Constante", L"Config", L"Avansat", L"PrnSetup", L"Cancel", L"Exit", L"Save", L"Vizual", L"Retry",
    L"BigExit", L"Add", L"Delete", L"BUnelte", L"Grafic", L"Tab", L"MenuTabCtrlFace120", L"TabCtrlFace",
    L"SagRight", L"SagUp", L"SagDown", L"SagLeft", L"nPrev", L"nNext", L"nLast", L"nFirst", L"FirstPag",
    L"LastPag", L"PrevPag", L"NextPag", L"StopModi", L"Anulat", L"Warning", L"Information", L"Error",
    L"Confirmation", L"SiglaWhiteL", L"SiglaBlackL", L"SiglaWhiteR", L"SiglaBlackR", L"Neoperat",
    // The browse buttons' own picture (two cells: normal, disabled).
    L"FolderBrowse",
};

// Releases a COM interface at the end of its scope.
template <class T>
class ComRef {
 public:
  ComRef() = default;
  ~ComRef() {
    if (p_) p_->Release();
  }
  ComRef(const ComRef&) = delete;
  ComRef& operator=(const ComRef&) = delete;
  T** Out() { return &p_; }
  T* operator->() const { return p_; }
  T* Get() const { return p_; }

 private:
  T* p_ = nullptr;
};

std::wstring NowAsText() {
  wchar_t date[64] = L"", time[64] = L"";
  GetDateFormatW(LOCALE_USER_DEFAULT, DATE_SHORTDATE, nullptr, nullptr, date, 64);
  GetTimeFormatW(LOCALE_USER_DEFAULT, 0, nullptr, nullptr, time, 64);
  return std::wstring(date) + L" " + time;
}

}  // namespace

HBITMAP DecodePng(const void* data, size_t size) {
  ComRef<IWICImagingFactory> factory;
  if (FAILED(CoCreateInstance(CLSID_WICImagingFactory, nullptr, CLSCTX_INPROC_SERVER, IID_IWICImagingFactory,
                              reinterpret_cast<void**>(factory.Out()))))
    return nullptr;
  ComRef<IWICStream> stream;
  ComRef<IWICBitmapDecoder> decoder;
  ComRef<IWICBitmapFrameDecode> frame;
  ComRef<IWICFormatConverter> converter;
  UINT width = 0, height = 0;
  if (FAILED(factory->CreateStream(stream.Out())) ||
      FAILED(stream->InitializeFromMemory(static_cast<BYTE*>(const_cast<void*>(data)), static_cast<DWORD>(size))) ||
      FAILED(factory->CreateDecoderFromStream(stream.Get(), nullptr, WICDecodeMetadataCacheOnDemand, decoder.Out())) ||
      FAILED(decoder->GetFrame(0, frame.Out())) || FAILED(factory->CreateFormatConverter(converter.Out())) ||
      FAILED(converter->Initialize(frame.Get(), GUID_WICPixelFormat32bppBGRA, WICBitmapDitherTypeNone, nullptr, 0.0,
                                   WICBitmapPaletteTypeCustom)) ||
      FAILED(converter->GetSize(&width, &height)) || width == 0 || height == 0 || width > 4096 || height > 4096)
    return nullptr;

  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof(info.bmiHeader);
  info.bmiHeader.biWidth = static_cast<LONG>(width);
  info.bmiHeader.biHeight = -static_cast<LONG>(height);  // top-down, as WIC delivers rows
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  info.bmiHeader.biCompression = BI_RGB;
  void* bits = nullptr;
  HBITMAP bitmap = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
  if (!bitmap) return nullptr;
  const UINT stride = width * 4;
  if (FAILED(converter->CopyPixels(nullptr, stride, stride * height, static_cast<BYTE*>(bits)))) {
    DeleteObject(bitmap);
    return nullptr;
  }
  // The pictures are opaque: the fourth byte stays 0 as in any plain 32-bit bitmap, or
  // colour-keyed copies would not match the key.
  auto* pixel = static_cast<DWORD*>(bits);
  for (UINT i = 0; i < width * height; ++i) pixel[i] &= 0x00FFFFFF;
  return bitmap;
}

HBITMAP DecodePngResource(HMODULE module, const wchar_t* name) {
  HRSRC found = FindResourceW(module, name, L"PNG");
  HGLOBAL loaded = found ? LoadResource(module, found) : nullptr;
  const void* data = loaded ? LockResource(loaded) : nullptr;
  if (!data) return nullptr;
  // WIC needs COM on this thread; leave it as it was found.
  const HRESULT com = CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
  HBITMAP bitmap = DecodePng(data, SizeofResource(module, found));
  if (SUCCEEDED(com)) CoUninitialize();
  return bitmap;
}

TMesaj::TMesaj(HMODULE module) : caption_(NowAsText()) {
  // One COM initialisation for all the pictures instead of one each.
  const HRESULT com = CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
  for (const wchar_t* name : kPictureNames)
    if (HBITMAP bitmap = DecodePngResource(module, name)) pictures_.emplace(name, bitmap);
  if (SUCCEEDED(com)) CoUninitialize();
}

TMesaj::~TMesaj() {
  for (auto& [name, bitmap] : pictures_) DeleteObject(bitmap);
}

HBITMAP TMesaj::Find(std::wstring_view name) const {
  auto it = pictures_.find(name);
  return it == pictures_.end() ? nullptr : it->second;
}

std::span<const wchar_t* const> TMesaj::PictureNames() { return kPictureNames; }

void CreateMesaj() {
  if (!Mesaj) Mesaj = new TMesaj(GetModuleHandleW(nullptr));
}

void FreeMesaj() {
  delete Mesaj;
  Mesaj = nullptr;
}
