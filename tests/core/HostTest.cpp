#include <gtest/gtest.h>

#include <stdexcept>

#include "ScriptedHost.h"

TEST(Host, BusyCursorIsRestoredWhenTheWorkFails) {
  ScriptedHost host;
  try {
    BusyCursor busy(host);
    EXPECT_EQ(host.busyDepth, 1);
    throw std::runtime_error("disk full");
  } catch (const std::runtime_error&) {
  }
  EXPECT_EQ(host.busyDepth, 0);
  EXPECT_EQ(host.busyCalls, (std::vector<bool>{true, false}));
}
