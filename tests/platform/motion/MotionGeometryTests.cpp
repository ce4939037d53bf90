#include <gtest/gtest.h>

#include "platform/motion/MotionGeometry.hpp"

TEST(MotionGeometry, CenterOfARectangle)
{
    EXPECT_EQ(Motion::center({0, 0, 400, 800}), (CGPoint{200, 400}));
    EXPECT_EQ(Motion::center({10, 20, -4, 6}), (CGPoint{8, 23}));
}
