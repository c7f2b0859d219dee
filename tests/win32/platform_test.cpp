// The platform layer: whole-file reads and writes, file tests, the kernel handle owner.
#include <gtest/gtest.h>
#include <windows.h>

#include "platform/Files.h"
#include "platform/KernelHandle.h"
#include "win32_test_support.h"

namespace {
// Opens the file with no sharing: fails while any other handle to it is open.
HANDLE OpenExclusive(const std::wstring& path) {
  return CreateFileW(path.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
}
}  // namespace

TEST(WholeFile, RoundTripKeepsEveryByte) {
  TempFolder dir;
  // Past the read buffer, with NUL bytes and both line ends inside.
  std::string bytes;
  for (int i = 0; i < 200000; ++i) bytes += static_cast<char>(i * 7 % 256);
  const std::wstring path = dir.Path() + L"data.bin";
  ASSERT_TRUE(WriteWholeFile(path, bytes));
  EXPECT_EQ(ReadWholeFile(path), bytes);
  // At most so many bytes: the start of the file, across the buffer's boundary too.
  EXPECT_EQ(ReadWholeFile(path, 70000), bytes.substr(0, 70000));
  EXPECT_EQ(ReadWholeFile(path, 0), "");
  ASSERT_TRUE(WriteWholeFile(path, "short"));  // a shorter file replaces, not overwrites the start
  EXPECT_EQ(ReadWholeFile(path), "short");
  ASSERT_TRUE(WriteWholeFile(path, ""));
  EXPECT_EQ(ReadWholeFile(path), "");
}

TEST(WholeFile, FailuresSayWhy) {
  TempFolder dir;
  SetLastError(0xdeadbeef);
  EXPECT_FALSE(ReadWholeFile(dir.Path() + L"none.txt"));
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_FILE_NOT_FOUND));
  SetLastError(0xdeadbeef);
  EXPECT_FALSE(ReadWholeFile(dir.Path() + L"no folder\\none.txt"));
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_PATH_NOT_FOUND));
  EXPECT_FALSE(WriteWholeFile(dir.Path() + L"no folder\\new.txt", "x"));

  ASSERT_TRUE(CreateDirectoryW((dir.Path() + L"folder").c_str(), nullptr));
  EXPECT_FALSE(WriteWholeFile(dir.Path() + L"folder", "x"));
  EXPECT_FALSE(ReadWholeFile(dir.Path() + L"folder"));

  // A file another program holds open without sharing stays as it was.
  const std::wstring locked = dir.Path() + L"locked.txt";
  ASSERT_TRUE(WriteWholeFile(locked, "kept"));
  {
    KernelHandle holder(OpenExclusive(locked));
    ASSERT_TRUE(holder.Valid());
    EXPECT_FALSE(WriteWholeFile(locked, "lost"));
    EXPECT_FALSE(ReadWholeFile(locked));
  }
  EXPECT_EQ(ReadWholeFile(locked), "kept");
}

TEST(FileTests, AFolderIsNoFile) {
  TempFolder dir;
  ASSERT_TRUE(CreateDirectoryW((dir.Path() + L"sub").c_str(), nullptr));
  ASSERT_TRUE(WriteWholeFile(dir.Path() + L"file.txt", "x"));
  EXPECT_FALSE(FileExists(dir.Path() + L"sub"));
  EXPECT_TRUE(FileExists(dir.Path() + L"FILE.TXT"));  // names without regard to case
  EXPECT_FALSE(FileExists(dir.Path() + L"missing.txt"));
}

TEST(KernelHandleOwner, ClosesOnceAndHandsOver) {
  TempFolder dir;
  const std::wstring path = dir.Path() + L"held.txt";
  ASSERT_TRUE(WriteWholeFile(path, "x"));
  {
    KernelHandle held(OpenExclusive(path));
    ASSERT_TRUE(held.Valid());
    EXPECT_EQ(OpenExclusive(path), INVALID_HANDLE_VALUE);  // still held
    KernelHandle moved(std::move(held));
    EXPECT_FALSE(held.Valid());
    EXPECT_TRUE(moved.Valid());
    EXPECT_TRUE(moved.Close());
    EXPECT_FALSE(moved.Valid());
    EXPECT_TRUE(moved.Close());  // a second close does nothing
  }
  KernelHandle again(OpenExclusive(path));
  EXPECT_TRUE(again.Valid());  // every handle above was closed
  HANDLE raw = again.Release();
  EXPECT_FALSE(again.Valid());
  EXPECT_TRUE(CloseHandle(raw));  // the owner let go of it

  EXPECT_FALSE(KernelHandle(nullptr).Valid());
  EXPECT_FALSE(KernelHandle(INVALID_HANDLE_VALUE).Valid());
}
