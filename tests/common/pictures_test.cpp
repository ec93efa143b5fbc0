// The program's pictures load from its resources at the sizes the screens
// that show them are laid out for.
#include <gtest/gtest.h>

#include "platform/gfx/GdiObject.h"

TEST(Pictures, EachLoadsAtItsSize) {
  struct Case {
    UINT id;
    int width, height;
  };
  const Case cases[] = {
      {102, 40, 53},    // tip of the day
      {301, 38, 41},    // optional warning
      {310, 234, 139},  // label sheet measures
      {325, 20, 16},    // browse button
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.id);
    CBitmap picture;
    ASSERT_TRUE(picture.LoadBitmap(c.id));
    BITMAP info{};
    ASSERT_NE(picture.GetBitmap(&info), 0);
    EXPECT_EQ(info.bmWidth, c.width);
    EXPECT_EQ(info.bmHeight, c.height);
  }
}
