#pragma once

#include "platform/iosmath/MathList.hpp"

#include <optional>
#include <string_view>

namespace iosmath {

// A colour written as #rrggbb or as one of the usual names ("red", "blue", ...), opaque.
std::optional<MathColor> parseMathColor(std::string_view text);

}  // namespace iosmath
