#pragma once

#include <cstddef>
#include <optional>
#include <string>

#include <nlohmann/json.hpp>

#include "measurement/model/APMEvent.hpp"

// The naming and value rules of analytics events. Names (of events and of parameters) have 1 to
// 40 characters, start with an ASCII letter, continue with ASCII letters, digits and underscores,
// and do not start with a reserved prefix ("ddv_", "apm_", in any case).
//
// Parameter values may be texts (up to 100 characters; longer ones are cut), integers,
// finite floating-point numbers, Booleans (kept as 0 or 1), and lists of up to 200 dictionaries
// of up to 25 entries whose values follow the same rules for scalar values. Anything else is
// dropped, as are parameters beyond the first 25. Every refusal and every cut is logged as a
// warning, at most ten per event, and a name shown in a warning is cut after 40 characters.
//
// Parameters whose stored size could exceed maximumParametersBytes are dropped as a whole before
// the event is queued (parametersSizeEstimate, on the caller's thread), so that no event, however
// built, costs the caller, the queue or the database more than that.
class APMDataTypeValidator {
public:
    static constexpr std::size_t maximumNameLength = 40;
    static constexpr std::size_t maximumTextLength = 100;
    static constexpr std::size_t maximumParameterCount = 25;
    static constexpr std::size_t maximumListLength = 200;
    static constexpr std::size_t maximumListEntryParameterCount = 25;
    static constexpr std::size_t maximumParametersBytes = 16 * 1024;
    static constexpr int maximumWarningsPerEvent = 10;

    // Why name is refused, or none when it is valid.
    static std::optional<std::string> nameProblem(const std::string& name);

    // The event as it may be stored (parameters cleaned as described), or none when its name is
    // refused. Warnings go to APMMonitor.
    static std::optional<APMEvent> validatedEvent(APMEvent event);

    // Never less than the size of the parameters' JSON text after validation. Stops counting once
    // past limit (answering a number above it), so it looks at no more than about limit values
    // and bytes, whatever the parameters hold.
    static std::size_t parametersSizeEstimate(const nlohmann::json& parameters, std::size_t limit);
};
