#include "vessel/DbfTable.h"

#include <shapefil.h>

#include <cctype>
#include <system_error>
#include <vector>

#include "core/TextHelpers.h"

struct DbfTable::Handle {
  DBFHandle dbf = nullptr;
  // A table opened for reading: the records not marked deleted, in order.
  // A deleted record is no longer part of the table, though its bytes stay
  // in the file until the table is packed.
  bool reading = false;
  std::vector<int> live;
  ~Handle() {
    if (dbf) DBFClose(dbf);
  }
};

DbfTable::DbfTable(std::unique_ptr<Handle> handle) : handle_(std::move(handle)) {}
DbfTable::~DbfTable() = default;

std::unique_ptr<DbfTable> DbfTable::Open(const std::filesystem::path& file, std::string& error) {
  auto handle = std::make_unique<Handle>();
  handle->dbf = DBFOpen(file.c_str(), "rb");
  if (!handle->dbf) {
    error = file.string() + ": not a readable dBASE table";
    return nullptr;
  }
  // A damaged header may claim millions of records the file does not hold;
  // reading them one by one would keep the program busy for minutes.
  std::error_code ec;
  const std::uintmax_t size = std::filesystem::file_size(file, ec);
  DBFInfo* info = handle->dbf;
  if (!ec && info->nRecordLength > 0 && info->nRecords > 0) {
    const std::uintmax_t header = static_cast<std::uintmax_t>(info->nHeaderLength);
    const std::uintmax_t held = size > header ? (size - header) / static_cast<std::uintmax_t>(info->nRecordLength) : 0;
    if (held < static_cast<std::uintmax_t>(info->nRecords)) info->nRecords = static_cast<int>(held);
  }
  handle->reading = true;
  for (int r = 0; r < DBFGetRecordCount(info); ++r)
    if (!DBFIsRecordDeleted(info, r)) handle->live.push_back(r);
  return std::unique_ptr<DbfTable>(new DbfTable(std::move(handle)));
}

std::unique_ptr<DbfTable> DbfTable::Create(const std::filesystem::path& file, const std::vector<DbfField>& fields,
                                           std::string& error) {
  auto handle = std::make_unique<Handle>();
  handle->dbf = DBFCreate(file.c_str());
  if (!handle->dbf) {
    error = file.string() + ": cannot create the dBASE table";
    return nullptr;
  }
  for (const DbfField& f : fields) {
    const DBFFieldType type = f.type == 'N' ? FTDouble : FTString;
    if (DBFAddField(handle->dbf, f.name.c_str(), type, f.width, f.type == 'N' ? f.decimals : 0) < 0) {
      error = file.string() + ": cannot add the column " + f.name;
      return nullptr;
    }
  }
  return std::unique_ptr<DbfTable>(new DbfTable(std::move(handle)));
}

int DbfTable::FieldCount() const { return DBFGetFieldCount(handle_->dbf); }

std::string DbfTable::FieldName(int field) const {
  char name[XBASE_FLDNAME_LEN_READ + 1] = {};
  if (field < 0 || field >= FieldCount()) return "";
  DBFGetFieldInfo(handle_->dbf, field, name, nullptr, nullptr);
  return name;
}

int DbfTable::FieldIndex(const std::string& name) const {
  for (int i = 0; i < FieldCount(); ++i) {
    const std::string candidate = FieldName(i);
    if (candidate.size() != name.size()) continue;
    bool same = true;
    for (size_t k = 0; k < name.size() && same; ++k)
      same = std::toupper(static_cast<unsigned char>(candidate[k])) == std::toupper(static_cast<unsigned char>(name[k]));
    if (same) return i;
  }
  return -1;
}

int DbfTable::RecordCount() const {
  return handle_->reading ? static_cast<int>(handle_->live.size()) : DBFGetRecordCount(handle_->dbf);
}

std::string DbfTable::Read(int record, int field) const {
  if (record < 0 || record >= RecordCount() || field < 0 || field >= FieldCount()) return "";
  const int row = handle_->reading ? handle_->live[static_cast<size_t>(record)] : record;
  if (DBFIsAttributeNULL(handle_->dbf, row, field)) return "";
  const char* value = DBFReadStringAttribute(handle_->dbf, row, field);
  return value ? Trim(value) : "";
}

bool DbfTable::Write(int record, int field, const std::string& value) {
  if (record < 0 || record > RecordCount() || field < 0 || field >= FieldCount()) return false;
  // Numeric columns take the number; the library would read a text as one.
  const DBFFieldType type = DBFGetFieldInfo(handle_->dbf, field, nullptr, nullptr, nullptr);
  if (type == FTDouble || type == FTInteger)
    return DBFWriteDoubleAttribute(handle_->dbf, record, field, ParseReal(value)) != 0;
  return DBFWriteStringAttribute(handle_->dbf, record, field, value.c_str()) != 0;
}
