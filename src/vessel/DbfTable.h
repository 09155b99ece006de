#pragma once

// dBASE tables (legacy vessel tables and the vessel exchange tables), read and
// written as text through shapelib. Only this adapter knows the library.

#include <filesystem>
#include <memory>
#include <string>
#include <vector>

struct DbfField {
  std::string name;     // at most 10 characters in a dBASE header
  char type = 'C';      // 'C' text, 'N' number
  int width = 20;
  int decimals = 0;
};

class DbfTable {
 public:
  ~DbfTable();
  DbfTable(const DbfTable&) = delete;
  DbfTable& operator=(const DbfTable&) = delete;

  // Opens an existing table for reading; null with error set when it fails.
  static std::unique_ptr<DbfTable> Open(const std::filesystem::path& file, std::string& error);
  // Creates (replaces) a table with these columns.
  static std::unique_ptr<DbfTable> Create(const std::filesystem::path& file, const std::vector<DbfField>& fields,
                                          std::string& error);

  int FieldCount() const;
  std::string FieldName(int field) const;
  // Column by name without regard to case; -1 when there is none.
  int FieldIndex(const std::string& name) const;
  // Records are counted from 0; in a table opened for reading the records
  // marked deleted are left out.
  int RecordCount() const;
  // The value as text, blanks trimmed; "" for a null value or a bad index.
  std::string Read(int record, int field) const;
  // Writes record (appending when record == RecordCount()).
  bool Write(int record, int field, const std::string& value);

 private:
  struct Handle;
  explicit DbfTable(std::unique_ptr<Handle> handle);
  std::unique_ptr<Handle> handle_;
};
