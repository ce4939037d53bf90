#include "platform/uikit/ReusableCellPool.hpp"

#include <iostream>

#include "platform/uikit/FatalError.hpp"

namespace uikit::detail {

void reportMissingNib(const std::string& viewClass, const std::string& identifier)
{
    std::cerr << viewClass << ": no nib to register for \"" << identifier << "\"\n";
}

void invalidCellNib(const std::string& identifier, const std::string& cellClass)
{
    uikit::fatalError("invalid nib registered for identifier (" + identifier +
                      ") - nib must contain exactly one top level object which must be a " + cellClass + " instance");
}

} // namespace uikit::detail
