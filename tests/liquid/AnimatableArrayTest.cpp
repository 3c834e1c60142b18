#include "liquid/AnimatableArray.h"

#include <gtest/gtest.h>

using liquid::AnimatableArray;

TEST(AnimatableArray, ZeroIsOneSharedZeroElement)
{
    EXPECT_EQ(AnimatableArray::zero().values, std::vector<double>{0.0});
    EXPECT_EQ(&AnimatableArray::zero(), &AnimatableArray::zero());
    // Adding the zero keeps only the overlap with it.
    EXPECT_EQ((AnimatableArray::zero() + AnimatableArray{{5, 6, 7, 8, 9}}).values, std::vector<double>{5});
}

TEST(AnimatableArray, TwoOperandArithmeticCoversTheShorterOperand)
{
    AnimatableArray a{{1, 2, 3}};
    AnimatableArray b{{1, 1}};
    EXPECT_EQ((a - b).values, (std::vector<double>{0, 1}));
    EXPECT_EQ((b - a).values, (std::vector<double>{0, -1}));
    EXPECT_EQ((a + b).values, (std::vector<double>{2, 3}));
    EXPECT_EQ((a - AnimatableArray{}).values, std::vector<double>{});
}

TEST(AnimatableArray, CompoundArithmeticKeepsTheLeftCount)
{
    AnimatableArray a{{1, 2, 3}};
    AnimatableArray shared = a;
    a += AnimatableArray{{1, 1}};
    EXPECT_EQ(a.values, (std::vector<double>{2, 3, 3}));
    EXPECT_EQ(shared.values, (std::vector<double>{1, 2, 3})) << "a copy is not changed through the other";

    a -= AnimatableArray{{2, 1, 1, 100}};
    EXPECT_EQ(a.values, (std::vector<double>{0, 2, 2}));

    AnimatableArray shortOne{{1}};
    shortOne -= AnimatableArray{{5, 5, 5}};
    EXPECT_EQ(shortOne.values, std::vector<double>{-4});
}

TEST(AnimatableArray, ScaleMagnitudeAndEquality)
{
    AnimatableArray a{{1, -2}};
    a.scale(0.5);
    EXPECT_EQ(a.values, (std::vector<double>{0.5, -1}));
    EXPECT_DOUBLE_EQ((AnimatableArray{{3, 4}}).magnitudeSquared(), 25);
    EXPECT_EQ(AnimatableArray{}.magnitudeSquared(), 0);

    EXPECT_EQ((AnimatableArray{{1, 2}}), (AnimatableArray{{1, 2}}));
    EXPECT_NE((AnimatableArray{{1, 2}}), (AnimatableArray{{1, 2, 0}}));
    EXPECT_NE((AnimatableArray{{1, 2}}), (AnimatableArray{{2, 1}}));
}

TEST(AnimatableArray, InterpolatesEqualLengthsAndJumpsBetweenDifferentOnes)
{
    AnimatableArray from{{0, 10, -4}};
    AnimatableArray to{{4, 20, -8}};
    EXPECT_EQ(AnimatableArray::interpolate(from, to, 0).values, from.values);
    EXPECT_EQ(AnimatableArray::interpolate(from, to, 0.25).values, (std::vector<double>{1, 12.5, -5}));
    EXPECT_EQ(AnimatableArray::interpolate(from, to, 1).values, to.values);

    // From the one-element zero to a full sampling: no truncated blend in between.
    AnimatableArray eight{{1, 2, 3, 4, 5, 6, 7, 8}};
    EXPECT_EQ(AnimatableArray::interpolate(AnimatableArray::zero(), eight, 0.5), eight);
    EXPECT_EQ(AnimatableArray::interpolate(eight, AnimatableArray::zero(), 0.5), AnimatableArray::zero());
}
