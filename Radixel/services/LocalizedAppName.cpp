#include "Radixel/services/LocalizedAppName.hpp"

#include "Radixel/texts/LocalizedString.hpp"

// The shared texts already keep this one; the name is only given its own meaning here.
const std::string& localizedAppName() { return LocalizedString::radixelTitle(); }
