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

void wrongCellClass(const std::string& viewClass, const std::string& identifier, const std::string& expected, const std::string& actual)
{
    uikit::fatalError(viewClass + ": the cell dequeued for identifier \"" + identifier + "\" is a " + actual + ", not a " + expected +
                      " - register that class, or a nib or prototype of it, for the identifier");
}

} // namespace uikit::detail
