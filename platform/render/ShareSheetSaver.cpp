#include "platform/render/ShareSheetSaver.hpp"

#include <chrono>
#include <cstdlib>
#include <ctime>
#include <fstream>
#include <iomanip>
#include <sstream>
#include <system_error>

#include "platform/foundation/AtomicFile.hpp"

namespace render {
namespace {

const int outcomeKey = 0;

std::optional<std::filesystem::path> environmentPath(const char* name)
{
    const char* value = std::getenv(name);
    if (!value || !*value) {
        return std::nullopt;
    }
    return std::filesystem::path(value);
}

// The value of XDG_PICTURES_DIR in a user-dirs.dirs file: "$HOME/..." or an absolute path.
std::optional<std::filesystem::path> picturesFromUserDirs(const std::filesystem::path& file, const std::filesystem::path& home)
{
    std::ifstream in(file);
    std::string line;
    while (std::getline(in, line)) {
        const std::string key = "XDG_PICTURES_DIR=\"";
        if (line.rfind(key, 0) != 0 || line.size() < key.size() + 1 || line.back() != '"') {
            continue;
        }
        std::string value = line.substr(key.size(), line.size() - key.size() - 1);
        if (value.rfind("$HOME", 0) == 0) {
            std::string rest = value.substr(5);
            while (!rest.empty() && rest.front() == '/') {
                rest.erase(rest.begin());
            }
            // "$HOME/" alone means the desktop has no pictures folder of its own.
            return rest.empty() ? std::nullopt : std::optional(home / rest);
        }
        if (!value.empty() && value.front() == '/') {
            return std::filesystem::path(value);
        }
    }
    return std::nullopt;
}

std::string timestamp()
{
    std::time_t now = std::chrono::system_clock::to_time_t(std::chrono::system_clock::now());
    std::tm local{};
    localtime_r(&now, &local);
    std::ostringstream out;
    out << std::put_time(&local, "%Y-%m-%d %H.%M.%S");
    return out.str();
}

std::filesystem::path unusedName(const std::filesystem::path& folder, const std::string& stem)
{
    std::filesystem::path candidate = folder / (stem + ".png");
    for (int n = 2; std::filesystem::exists(candidate); ++n) {
        candidate = folder / (stem + " (" + std::to_string(n) + ").png");
    }
    return candidate;
}

} // namespace

std::optional<std::filesystem::path> ShareSheetSaver::picturesFolder()
{
    auto home = environmentPath("HOME");
    if (!home) {
        return std::nullopt;
    }
    auto config = environmentPath("XDG_CONFIG_HOME").value_or(*home / ".config");
    if (auto pictures = picturesFromUserDirs(config / "user-dirs.dirs", *home)) {
        return pictures;
    }
    return *home / "Pictures";
}

ShareOutcome ShareSheetSaver::saveImages(const std::vector<std::shared_ptr<UIImage>>& images, const std::filesystem::path& folder)
{
    ShareOutcome outcome;
    std::error_code error;
    std::filesystem::create_directories(folder, error);
    if (error) {
        outcome.message = "Could not make the folder " + folder.string() + ": " + error.message();
        return outcome;
    }
    std::string stem = "Radixel " + timestamp();
    std::string failure;
    for (size_t i = 0; i < images.size(); ++i) {
        auto png = UIImagePNGRepresentation(images[i]);
        if (!png) {
            failure = "an image has no pixels";
            continue;
        }
        auto file = unusedName(folder, images.size() == 1 ? stem : stem + " " + std::to_string(i + 1));
        if (auto problem = foundation::writeFileAtomically(file, std::string_view(reinterpret_cast<const char*>(png->data()), png->size()))) {
            failure = *problem;
            continue;
        }
        outcome.files.push_back(file);
    }
    outcome.saved = !outcome.files.empty();
    if (outcome.saved) {
        outcome.message = outcome.files.size() == 1 ? "Saved to " + outcome.files.front().string()
                                                    : "Saved " + std::to_string(outcome.files.size()) + " pictures to " + folder.string();
    } else {
        outcome.message = "Could not save the picture: " + (failure.empty() ? std::string("nothing to save") : failure);
    }
    return outcome;
}

const ShareOutcome& ShareSheetSaver::saveIfNeeded(UIActivityViewController& sheet)
{
    if (const ShareOutcome* known = outcomeFor(sheet)) {
        return *known;
    }
    auto outcome = std::make_shared<ShareOutcome>();
    if (auto folder = picturesFolder()) {
        *outcome = saveImages(sheet.activityItemsOfType<std::shared_ptr<UIImage>>(), *folder);
    } else {
        outcome->message = "Could not save the picture: HOME is not set";
    }
    sheet.setAssociatedObject(&outcomeKey, outcome);
    return *outcome;
}

const ShareOutcome* ShareSheetSaver::outcomeFor(const UIActivityViewController& sheet)
{
    return static_cast<const ShareOutcome*>(sheet.associatedObject(&outcomeKey).get());
}

std::vector<std::string> ShareSheetSaver::saveSheetsShownIn(const UIWindow& window)
{
    std::vector<std::string> messages;
    for (auto shown = window.rootViewController(); shown; shown = shown->presentedViewController()) {
        if (auto sheet = std::dynamic_pointer_cast<UIActivityViewController>(shown); sheet && !outcomeFor(*sheet)) {
            messages.push_back(saveIfNeeded(*sheet).message);
        }
    }
    return messages;
}

} // namespace render
