#pragma once
// The one owner of kernel handles (files, processes, threads): closed when the owner
// ends. Search handles of FindFirstFile are not kernel handles and are not kept here.
#include <windows.h>

#include <utility>

class KernelHandle {
 public:
  KernelHandle() = default;
  // Takes over the handle; null and INVALID_HANDLE_VALUE both mean none, as the platform's
  // calls return one or the other on failure.
  explicit KernelHandle(HANDLE handle) : handle_(handle) {}
  ~KernelHandle() { Close(); }
  KernelHandle(const KernelHandle&) = delete;
  KernelHandle& operator=(const KernelHandle&) = delete;
  KernelHandle(KernelHandle&& other) noexcept : handle_(other.Release()) {}
  KernelHandle& operator=(KernelHandle&& other) noexcept {
    if (this != &other) {
      Close();
      handle_ = other.Release();
    }
    return *this;
  }

  HANDLE Get() const { return handle_; }
  bool Valid() const { return handle_ != nullptr && handle_ != INVALID_HANDLE_VALUE; }
  explicit operator bool() const { return Valid(); }
  HANDLE Release() { return std::exchange(handle_, INVALID_HANDLE_VALUE); }

  // Closes now. False when the platform reports a failure: a file whose last write only
  // fails as it is closed (a full or removed disk) counts as not written.
  bool Close() {
    if (!Valid()) return true;
    return CloseHandle(std::exchange(handle_, INVALID_HANDLE_VALUE)) != FALSE;
  }

 private:
  HANDLE handle_ = INVALID_HANDLE_VALUE;
};
