#pragma once

#include <string>
#include <string_view>

class NSBundle;

namespace uikit {

// The system's own word for `english` on a control it draws itself (the Delete of a table row),
// in the language `bundle` shows its texts in, so the control reads like the application around
// it. Languages the system has no word in, and words it does not know, stay English.
std::string systemString(std::string_view english, const NSBundle& bundle);

} // namespace uikit
