#pragma once

#include "platform/foundation/URL.hpp"

// Where UIApplication sends the links it opens. The window host installs one that hands them to
// the desktop; the test harness installs one that only records them. With none installed,
// nothing can be opened.
class LinkOpener {
public:
    virtual ~LinkOpener() = default;
    // Whether open() would take the URL (its scheme is one this opener handles).
    virtual bool canOpen(const URL& url) const = 0;
    // Hands the URL on without waiting for it to be shown; answers whether it was handed on.
    virtual bool open(const URL& url) = 0;
};
