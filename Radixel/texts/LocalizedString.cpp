#include "Radixel/texts/LocalizedString.hpp"

#include "platform/foundation/NSBundle.hpp"

// Each member has its own function-local static: one thread-safe lookup on first read, never repeated.
#define RADIXEL_LOCALIZED_MEMBER(member, key, comment)     \
    const std::string& LocalizedString::member() {          \
        static const std::string text = NSLocalizedString(key, comment); \
        return text;                                         \
    }

RADIXEL_LOCALIZED_MEMBER(fillInYourGivenNumbers, "Fill in your given numbers:", "Fill in your given numbers:")
RADIXEL_LOCALIZED_MEMBER(yourInput, "Your Input", "The input title in solution view")
RADIXEL_LOCALIZED_MEMBER(expand, "Expand", "Expand")
RADIXEL_LOCALIZED_MEMBER(modifiedInput, "Modified Input", "Modified Input")
RADIXEL_LOCALIZED_MEMBER(step, "Step", "The input title in solution view")
RADIXEL_LOCALIZED_MEMBER(result, "Result", "The final result in solution view")
RADIXEL_LOCALIZED_MEMBER(recommendedVideoIfUnclear, "recommendedVideoIfUnclear", "Recommended video if unclear")
RADIXEL_LOCALIZED_MEMBER(touchToUnlock, "touchTounlock", "Touch to unlock")
RADIXEL_LOCALIZED_MEMBER(insert, "Insert", "Insert")
RADIXEL_LOCALIZED_MEMBER(calculate, "Calculate Verb", "Calculate")
RADIXEL_LOCALIZED_MEMBER(bringToACommonDenominator, "Bring to a common denominator", "Bring to a common denominator")
RADIXEL_LOCALIZED_MEMBER(cancel, "Cancel", "Cancel")
RADIXEL_LOCALIZED_MEMBER(addition, "Addition", "to add/ to sum")
RADIXEL_LOCALIZED_MEMBER(subtraction, "Subtraction", "to subtract")
RADIXEL_LOCALIZED_MEMBER(rate, "Rate", "Rate")
RADIXEL_LOCALIZED_MEMBER(send, "Send", "Send")
RADIXEL_LOCALIZED_MEMBER(close, "Close", "Close")
RADIXEL_LOCALIZED_MEMBER(thanks, "Thanks", "Thanks")
RADIXEL_LOCALIZED_MEMBER(error, "error", "Error")
RADIXEL_LOCALIZED_MEMBER(cancelMath, "Cancel (math)", "Cancel (math)")
RADIXEL_LOCALIZED_MEMBER(extractARoot, "Extract a root", "Extract a root")
RADIXEL_LOCALIZED_MEMBER(square, "Square", "Square")
RADIXEL_LOCALIZED_MEMBER(quadraticEquation, "Quadratic equation", "Quadratic equation")
RADIXEL_LOCALIZED_MEMBER(radixelTitle, "Radixel", "Radixel")
RADIXEL_LOCALIZED_MEMBER(doubleFraction, "Double fraction", "doubleFrac")
