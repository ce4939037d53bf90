#pragma once

#include <memory>
#include <string>
#include <vector>

class DTTextField;

// Shows an input error of the calculate screen: the fields at fault get a coloured border
// (orange for missing input, red for everything else), the message appears as a toast (or, for
// "oppositionError", as an alert), and the error goes to the console and to analytics
// ("ketu_got_error").
//
// An error key is one or more pieces separated by "§": the message's text key, then its
// arguments, which fill "%0" and "%1". Empty pieces are dropped, so a key that starts with "§"
// still names its message. A message that takes arguments shows nothing when their number is
// wrong; the border, console line and event still happen. Main thread only.
class ErrorManager {
public:
    static ErrorManager& shared();

    void handleError(const std::string& errorKey, const std::vector<std::shared_ptr<DTTextField>>& fields);
    void showError(const std::string& errorKey);
};
