#pragma once

#include <filesystem>
#include <map>
#include <mutex>
#include <optional>
#include <string>
#include <vector>

#include "platform/foundation/StringsTable.hpp"

// The application's bundle: a resource folder holding plain resources and one
// "<lang>.lproj" folder per localisation with its strings tables.
class NSBundle {
public:
    explicit NSBundle(std::filesystem::path resourcePath);

    // The main bundle's resources are, in this order: the folder named by RADIXEL_RESOURCES,
    // "resources" next to the program, or "../share/radixel/resources" from the program.
    static NSBundle& mainBundle();

    const std::filesystem::path& resourcePath() const { return resourcePath_; }

    // A resource file by name and extension, looked up in the resource folder and then in the
    // localisation folder; none when it does not exist.
    std::optional<std::filesystem::path> pathForResource(const std::string& name, const std::string& extension) const;

    // The bundle's identifier: "CFBundleIdentifier" of the resource "Info.plist"; none when the
    // file or the key is missing or unreadable.
    std::optional<std::string> bundleIdentifier() const;

    // The localisations the bundle has ("de", "en", ...), sorted.
    std::vector<std::string> localizations() const;

    // The localisation used for strings: the first preferred language the bundle has, else "en".
    std::string preferredLocalization() const;

    // The text for key in the table ("Localizable" when empty) of the preferred localisation;
    // when the key is missing, value, or the key itself when value is empty.
    std::string localizedStringForKey(const std::string& key, const std::string& value, const std::string& table) const;

private:
    const foundation::StringsTable& table(const std::string& name) const;

    std::filesystem::path resourcePath_;
    mutable std::mutex mutex_;
    mutable std::optional<std::string> localization_;
    mutable std::map<std::string, foundation::StringsTable> tables_;
};

// The platform's shorthand: the main bundle's default table, empty default value. The comment
// is for translators only.
std::string NSLocalizedString(const std::string& key, const std::string& comment);
