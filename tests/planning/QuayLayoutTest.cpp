// The quay layout from clu.txt's lines, and its picture: blocks of grey
// slots placed and sized at the picture's scale.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "RecordingCanvas.h"
#include "planning/QuayLayout.h"

namespace {

TEST(QuayLayoutTest, LinesGiveTheQuayItsBlocksAndTheirSlots) {
  QuayLayout layout;
  ASSERT_TRUE(ReadQuayLayout({"QUA 500 250", "SLT   2   3", "B1  100  50", "", "B2  300 150"}, layout));
  EXPECT_EQ(layout.width, 500);
  EXPECT_EQ(layout.height, 250);
  EXPECT_EQ(layout.columns, 2);
  EXPECT_EQ(layout.rows, 3);
  ASSERT_EQ(layout.blocks.size(), 2u);
  EXPECT_EQ(layout.blocks[1].x, 300);
  EXPECT_EQ(layout.blocks[1].y, 150);
  EXPECT_EQ(QuayPictureHeight(layout, 1000), 500);
  for (const std::vector<std::string>& bad :
       {std::vector<std::string>{"QUA 500 250"}, {"QUA   0 250", "SLT   2   3"}, {}})
    EXPECT_FALSE(ReadQuayLayout(bad, layout));
}

TEST(QuayLayoutTest, EachBlockIsAGridOfGreySlotsAtThePicturesScale) {
  QuayLayout layout;
  ASSERT_TRUE(ReadQuayLayout({"QUA 500 250", "SLT   2   3", "B1  100  50"}, layout));
  RecordingCanvas canvas(1000, 500);  // twice the quay's size
  DrawQuayLayout(canvas, layout, 12000, 2500);
  ASSERT_EQ(canvas.ops.size(), 1u + 2 * 3);
  EXPECT_EQ(canvas.ops[0].brush, kColourWhite);
  const CanvasOp& last = canvas.ops.back();  // column 2, row 3
  EXPECT_EQ(last.brush, 0x808080u);
  // A slot is 120 x 25 quay units, 240 x 50 pixels here, less one.
  EXPECT_EQ(last.x1, 200 + 240);
  EXPECT_EQ(last.y1, 100 + 2 * 50);
  EXPECT_EQ(last.x2 - last.x1, 239);
  EXPECT_EQ(last.y2 - last.y1, 49);
}

}  // namespace
