// The row a scroll-bar action of a paged row list asks for.
#include <gtest/gtest.h>

#include "platform/window/Messages.h"
#include "records/RowScroll.h"

TEST(RowScrollTest, EachActionAsksForItsRowAndTheOthersForNone) {
  const struct {
    unsigned code, pos;
    bool moves;
    int target;
  } cases[] = {
      {SB_LINEUP, 0, true, 4},      {SB_LINEDOWN, 0, true, 6}, {SB_PAGEUP, 0, true, -3},
      {SB_PAGEDOWN, 0, true, 13},   {SB_TOP, 0, true, 0},      {SB_BOTTOM, 0, true, 29},
      {SB_THUMBPOSITION, 17, true, 17}, {SB_THUMBTRACK, 17, false, -1}, {SB_ENDSCROLL, 0, false, -1},
  };
  for (const auto& c : cases) {
    int target = -1;
    EXPECT_EQ(RowScrollTarget(c.code, c.pos, 5, 8, 29, &target), c.moves) << c.code;
    EXPECT_EQ(target, c.target) << c.code;
  }
}
