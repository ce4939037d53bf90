#include <gtest/gtest.h>

#include "Radixel/texts/LocalizedString.hpp"

// The tests run in the C locale, so the English table answers; a member reading the wrong key
// would show another text (or the key itself).
TEST(LocalizedString, EachMemberReadsItsOwnTextAndKeepsIt) {
    EXPECT_EQ(LocalizedString::step(), "Step");
    EXPECT_EQ(LocalizedString::yourInput(), "Your Input");
    EXPECT_EQ(LocalizedString::calculate(), "Calculate");
    EXPECT_EQ(LocalizedString::error(), "Error");
    EXPECT_EQ(LocalizedString::touchToUnlock(), "Touch to unlock");
    EXPECT_EQ(LocalizedString::recommendedVideoIfUnclear(), "Recommended video if unclear");
    EXPECT_EQ(LocalizedString::radixelTitle(), "Radixel");
    EXPECT_NE(LocalizedString::cancel(), LocalizedString::cancelMath());

    const std::string& first = LocalizedString::doubleFraction();
    EXPECT_EQ(&LocalizedString::doubleFraction(), &first);
    EXPECT_EQ(first, "Double fraction");
}
