#pragma once

// dBASE III tables laid out byte by byte from the published file layout,
// without the library the program reads them with: a fault shared by the
// program's own reader and writer cannot hide in a fixture made here.
//
//   header, 32 bytes: 0x03 (dBASE III, no memo); last update YY MM DD
//     (YY = year - 1900); record count (4 bytes, little-endian); header
//     length (2 bytes: 32 + 32 per field + 1); record length (2 bytes: 1 +
//     the field widths); 20 reserved zero bytes
//   one 32-byte descriptor per field: the name (11 bytes, zero-padded), the
//     type ('C' text, 'N' number, 'D' date, 'L' logical), 4 reserved bytes,
//     the width, the decimals, 14 reserved bytes
//   0x0D ending the descriptors
//   the records: a flag (' ' live, '*' deleted), then every field in its
//     width: text left-aligned and blank-padded, numbers right-aligned, dates
//     as YYYYMMDD, an empty field all blanks
//   0x1A ending the file

#include <cstdint>
#include <string>
#include <vector>

struct DbfColumn {
  std::string name;
  char type = 'C';
  int width = 10;
  int decimals = 0;
};

struct DbfRecord {
  std::vector<std::string> values;  // as the field holds them, blanks aside
  bool deleted = false;
};

inline void PutLittleEndian(std::string& bytes, std::uint32_t value, int count) {
  for (int i = 0; i < count; ++i) bytes += static_cast<char>((value >> (8 * i)) & 0xff);
}

inline std::string DbfBytes(const std::vector<DbfColumn>& columns, const std::vector<DbfRecord>& records) {
  int recordLength = 1;
  for (const DbfColumn& c : columns) recordLength += c.width;
  std::string bytes;
  bytes += '\x03';
  bytes += static_cast<char>(124);  // 2024
  bytes += '\x03';
  bytes += '\x0f';
  PutLittleEndian(bytes, static_cast<std::uint32_t>(records.size()), 4);
  PutLittleEndian(bytes, static_cast<std::uint32_t>(32 + 32 * columns.size() + 1), 2);
  PutLittleEndian(bytes, static_cast<std::uint32_t>(recordLength), 2);
  bytes.append(20, '\0');
  for (const DbfColumn& c : columns) {
    std::string name = c.name.substr(0, 10);
    name.resize(11, '\0');
    bytes += name;
    bytes += c.type;
    bytes.append(4, '\0');
    bytes += static_cast<char>(c.width);
    bytes += static_cast<char>(c.decimals);
    bytes.append(14, '\0');
  }
  bytes += '\x0d';
  for (const DbfRecord& r : records) {
    bytes += r.deleted ? '*' : ' ';
    for (size_t k = 0; k < columns.size(); ++k) {
      const DbfColumn& c = columns[k];
      std::string value = k < r.values.size() ? r.values[k] : std::string();
      value = value.substr(0, static_cast<size_t>(c.width));
      const std::string pad(static_cast<size_t>(c.width) - value.size(), ' ');
      bytes += c.type == 'N' ? pad + value : value + pad;
    }
  }
  bytes += '\x1a';
  return bytes;
}
