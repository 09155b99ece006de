#include <gtest/gtest.h>

#include "core/DateText.h"

TEST(DateText, FilePatterns) {
  std::tm time{};
  time.tm_year = 2026 - 1900;
  time.tm_mon = 2;
  time.tm_mday = 5;
  time.tm_hour = 7;
  time.tm_min = 9;
  time.tm_sec = 4;
  EXPECT_EQ(FormatDateTime(time, kDatePattern), "2026/03/05");
  EXPECT_EQ(FormatDateTime(time, kFileTimePattern), "07.09");
  EXPECT_EQ(FormatDateTime(time, kPrintTimePattern), "07:09");
  EXPECT_EQ(FormatDateTime(time, "dd-mm-yyyy hh:nn:ss"), "05-03-2026 07:09:04");
}
