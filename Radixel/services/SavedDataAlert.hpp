#pragma once

#include <filesystem>
#include <string>

// Tells the user what became of their saved data when it is not what they would expect: the
// saved data could not be read at the start (the app then runs on empty defaults that are never
// written), it was damaged and set aside, or a save failed. One alert over whatever is shown, in
// the app's language, with the detail and the data folder. A failure is told once per run: the
// same or another failure later in the run says nothing more. Main thread only.
class SavedDataAlert {
public:
    enum class Problem { NotRead, Damaged, NotSaved };

    // Looks at the standard defaults now, and listens for failed saves for the rest of the run.
    static void startWatching();

    // The alert's text for a problem with the file in that folder; the detail is the system's
    // reason, or for damaged data the name the file was kept under.
    static std::string message(Problem problem, const std::string& detail, const std::filesystem::path& folder);
};
