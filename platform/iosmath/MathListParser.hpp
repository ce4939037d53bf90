#pragma once

#include "platform/iosmath/MathList.hpp"

#include <cstddef>
#include <memory>
#include <string>
#include <string_view>

namespace iosmath {

struct MathParseResult {
    std::unique_ptr<MathList> list;  // absent when the text is not a formula
    std::string error;               // why, in words a user can act on
};

// Reads the LaTeX subset the app writes into a math list. Bad input of any kind ends in an
// error message, never in a crash; nesting and length are bounded so that recursion stays
// shallow and the time stays linear in the input.
class MathListParser {
public:
    static constexpr std::size_t kMaxLength = 64 * 1024;
    static constexpr int kMaxDepth = 100;

    static MathParseResult parse(std::string_view latex);
};

}  // namespace iosmath
