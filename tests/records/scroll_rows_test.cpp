// The row a scroll bar's request asks for in the holder lists.
#include <gtest/gtest.h>

#include "platform/window/Messages.h"
#include "records/ScrollRows.h"

namespace {

TEST(ScrollRowTarget, EachScrollCodeAsksForItsRow) {
  const struct {
    UINT code, pos;
    int target;
  } cases[] = {
      {SB_LINEUP, 0, 9},  {SB_LINEDOWN, 0, 11}, {SB_PAGEUP, 0, 2},          {SB_PAGEDOWN, 0, 18},
      {SB_TOP, 0, 0},     {SB_BOTTOM, 0, 30},   {SB_THUMBPOSITION, 25, 25},
  };
  for (const auto& c : cases) {
    int target = -1;
    EXPECT_TRUE(ScrollRowTarget(c.code, c.pos, 10, 8, 30, &target)) << c.code;
    EXPECT_EQ(target, c.target) << c.code;
  }
}

TEST(ScrollRowTarget, TrackingAndEndLeaveTheRowToTheDefault) {
  for (UINT code : {static_cast<UINT>(SB_THUMBTRACK), static_cast<UINT>(SB_ENDSCROLL)}) {
    int target = 7;
    EXPECT_FALSE(ScrollRowTarget(code, 3, 10, 8, 30, &target)) << code;
    EXPECT_EQ(target, 7) << code;
  }
}

}  // namespace
