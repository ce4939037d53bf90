#pragma once

#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "platform/uikit/UIActivityViewController.hpp"
#include "platform/uikit/UIImage.hpp"
#include "platform/uikit/UIWindow.hpp"

namespace render {

// What the share sheet did with its images: the files written, or why it could not.
struct ShareOutcome {
    bool saved = false;
    std::vector<std::filesystem::path> files;
    // One line for the user: where the pictures went, or what went wrong.
    std::string message;
};

// The share sheet's one activity on this desktop: it saves the shared images as PNG files in
// the user's pictures folder (XDG), each under a new name so nothing is overwritten.
class ShareSheetSaver {
public:
    // The pictures folder: PICTURES of $XDG_CONFIG_HOME/user-dirs.dirs (as xdg-user-dir reads it),
    // else $HOME/Pictures; none without a home.
    static std::optional<std::filesystem::path> picturesFolder();

    // Writes the images into the folder (made when missing); fails when there are no images with
    // pixels or nothing could be written.
    static ShareOutcome saveImages(const std::vector<std::shared_ptr<UIImage>>& images, const std::filesystem::path& folder);

    // Saves the sheet's images once and remembers the outcome on the sheet.
    static const ShareOutcome& saveIfNeeded(UIActivityViewController& sheet);
    static const ShareOutcome* outcomeFor(const UIActivityViewController& sheet);
    // Saves every share sheet the window presents that has not saved yet, shown full-screen or
    // in a pad's popover, and answers their messages.
    static std::vector<std::string> saveSheetsShownIn(const UIWindow& window);

    // The activity type the sheet reports when the user closes it.
    static constexpr const char* activityType = "UIActivityTypeSaveToCameraRoll";
};

} // namespace render
