#include <gtest/gtest.h>

#include "Radixel/texts/LocalizedString.hpp"

// The tests run in the C locale, so the English table answers; a member reading the wrong key
// would show another text (or the key itself).
TEST(LocalizedString, EachMemberReadsItsOwnTextAndKeepsIt) {
    for (const auto& [text, expected] : std::initializer_list<std::pair<std::string, const char*>>{
             {LocalizedString::step(), "Step"}, {LocalizedString::yourInput(), "Your Input"},
             {LocalizedString::calculate(), "Calculate"}, {LocalizedString::error(), "Error"},
             {LocalizedString::touchToUnlock(), "Touch to unlock"}, {LocalizedString::radixelTitle(), "Radixel"},
             {LocalizedString::recommendedVideoIfUnclear(), "Recommended video if unclear"},
             {LocalizedString::doubleFraction(), "Double fraction"}, {LocalizedString::rate(), "Rate"},
             {LocalizedString::send(), "Send"}, {LocalizedString::close(), "Close"}, {LocalizedString::thanks(), "Thanks"},
             {LocalizedString::cancel(), "Cancel"}, {LocalizedString::cancelMath(), "Simplify"}})
        EXPECT_EQ(text, expected);
    EXPECT_EQ(&LocalizedString::doubleFraction(), &LocalizedString::doubleFraction());
}
