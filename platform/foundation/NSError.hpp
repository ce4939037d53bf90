#pragma once

#include <cstdint>
#include <string>

// A failure as the platform reports it: a domain, a code within it and a readable description.
struct NSError {
    std::string domain;
    std::int64_t code = 0;
    std::string localizedDescription;

    // "Error Domain=<domain> Code=<code> "<description>"", the form printed to the console.
    std::string description() const;
};
