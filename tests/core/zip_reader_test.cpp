// The archive reader on archives built in the test: what it unpacks, what it refuses
// and why, and that it streams through bounded buffers.
#include "core/zip_reader.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <set>

#include "tests/core/zip_test_archive.h"

using namespace corvan;
using ziptest::Archive;
using ziptest::MakeZip;

namespace {

struct StringSink : ZipEntrySink {
  std::string bytes;
  std::size_t largestWrite = 0;
  bool fail = false;
  bool Write(const std::uint8_t* data, std::size_t size) override {
    if (fail) return false;
    largestWrite = std::max(largestWrite, size);
    bytes.append(reinterpret_cast<const char*>(data), size);
    return true;
  }
};

// A memory source that remembers the largest single read.
struct CountingSource : ZipMemorySource {
  using ZipMemorySource::ZipMemorySource;
  std::size_t largestRead = 0;
  bool ReadAt(std::uint64_t offset, std::uint8_t* buffer, std::size_t size) override {
    largestRead = std::max(largestRead, size);
    return ZipMemorySource::ReadAt(offset, buffer, size);
  }
};

ZipFault OpenFault(const std::vector<std::uint8_t>& bytes) {
  ZipMemorySource source(bytes);
  ZipReader reader;
  return reader.Open(source).fault;
}

// Opens, then unpacks every entry; the first failure's fault.
ZipFault UnpackFault(const std::vector<std::uint8_t>& bytes) {
  ZipMemorySource source(bytes);
  ZipReader reader;
  if (ZipFailure f = reader.Open(source)) return f.fault;
  for (std::size_t i = 0; i < reader.Count(); ++i) {
    StringSink sink;
    if (ZipFailure f = reader.Unpack(i, sink)) return f.fault;
  }
  return ZipFault::None;
}

}  // namespace

TEST(ZipReader, UnpacksEveryKindOfEntryByteForByte) {
  // Sizes around the reader's 1 MiB output buffer matter: an entry that ends exactly
  // on the buffer's edge, and ones that need several refills of input and output.
  const std::vector<ziptest::Entry> entries = {
      {"EMPTY.TXT", "", 0},
      {"EMPTYDEF.TXT", "", 8},
      {"README.TXT", "Bine ati venit in Corvan.\r\n", 8},
      {"DATA/", "", 0},
      {"DATA/FIRME.DB", ziptest::TableBytes(3 * 1024 * 1024 + 17), 8},
      {"DATA/EDGE.DB", ziptest::TableBytes(1024 * 1024), 8},
      {"CORVAN.EXE", ziptest::RandomBytes(1536 * 1024 + 3), 0},
      {"PAYDESK.EXE", ziptest::RandomBytes(700 * 1024, 7), 8},
      {"NEW/FIRMA/logo.bmp", ziptest::TableBytes(5000), 8, 0, true, true},
      {"NEW/LUNA/A.DB", ziptest::TableBytes(300), 8, 0, true, false},
      {"NEW/LUNA/B.DB", "stored after a descriptor", 0, 0, true, true},
  };
  const Archive zip = MakeZip(entries);
  CountingSource source(zip.bytes);
  ZipReader reader;
  ASSERT_FALSE(reader.Open(source));
  ASSERT_EQ(reader.Count(), entries.size());
  for (std::size_t i = 0; i < entries.size(); ++i) {
    SCOPED_TRACE(entries[i].name);
    const ZipEntry& entry = reader.Entry(i);
    EXPECT_EQ(entry.size, entries[i].data.size());
    EXPECT_EQ(entry.folder, entries[i].name.back() == '/');
    std::vector<std::uint64_t> positions;
    StringSink sink;
    ASSERT_FALSE(reader.Unpack(i, sink, [&](std::uint64_t n) { positions.push_back(n); return true; }));
    EXPECT_TRUE(sink.bytes == entries[i].data);
    // Rising positions, the full size reported exactly once and last.
    ASSERT_FALSE(positions.empty());
    EXPECT_TRUE(std::is_sorted(positions.begin(), positions.end()));
    EXPECT_EQ(positions.back(), entries[i].data.size());
    EXPECT_EQ(std::count(positions.begin(), positions.end(), entries[i].data.size()), 1);
    EXPECT_LE(sink.largestWrite, 1024u * 1024u);
  }
  EXPECT_EQ(reader.Entry(4).path, L"DATA\\FIRME.DB");
  EXPECT_EQ(reader.Entry(3).path, L"DATA");
  // Fixed buffers: no read is larger than the output buffer (stored data goes straight
  // into it), whatever the entry's size.
  EXPECT_LE(source.largestRead, 1024u * 1024u);
}

TEST(ZipReader, RefusesDamagedArchivesWithANamedFault) {
  const std::vector<ziptest::Entry> entries = {
      {"A.TXT", ziptest::TableBytes(4000), 8},
      {"B.BIN", ziptest::RandomBytes(3000), 0},
  };
  struct Case {
    const char* what;
    void (*damage)(Archive&);
    ZipFault expected;
  };
  const Case cases[] = {
      {"cut in the middle", [](Archive& a) { a.bytes.resize(a.bytes.size() / 2); }, ZipFault::Truncated},
      {"last byte missing", [](Archive& a) { a.bytes.pop_back(); }, ZipFault::Truncated},
      {"end record comment longer than the file",
       [](Archive& a) { a.Put16(a.end + 20, 40); }, ZipFault::Truncated},
      {"bytes after the end record", [](Archive& a) { a.bytes.push_back('x'); }, ZipFault::Damaged},
      {"not a ZIP file", [](Archive& a) { a.bytes.assign(100, 'x'); }, ZipFault::NotAnArchive},
      {"empty file", [](Archive& a) { a.bytes.clear(); }, ZipFault::NotAnArchive},
      {"CRC differs from the data", [](Archive& a) { a.PutBoth32(0, Archive::kLocalCrc, Archive::kCentralCrc, 0x1234); },
       ZipFault::CrcMismatch},
      {"stored byte flipped", [](Archive& a) { a.bytes[a.DataOffset(1) + 10] ^= 0x40; }, ZipFault::CrcMismatch},
      {"size one larger", [](Archive& a) { a.PutBoth32(0, Archive::kLocalSize, Archive::kCentralSize, 4001); },
       ZipFault::SizeMismatch},
      {"size one smaller", [](Archive& a) { a.PutBoth32(0, Archive::kLocalSize, Archive::kCentralSize, 3999); },
       ZipFault::SizeMismatch},
      {"stored sizes disagree", [](Archive& a) { a.PutBoth32(1, Archive::kLocalSize, Archive::kCentralSize, 2999); },
       ZipFault::Damaged},
      {"compressed stream cut short",
       [](Archive& a) {
         const std::uint32_t c = a.Get32(a.central[0] + Archive::kCentralCompressed);
         a.PutBoth32(0, Archive::kLocalCompressed, Archive::kCentralCompressed, c - 5);
       },
       ZipFault::Damaged},
      {"not a deflate stream", [](Archive& a) { a.bytes[a.DataOffset(0)] = 0xFF; }, ZipFault::Damaged},
      {"local method differs", [](Archive& a) { a.Put16(a.local[0] + Archive::kLocalMethod, 0); }, ZipFault::Damaged},
      {"local name differs", [](Archive& a) { a.bytes[a.local[0] + Archive::kLocalName] = 'Z'; }, ZipFault::Damaged},
      {"local CRC differs", [](Archive& a) { a.Put32(a.local[1] + Archive::kLocalCrc, 7); }, ZipFault::Damaged},
      {"local header offset past the data",
       [](Archive& a) { a.Put32(a.central[1] + Archive::kCentralOffset, static_cast<std::uint32_t>(a.end)); },
       ZipFault::Damaged},
      {"two entries share their bytes",
       [](Archive& a) { a.Put32(a.central[1] + Archive::kCentralOffset, 0); }, ZipFault::Damaged},
      {"directory offset wrong", [](Archive& a) { a.Put32(a.end + Archive::kEndDirOffset, 3); }, ZipFault::Damaged},
      {"entry count larger", [](Archive& a) { a.Put16(a.end + Archive::kEndCount, 3); a.Put16(a.end + Archive::kEndCountHere, 3); },
       ZipFault::Damaged},
      {"second disk of a set", [](Archive& a) { a.Put16(a.end + Archive::kEndDisk, 1); }, ZipFault::MultiDisk},
      {"directory on another disk", [](Archive& a) { a.Put16(a.end + Archive::kEndDisk + 2, 2); }, ZipFault::MultiDisk},
      {"entry starting on another disk", [](Archive& a) { a.Put16(a.central[1] + Archive::kCentralDisk, 1); },
       ZipFault::MultiDisk},
      {"bzip2", [](Archive& a) { a.PutBoth16(0, Archive::kLocalMethod, Archive::kCentralMethod, 12); },
       ZipFault::UnsupportedMethod},
      {"encrypted", [](Archive& a) { a.PutBoth16(1, Archive::kLocalFlags, Archive::kCentralFlags, 1); },
       ZipFault::Encrypted},
      {"AES", [](Archive& a) { a.PutBoth16(0, Archive::kLocalMethod, Archive::kCentralMethod, 99); },
       ZipFault::Encrypted},
      {"ZIP64 sizes", [](Archive& a) { a.PutBoth32(0, Archive::kLocalSize, Archive::kCentralSize, 0xFFFFFFFF); },
       ZipFault::Zip64},
      {"ZIP64 entry count", [](Archive& a) { a.Put16(a.end + Archive::kEndCount, 0xFFFF); a.Put16(a.end + Archive::kEndCountHere, 0xFFFF); },
       ZipFault::Zip64},
      {"ZIP64 locator pointing at no ZIP64 record",
       [](Archive& a) {
         const std::vector<std::uint8_t> locator = {0x50, 0x4b, 0x06, 0x07, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 1, 0, 0, 0};
         a.bytes.insert(a.bytes.begin() + static_cast<std::ptrdiff_t>(a.end), locator.begin(), locator.end());
       },
       ZipFault::Damaged},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    Archive zip = MakeZip(entries);
    ASSERT_EQ(UnpackFault(zip.bytes), ZipFault::None);
    c.damage(zip);
    EXPECT_EQ(UnpackFault(zip.bytes), c.expected);
  }
}

TEST(ZipReader, ChecksDataDescriptorsAgainstTheDirectory) {
  ziptest::Entry entry{"LOG.TXT", ziptest::TableBytes(2000), 8, 0, true, true};
  Archive zip = MakeZip({entry, {"NEXT.TXT", "x", 0}});
  ASSERT_EQ(UnpackFault(zip.bytes), ZipFault::None);
  const std::size_t descriptor = zip.DataOffset(0) + zip.Get32(zip.central[0] + Archive::kCentralCompressed);
  zip.Put32(descriptor + 8, 1999 + 1000);  // its compressed size no longer matches
  EXPECT_EQ(OpenFault(zip.bytes), ZipFault::Damaged);
}

TEST(ZipReader, StopsAtTheStatedSizeWhateverTheStreamHolds) {
  // 16 MiB of zeros deflate to about 16 KiB; the headers claim 1000 bytes.
  Archive zip = MakeZip({{"BOMB.DB", std::string(16u << 20, '\0'), 8}});
  zip.PutBoth32(0, Archive::kLocalSize, Archive::kCentralSize, 1000);
  ZipMemorySource source(zip.bytes);
  ZipReader reader;
  ASSERT_FALSE(reader.Open(source));
  StringSink sink;
  EXPECT_EQ(reader.Unpack(0, sink).fault, ZipFault::SizeMismatch);
  EXPECT_LE(sink.bytes.size(), 1000u);
}

TEST(ZipReader, ReportsWriteFailuresAndCancellationForTheEntry) {
  const Archive zip = MakeZip({{"DATA/BIG.DB", ziptest::TableBytes(3u << 20), 8}});
  ZipMemorySource source(zip.bytes);
  ZipReader reader;
  ASSERT_FALSE(reader.Open(source));

  StringSink failing;
  failing.fail = true;
  const ZipFailure write = reader.Unpack(0, failing);
  EXPECT_EQ(write.fault, ZipFault::WriteError);
  EXPECT_EQ(write.entry, L"DATA/BIG.DB");

  StringSink sink;
  int calls = 0;
  const ZipFailure cancel = reader.Unpack(0, sink, [&](std::uint64_t) { return ++calls < 2; });
  EXPECT_EQ(cancel.fault, ZipFault::Cancelled);
  EXPECT_EQ(calls, 2);

  // The reader is still usable after a failed entry.
  StringSink again;
  EXPECT_FALSE(reader.Unpack(0, again));
  EXPECT_EQ(again.bytes.size(), 3u << 20);
}

TEST(ZipReader, RefusesTheWholeArchiveForOneBadNameAndSaysWhy) {
  struct Case {
    const char* name;
    ZipFault fault;
    NameProblem problem;
  };
  constexpr auto kOut = ZipFault::UnsafeName;
  constexpr auto kInvalid = ZipFault::InvalidName;
  const Case cases[] = {
      {"../EVIL.EXE", kOut, NameProblem::None},
      {"DATA/../../EVIL.EXE", kOut, NameProblem::None},
      {"/etc/passwd", kOut, NameProblem::None},
      {"\\WINDOWS\\EVIL.DLL", kOut, NameProblem::None},
      {"C:/EVIL.EXE", kOut, NameProblem::None},
      {"c:EVIL.EXE", kOut, NameProblem::None},
      {"\\\\server\\share\\EVIL.EXE", kOut, NameProblem::None},
      {"//server/share/EVIL.EXE", kOut, NameProblem::None},
      {"DATA\\..\\..\\EVIL.EXE", kOut, NameProblem::None},
      {"DATA/..", kOut, NameProblem::None},
      {"a\x01b/../../x", kOut, NameProblem::None},  // a way out is named first, whatever else is wrong
      {"CORVAN.EXE:stream", kInvalid, NameProblem::ReservedCharacter},
      {"CON", kInvalid, NameProblem::DeviceName},
      {"DATA/aux.txt", kInvalid, NameProblem::DeviceName},
      {"./CORVAN.EXE", kInvalid, NameProblem::BadComponent},
      {"DATA//FIRME.DB", kInvalid, NameProblem::BadComponent},
      {"EVIL. ", kInvalid, NameProblem::BadComponent},
      {"FIRME\x01.DB", kInvalid, NameProblem::ControlCharacter},
      {"DATA/line\nbreak.txt", kInvalid, NameProblem::ControlCharacter},
      {"what?.txt", kInvalid, NameProblem::ReservedCharacter},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const Archive zip = MakeZip({{"GOOD.TXT", "good", 0}, {c.name, "evil", 0}});
    ZipMemorySource source(zip.bytes);
    ZipReader reader;
    const ZipFailure failure = reader.Open(source);
    EXPECT_EQ(failure.fault, c.fault);
    EXPECT_EQ(failure.problem, c.problem);
    EXPECT_EQ(failure.entry, std::wstring(c.name, c.name + strlen(c.name)));
    EXPECT_EQ(reader.Count(), 0u);  // not even the good entry is offered
  }
  // The character is named: a stream's colon is not a way out of the folder.
  const Archive stream = MakeZip({{"CORVAN.EXE:stream", "x", 0}});
  ZipMemorySource source(stream.bytes);
  ZipReader reader;
  const ZipFailure failure = reader.Open(source);
  EXPECT_EQ(failure.character, L':');
  EXPECT_EQ(ZipFailureMessage(failure, L"EXE.ZIP"),
            L"Arhiva EXE.ZIP contine fisierul CORVAN.EXE:stream, al carui nume contine caracterul :, pe care Windows nu "
            L"il permite in nume; nu dezarhivez nimic din ea.");
}

TEST(ZipReader, RefusesTwoEntriesWindowsWouldWriteToOneFile) {
  struct Case {
    const char* what;
    std::vector<const char*> names;
    ZipFault fault;
    const wchar_t* other;  // the earlier entry named in the failure
    const wchar_t* entry;
  };
  const Case cases[] = {
      {"the same name twice", {"a.txt", "b.txt", "a.txt"}, ZipFault::DuplicateName, L"a.txt", L"a.txt"},
      {"letter case differs", {"a.txt", "A.TXT"}, ZipFault::DuplicateName, L"a.txt", L"A.TXT"},
      {"separators differ", {"DATA/FIRME.DB", "DATA\\FIRME.DB"}, ZipFault::DuplicateName, L"DATA/FIRME.DB",
       L"DATA\\FIRME.DB"},
      {"case of a folder differs", {"Data/x.db", "DATA/X.DB"}, ZipFault::DuplicateName, L"Data/x.db", L"DATA/X.DB"},
      {"Romanian letters in both cases", {"\xC8\x99" "coala.txt", "\xC8\x98" "COALA.TXT"}, ZipFault::DuplicateName,
       L"\u0219coala.txt", L"\u0218COALA.TXT"},
      {"a folder entry twice", {"DATA/", "data/"}, ZipFault::DuplicateName, L"DATA/", L"data/"},
      {"a file, then a folder of its name", {"DATA", "DATA/FIRME.DB"}, ZipFault::FileFolderClash, L"DATA",
       L"DATA/FIRME.DB"},
      {"a folder, then a file of its name", {"data/FIRME.DB", "DATA"}, ZipFault::FileFolderClash, L"data/FIRME.DB",
       L"DATA"},
      {"a folder entry, then a file", {"DATA/", "Data"}, ZipFault::FileFolderClash, L"DATA/", L"Data"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    std::vector<ziptest::Entry> entries;
    for (const char* name : c.names) entries.push_back({name, std::string(name).back() == '/' ? "" : "x", 0, 0x0800});
    const Archive zip = MakeZip(entries);
    ZipMemorySource source(zip.bytes);
    ZipReader reader;
    const ZipFailure failure = reader.Open(source);
    EXPECT_EQ(failure.fault, c.fault);
    EXPECT_EQ(failure.other, c.other);
    EXPECT_EQ(failure.entry, c.entry);
    EXPECT_EQ(reader.Count(), 0u);
  }
  // What Windows keeps apart stays apart: the dotless i is not I, nor are a folder's
  // files one another, nor a name and the same name with more after it.
  const Archive distinct = MakeZip({{"DATA/", "", 0},
                                    {"DATA/FIRME.DB", "x", 0},
                                    {"data/OPERATOR.DB", "y", 0},
                                    {"FIRME.DB", "z", 0},
                                    {"FIRME.DB2", "w", 0},
                                    {"\xC4\xB1.txt", "dotless", 0, 0x0800},
                                    {"I.TXT", "capital", 0}});
  ZipMemorySource source(distinct.bytes);
  ZipReader reader;
  EXPECT_FALSE(reader.Open(source));
  EXPECT_EQ(reader.Count(), 7u);
}

TEST(ZipReader, RefusesPathsPastTheLimitsOfWindowsBeforeAnythingIsWritten) {
  const std::string a150(150, 'A'), b150(150, 'B');
  std::string deep;
  for (int i = 0; i < 32767; ++i) deep += "d/";
  struct Case {
    const char* what;
    std::string name;
    ZipFault fault;
  };
  const Case cases[] = {
      {"two long folders", a150 + "/" + b150 + "/x.txt", ZipFault::PathTooLong},
      {"32767 nested folders", deep + "f", ZipFault::PathTooLong},
      {"one name of 33000 characters", std::string(33000, 'n'), ZipFault::PathTooLong},
      // Under C:\ a file may have 256 characters, a folder 244, a file's folder too.
      {"the longest file under a drive root", std::string(256, 'f'), ZipFault::None},
      {"one character more", std::string(257, 'f'), ZipFault::PathTooLong},
      {"the longest folder", std::string(244, 'd') + "/", ZipFault::None},
      {"a folder one character longer", std::string(245, 'd') + "/", ZipFault::PathTooLong},
      {"a file in a folder one character too long", std::string(245, 'd') + "/f", ZipFault::PathTooLong},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    const Archive zip = MakeZip({{"GOOD.TXT", "good", 0}, {c.name, c.name.back() == '/' ? "" : "x", 0}});
    ZipMemorySource source(zip.bytes);
    ZipReader reader;
    const ZipFailure failure = reader.Open(source);
    EXPECT_EQ(failure.fault, c.fault);
    if (c.fault != ZipFault::None) {
      EXPECT_EQ(failure.entry.size(), c.name.size());
      EXPECT_EQ(reader.Count(), 0u);
    }
  }
}

TEST(ZipReader, ChecksEveryPathAgainstTheDestinationItWillBeWrittenTo) {
  // "C:\Program Files\Corvan": 23 characters. Files may then have 235, folders 223.
  const std::size_t destination = std::wstring(L"C:\\Program Files\\Corvan").size();
  struct Case {
    std::string name;
    bool fits;
  };
  const Case cases[] = {
      {std::string(235, 'f'), true},
      {std::string(236, 'f'), false},
      {std::string(223, 'd') + "/", true},
      {std::string(224, 'd') + "/", false},
      {std::string(223, 'd') + "/" + std::string(11, 'f'), true},  // its temporary name fits beside it
      {std::string(224, 'd') + "/f", false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name.size());
    const Archive zip = MakeZip({{"GOOD.TXT", "good", 0}, {c.name, c.name.back() == '/' ? "" : "x", 0}});
    ZipMemorySource source(zip.bytes);
    ZipReader reader;
    ASSERT_FALSE(reader.Open(source));
    const ZipFailure failure = reader.CheckDestination(destination);
    EXPECT_EQ(failure.fault, c.fits ? ZipFault::None : ZipFault::PathTooLong);
    if (!c.fits) {
      EXPECT_EQ(failure.entry.size(), c.name.size());
    }
  }
}

TEST(ZipReader, DecodesNamesInTheArchivesCodePage) {
  struct Case {
    std::string raw;
    std::uint16_t flags;
    std::string extra;
    std::wstring expected;
  };
  // The Info-ZIP Unicode path field: version 1, CRC-32 of the stored name, UTF-8 name.
  auto unicodePath = [](const std::string& stored, const std::string& utf8, std::uint32_t crcDelta = 0) {
    const std::uint32_t crc = ziptest::Crc(stored) + crcDelta;
    std::string body = "\x01" + std::string{static_cast<char>(crc), static_cast<char>(crc >> 8),
                                             static_cast<char>(crc >> 16), static_cast<char>(crc >> 24)} + utf8;
    return std::string{"\x75\x70"} + static_cast<char>(body.size()) + '\0' + body;
  };
  const Case cases[] = {
      {"FIRME.DB", 0, "", L"FIRME.DB"},
      {"\x80" "ARTI\x81" ".TXT", 0, "", L"\u00C7ARTI\u00FC.TXT"},             // code page 437
      {"\xE1" "\xF8", 0, "", L"\u00DF\u00B0"},
      {"\xC8\x98" "coala.txt", 0x0800, "", L"\u0218coala.txt"},                // UTF-8 flag
      {"Sc?ala.txt", 0, unicodePath("Sc?ala.txt", "\xC8\x98" "coala.txt"), L"\u0218coala.txt"},
      {"Scoala.txt", 0, unicodePath("Scoala.txt", "Other.txt", 1), L"Scoala.txt"},  // stale field ignored
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.raw);
    ziptest::Entry entry{c.raw, "x", 0, c.flags};
    entry.extra = c.extra;
    const Archive zip = MakeZip({entry});
    ZipMemorySource source(zip.bytes);
    ZipReader reader;
    ASSERT_FALSE(reader.Open(source));
    EXPECT_EQ(reader.Entry(0).name, c.expected);
  }
  // A character outside the basic plane becomes a surrogate pair on Windows.
  {
    const Archive zip = MakeZip({{"\xF0\x9F\x98\x80.txt", "x", 0, 0x0800}});
    ZipMemorySource source(zip.bytes);
    ZipReader reader;
    ASSERT_FALSE(reader.Open(source));
    const std::wstring& name = reader.Entry(0).name;
    if constexpr (sizeof(wchar_t) == 2)
      EXPECT_EQ(name, std::wstring({wchar_t(0xD83D), wchar_t(0xDE00)}) + L".txt");
    else
      EXPECT_EQ(name, std::wstring({wchar_t(0x1F600)}) + L".txt");
  }
  // Bytes that are not UTF-8 under the UTF-8 flag cannot name a file.
  for (const char* bad : {"\xC0\xAF" "etc", "\xED\xA0\x80", "ab\xE2\x82", "\xFF"}) {
    SCOPED_TRACE(bad);
    const Archive zip = MakeZip({{bad, "x", 0, 0x0800}});
    ZipMemorySource source(zip.bytes);
    ZipReader reader;
    const ZipFailure failure = reader.Open(source);
    EXPECT_EQ(failure.fault, ZipFault::InvalidName);
    EXPECT_EQ(failure.problem, NameProblem::NotText);
  }
}

ZipFailure Failure(ZipFault fault, std::wstring entry = {}, std::uint16_t method = 0) {
  ZipFailure f;
  f.fault = fault;
  f.entry = std::move(entry);
  f.method = method;
  return f;
}

TEST(ZipReader, EveryFailureSaysWhichArchiveAndWhichEntry) {
  const std::wstring archive = L"C:\\Corvan\\EXE.ZIP";
  EXPECT_EQ(ZipFailureMessage(Failure(ZipFault::CrcMismatch, L"CORVAN.EXE"), archive),
            L"Arhiva C:\\Corvan\\EXE.ZIP este deteriorata: fisierul CORVAN.EXE nu corespunde (CRC).");
  EXPECT_EQ(ZipFailureMessage(Failure(ZipFault::UnsupportedMethod, L"A.DB", 14), archive),
            L"Arhiva C:\\Corvan\\EXE.ZIP foloseste pentru fisierul A.DB o metoda de compresie necunoscuta (14).");
  EXPECT_EQ(ZipFailureMessage(Failure(ZipFault::NotAnArchive), archive), L"Fisierul C:\\Corvan\\EXE.ZIP nu este o arhiva ZIP.");
  EXPECT_EQ(ZipFailureMessage(Failure(ZipFault::UnsafeName, L"..\x01/x"), archive),
            L"Arhiva C:\\Corvan\\EXE.ZIP contine fisierul ..?/x, al carui nume iese din folderul de destinatie; "
            L"nu dezarhivez nimic din ea.");
  // The new refusals, each with its own reason.
  ZipFailure twice = Failure(ZipFault::DuplicateName, L"A.TXT");
  twice.other = L"a.txt";
  EXPECT_EQ(ZipFailureMessage(twice, archive),
            L"Arhiva C:\\Corvan\\EXE.ZIP contine fisierele a.txt si A.TXT, pe care Windows le scrie in acelasi fisier "
            L"(nu deosebeste literele mari de cele mici); nu dezarhivez nimic din ea.");
  twice.other = L"A.TXT";
  EXPECT_EQ(ZipFailureMessage(twice, archive),
            L"Arhiva C:\\Corvan\\EXE.ZIP contine de doua ori fisierul A.TXT; nu dezarhivez nimic din ea.");
  ZipFailure control = Failure(ZipFault::InvalidName, L"a\tb");
  control.problem = NameProblem::ControlCharacter;
  EXPECT_EQ(ZipFailureMessage(control, archive),
            L"Arhiva C:\\Corvan\\EXE.ZIP contine fisierul a?b, al carui nume contine caractere de control; "
            L"nu dezarhivez nimic din ea.");
  EXPECT_EQ(ZipFailureMessage(Failure(ZipFault::MultiDisk), archive),
            L"Arhiva C:\\Corvan\\EXE.ZIP este un volum al unei arhive ZIP impartite pe mai multe discuri, pe care nu o "
            L"pot citi.");
  // A name of thousands of characters is cut in its middle; its length is still told.
  const std::wstring longName = std::wstring(150, L'A') + L"/" + std::wstring(150, L'B') + L"/x.txt";
  const std::wstring tooLong = ZipFailureMessage(Failure(ZipFault::PathTooLong, longName), archive);
  EXPECT_EQ(tooLong, L"Arhiva C:\\Corvan\\EXE.ZIP contine fisierul " + std::wstring(60, L'A') + L"..." +
                         std::wstring(24, L'B') + L"/x.txt (307 de caractere), a carui cale in folderul de destinatie "
                         L"ar depasi lungimea permisa de Windows (259 de caractere pentru un fisier, 247 pentru un "
                         L"folder); nu dezarhivez nimic din ea.");
  std::set<std::wstring> distinct;
  for (int f = static_cast<int>(ZipFault::ReadError); f <= static_cast<int>(ZipFault::Cancelled); ++f) {
    SCOPED_TRACE(f);
    const std::wstring text = ZipFailureMessage(Failure(static_cast<ZipFault>(f), L"DATA/FIRME.DB"), archive);
    EXPECT_NE(text.find(archive), std::wstring::npos);
    if (f != static_cast<int>(ZipFault::NotAnArchive)) {
      EXPECT_NE(text.find(L"DATA/FIRME.DB"), std::wstring::npos);
    }
    distinct.insert(text);
  }
  EXPECT_EQ(distinct.size(), static_cast<std::size_t>(ZipFault::Cancelled));
  EXPECT_EQ(ZipFailureMessage({}, archive), L"");
}

TEST(ZipReader, BytesThatLookLikeAZip64LocatorInsideTheDirectoryAreData) {
  // The last directory record ends with an extra field shaped like a ZIP64 locator,
  // right where a locator would stand before the end record.
  ziptest::Entry entry("A.TXT", "abc", 0);
  entry.extra = std::string("PK\x06\x07\0\0\0\0\0\0\0\0\0\0\0\0\x01\0\0\0", 20);
  const Archive zip = MakeZip({entry});
  EXPECT_EQ(UnpackFault(zip.bytes), ZipFault::None);
}
