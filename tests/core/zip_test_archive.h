#pragma once
// A small ZIP writer for the archive tests: builds archives in memory and remembers
// where each header lies, so a test can damage exactly one field.
#include <zlib.h>

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

namespace ziptest {

struct Entry {
  Entry(std::string n, std::string d, std::uint16_t m = 8, std::uint16_t f = 0, bool desc = false, bool sig = true)
      : name(std::move(n)), data(std::move(d)), method(m), flags(f), descriptor(desc), descriptorSignature(sig) {}
  std::string name;
  std::string data;
  std::uint16_t method = 8;         // 8 deflated, 0 stored (other values are written as stored bytes)
  std::uint16_t flags = 0;
  bool descriptor = false;          // sizes and CRC after the data (flag 8)
  bool descriptorSignature = true;
  std::string extra;                // extra field, the same in both headers
};

struct Archive {
  std::vector<std::uint8_t> bytes;
  std::vector<std::size_t> local;    // offset of each local header
  std::vector<std::size_t> central;  // offset of each central record
  std::size_t end = 0;               // offset of the end record

  void Put16(std::size_t at, std::uint16_t v) {
    bytes.at(at) = static_cast<std::uint8_t>(v);
    bytes.at(at + 1) = static_cast<std::uint8_t>(v >> 8);
  }
  void Put32(std::size_t at, std::uint32_t v) {
    Put16(at, static_cast<std::uint16_t>(v));
    Put16(at + 2, static_cast<std::uint16_t>(v >> 16));
  }
  std::uint32_t Get32(std::size_t at) const {
    return bytes.at(at) | bytes.at(at + 1) << 8 | bytes.at(at + 2) << 16 | static_cast<std::uint32_t>(bytes.at(at + 3)) << 24;
  }
  // Field offsets inside the records.
  static constexpr std::size_t kLocalFlags = 6, kLocalMethod = 8, kLocalCrc = 14, kLocalCompressed = 18,
                               kLocalSize = 22, kLocalName = 30;
  static constexpr std::size_t kCentralFlags = 8, kCentralMethod = 10, kCentralCrc = 16, kCentralCompressed = 20,
                               kCentralSize = 24, kCentralDisk = 34, kCentralOffset = 42, kCentralName = 46;
  static constexpr std::size_t kEndDisk = 4, kEndCountHere = 8, kEndCount = 10, kEndDirSize = 12, kEndDirOffset = 16;
  // Both headers of entry i at once (CRC, sizes, method, flags).
  void PutBoth16(std::size_t i, std::size_t localField, std::size_t centralField, std::uint16_t v) {
    Put16(local.at(i) + localField, v);
    Put16(central.at(i) + centralField, v);
  }
  void PutBoth32(std::size_t i, std::size_t localField, std::size_t centralField, std::uint32_t v) {
    Put32(local.at(i) + localField, v);
    Put32(central.at(i) + centralField, v);
  }
  std::size_t DataOffset(std::size_t i) const {
    const std::size_t at = local.at(i);
    return at + 30 + (bytes.at(at + 26) | bytes.at(at + 27) << 8) + (bytes.at(at + 28) | bytes.at(at + 29) << 8);
  }
};

inline std::string RawDeflate(const std::string& data, int level = 6) {
  z_stream z{};
  deflateInit2(&z, level, Z_DEFLATED, -MAX_WBITS, 8, Z_DEFAULT_STRATEGY);
  std::string out(deflateBound(&z, static_cast<uLong>(data.size())) + 16, '\0');
  z.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(data.data()));
  z.avail_in = static_cast<uInt>(data.size());
  z.next_out = reinterpret_cast<Bytef*>(out.data());
  z.avail_out = static_cast<uInt>(out.size());
  deflate(&z, Z_FINISH);
  out.resize(z.total_out);
  deflateEnd(&z);
  return out;
}

inline std::uint32_t Crc(const std::string& data) {
  return static_cast<std::uint32_t>(crc32(0, reinterpret_cast<const Bytef*>(data.data()), static_cast<uInt>(data.size())));
}

inline Archive MakeZip(const std::vector<Entry>& entries) {
  Archive a;
  auto u16 = [&](std::uint16_t v) {
    a.bytes.push_back(static_cast<std::uint8_t>(v));
    a.bytes.push_back(static_cast<std::uint8_t>(v >> 8));
  };
  auto u32 = [&](std::uint32_t v) {
    u16(static_cast<std::uint16_t>(v));
    u16(static_cast<std::uint16_t>(v >> 16));
  };
  auto text = [&](const std::string& s) { a.bytes.insert(a.bytes.end(), s.begin(), s.end()); };
  struct Written { std::uint32_t crc, compressed, size; std::uint16_t flags; };
  std::vector<Written> written;
  for (const Entry& e : entries) {
    const std::string stored = e.method == 8 ? RawDeflate(e.data) : e.data;
    const Written w{Crc(e.data), static_cast<std::uint32_t>(stored.size()), static_cast<std::uint32_t>(e.data.size()),
                    static_cast<std::uint16_t>(e.flags | (e.descriptor ? 8 : 0))};
    written.push_back(w);
    a.local.push_back(a.bytes.size());
    u32(0x04034b50); u16(20); u16(w.flags); u16(e.method); u16(0); u16(0x21);
    u32(e.descriptor ? 0 : w.crc); u32(e.descriptor ? 0 : w.compressed); u32(e.descriptor ? 0 : w.size);
    u16(static_cast<std::uint16_t>(e.name.size())); u16(static_cast<std::uint16_t>(e.extra.size()));
    text(e.name); text(e.extra); text(stored);
    if (e.descriptor) {
      if (e.descriptorSignature) u32(0x08074b50);
      u32(w.crc); u32(w.compressed); u32(w.size);
    }
  }
  const std::size_t dirStart = a.bytes.size();
  for (std::size_t i = 0; i < entries.size(); ++i) {
    const Entry& e = entries[i];
    const Written& w = written[i];
    a.central.push_back(a.bytes.size());
    u32(0x02014b50); u16(0x031E); u16(20); u16(w.flags); u16(e.method); u16(0); u16(0x21);
    u32(w.crc); u32(w.compressed); u32(w.size);
    u16(static_cast<std::uint16_t>(e.name.size())); u16(static_cast<std::uint16_t>(e.extra.size())); u16(0);
    u16(0); u16(0); u32(0); u32(static_cast<std::uint32_t>(a.local[i]));
    text(e.name); text(e.extra);
  }
  a.end = a.bytes.size();
  u32(0x06054b50); u16(0); u16(0);
  u16(static_cast<std::uint16_t>(entries.size())); u16(static_cast<std::uint16_t>(entries.size()));
  u32(static_cast<std::uint32_t>(a.end - dirStart)); u32(static_cast<std::uint32_t>(dirStart)); u16(0);
  return a;
}

// Bytes that deflate well (a table of records) and bytes that do not (a binary).
inline std::string TableBytes(std::size_t size) {
  std::string s;
  s.reserve(size + 64);
  for (unsigned i = 0; s.size() < size; ++i) s += "FIRMA " + std::to_string(i % 977) + ";OPERATOR;" + std::to_string(i * 7919u % 100000) + "\r\n";
  s.resize(size);
  return s;
}
inline std::string RandomBytes(std::size_t size, std::uint32_t seed = 12345) {
  std::string s(size, '\0');
  for (auto& c : s) {
    seed = seed * 1664525u + 1013904223u;
    c = static_cast<char>(seed >> 24);
  }
  return s;
}

}  // namespace ziptest
