#include <gtest/gtest.h>

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

TEST(DbfTable, GarbageIsRefusedWithTheFileName) {
  TempDir dir;
  std::string error;
  EXPECT_FALSE(DbfTable::Open(dir.Write("par.dbf", "not a table"), error));
  EXPECT_NE(error.find("par.dbf"), std::string::npos);
  EXPECT_FALSE(DbfTable::Open(dir.path() / "missing.dbf", error));
}

}  // namespace
