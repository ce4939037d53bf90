#pragma once

#include <string>

namespace render {

// A small window of its own that shows a message as the app's alerts look, with an OK button,
// for what must be said when the application's window does not open. It returns when the user
// clicks OK, presses Return or Escape, or closes the window; without a display it returns at
// once. Answers whether the message was shown.
bool showMessageWindow(const std::string& title, const std::string& message);

} // namespace render
