#include <gtest/gtest.h>

#include "core/NumberFormat.h"

TEST(NumberFormat, CommaDecimalMakesThousandsADot) {
  struct Case {
    NumberFormat system;
    NumberFormat adjusted;
  };
  const Case cases[] = {
      {{',', ','}, {',', '.'}},
      {{',', ' '}, {',', '.'}},
      {{'.', ','}, {'.', ','}},
      {{'.', ' '}, {'.', ' '}},
  };
  for (const Case& c : cases) {
    const NumberFormat result = AdjustNumberFormat(c.system);
    EXPECT_EQ(result.decimal, c.adjusted.decimal);
    EXPECT_EQ(result.thousands, c.adjusted.thousands) << "system " << c.system.decimal << c.system.thousands;
  }
}
