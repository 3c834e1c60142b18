#include "liquid/AnimatableArray.h"

#include <gtest/gtest.h>

using liquid::AnimatableArray;
using Values = std::vector<double>;

TEST(AnimatableArray, ArithmeticCoversTheShorterOperandAndCompoundFormsKeepTheirCount)
{
    EXPECT_EQ(AnimatableArray::zero().values, Values{0.0});
    EXPECT_EQ(&AnimatableArray::zero(), &AnimatableArray::zero());
    EXPECT_EQ((AnimatableArray::zero() + AnimatableArray{{5, 6, 7, 8, 9}}).values, Values{5});

    AnimatableArray a{{1, 2, 3}};
    AnimatableArray b{{1, 1}};
    EXPECT_EQ((a - b).values, (Values{0, 1}));
    EXPECT_EQ((b - a).values, (Values{0, -1}));
    EXPECT_EQ((a + b).values, (Values{2, 3}));

    AnimatableArray copy = a;
    a += b;
    EXPECT_EQ(a.values, (Values{2, 3, 3}));
    EXPECT_EQ(copy.values, (Values{1, 2, 3}));
    a -= AnimatableArray{{2, 1, 1, 100}};
    EXPECT_EQ(a.values, (Values{0, 2, 2}));

    AnimatableArray c{{1, -2}};
    c.scale(0.5);
    EXPECT_EQ(c.values, (Values{0.5, -1}));
    EXPECT_DOUBLE_EQ((AnimatableArray{{3, 4}}).magnitudeSquared(), 25);
    EXPECT_NE((AnimatableArray{{1, 2}}), (AnimatableArray{{1, 2, 0}}));
}

TEST(AnimatableArray, InterpolatesEqualLengthsAndJumpsBetweenDifferentOnes)
{
    AnimatableArray from{{0, 10, -4}};
    AnimatableArray to{{4, 20, -8}};
    EXPECT_EQ(AnimatableArray::interpolate(from, to, 0.25).values, (Values{1, 12.5, -5}));
    EXPECT_EQ(AnimatableArray::interpolate(from, to, 1), to);

    // From the one-element zero to a full sampling: no truncated blend in between.
    AnimatableArray eight{{1, 2, 3, 4, 5, 6, 7, 8}};
    EXPECT_EQ(AnimatableArray::interpolate(AnimatableArray::zero(), eight, 0.5), eight);
    EXPECT_EQ(AnimatableArray::interpolate(eight, from, 0.5), from);
}
