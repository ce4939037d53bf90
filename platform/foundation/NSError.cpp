#include "platform/foundation/NSError.hpp"

std::string NSError::description() const {
    return "Error Domain=" + domain + " Code=" + std::to_string(code) + " \"" + localizedDescription + "\"";
}
