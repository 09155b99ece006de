#include <gtest/gtest.h>

#include "DbfBytes.h"
#include "TempDir.h"
#include "vessel/DbfTable.h"

namespace {

TEST(DbfTable, WrittenTableReadsBack) {
  TempDir dir;
  const auto file = dir.path() / "ves.dbf";
  std::string error;
  {
    auto table = DbfTable::Create(file, {{"VESSEL", 'C', 30}, {"DIR", 'C', 12}, {"LOA", 'N', 10, 2}}, error);
    ASSERT_TRUE(table) << error;
    ASSERT_TRUE(table->Write(0, 0, "DEMO STAR"));
    ASSERT_TRUE(table->Write(0, 1, "DEMOSTAR"));
    ASSERT_TRUE(table->Write(0, 2, "199.95"));
    ASSERT_TRUE(table->Write(1, 0, "BOX BARGE"));
    EXPECT_FALSE(table->Write(5, 0, "gap"));  // records are appended one at a time
  }
  auto table = DbfTable::Open(file, error);
  ASSERT_TRUE(table) << error;
  EXPECT_EQ(table->RecordCount(), 2);
  EXPECT_EQ(table->FieldIndex("dir"), 1);
  EXPECT_EQ(table->FieldIndex("DRAFT"), -1);
  EXPECT_EQ(table->Read(0, 0), "DEMO STAR");
  EXPECT_EQ(table->Read(0, 2), "199.95");
  EXPECT_EQ(table->Read(1, 1), "");
  EXPECT_EQ(table->Read(7, 0), "");
  EXPECT_EQ(table->Read(0, 9), "");
}

// A table laid out by another writer: a date, a number with decimals, an
// empty field and a record marked deleted, which is no longer in the table.
TEST(DbfTable, ReadsATableOfAnotherWriter) {
  TempDir dir;
  const auto file = dir.Write("calls.dbf", DbfBytes({{"PORT", 'C', 5}, {"ETA", 'D', 8}, {"DRAFT", 'N', 7, 2},
                                                     {"REMARK", 'C', 12}},
                                                    {{{"DEHAM", "20240315", "10.25", "FIRST CALL"}},
                                                     {{"NLRTM", "20240317", "9.80", "CANCELLED"}, true},
                                                     {{"BEANR", "20240320", "", ""}}}));
  std::string error;
  auto table = DbfTable::Open(file, error);
  ASSERT_TRUE(table) << error;
  EXPECT_EQ(table->FieldCount(), 4);
  EXPECT_EQ(table->FieldName(1), "ETA");
  EXPECT_EQ(table->FieldIndex("draft"), 2);
  ASSERT_EQ(table->RecordCount(), 2);
  const std::vector<std::vector<std::string>> expected = {{"DEHAM", "20240315", "10.25", "FIRST CALL"},
                                                          {"BEANR", "20240320", "", ""}};
  for (int r = 0; r < 2; ++r)
    for (int f = 0; f < 4; ++f) EXPECT_EQ(table->Read(r, f), expected[r][f]) << r << "," << f;
}

TEST(DbfTable, GarbageIsRefusedWithTheFileName) {
  TempDir dir;
  std::string error;
  EXPECT_FALSE(DbfTable::Open(dir.Write("par.dbf", "not a table"), error));
  EXPECT_NE(error.find("par.dbf"), std::string::npos);
  EXPECT_FALSE(DbfTable::Open(dir.path() / "missing.dbf", error));
}

}  // namespace
