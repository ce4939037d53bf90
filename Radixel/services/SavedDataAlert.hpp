#pragma once

#include <filesystem>
#include <string>

// Tells the user, once per run, that what they do is not being kept: the saved data could not be
// read at the start (the app then runs on empty defaults that are never written), or a save
// failed. One alert over whatever is shown, in the app's language, with the reason and the data
// folder; the same or another failure later in the run says nothing more. Main thread only.
class SavedDataAlert {
public:
    // Looks at the standard defaults now, and listens for failed saves for the rest of the run.
    static void startWatching();

    // The alert's text for a problem with the file in that folder.
    static std::string message(bool reading, const std::string& reason, const std::filesystem::path& folder);
};
