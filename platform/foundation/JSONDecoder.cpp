#include "platform/foundation/JSONDecoder.hpp"

#include <optional>
#include <string>

#include "platform/foundation/NSJSONSerialization.hpp"

nlohmann::json JSONDecoder::parse(std::string_view data) const {
    if (data.empty()) throw JSONDecodingError("The data is empty.");
    if (NSJSONSerialization::nestingDepth(data) > maximumDepth_)
        throw JSONDecodingError("The data is nested deeper than " + std::to_string(maximumDepth_) + " levels.");
    NSError error;
    std::optional<nlohmann::json> value = NSJSONSerialization::JSONObjectWithData(data, &error);
    if (!value) throw JSONDecodingError(error.localizedDescription);
    return std::move(*value);
}
