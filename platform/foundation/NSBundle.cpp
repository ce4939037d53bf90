#include "platform/foundation/NSBundle.hpp"

#include <algorithm>
#include <cstdlib>
#include <fstream>
#include <iostream>
#include <iterator>
#include <sstream>

#include "platform/foundation/NSLocale.hpp"
#include "platform/foundation/NSPropertyListSerialization.hpp"

namespace fs = std::filesystem;

namespace {

fs::path executableDirectory() {
    std::error_code ec;
    fs::path exe = fs::read_symlink("/proc/self/exe", ec);
    return ec ? fs::current_path(ec) : exe.parent_path();
}

fs::path findMainResources() {
    if (const char* overridden = std::getenv("RADIXEL_RESOURCES"); overridden && *overridden) return overridden;
    fs::path dir = executableDirectory();
    std::error_code ec;
    for (fs::path candidate : {dir / "resources", dir / ".." / "share" / "radixel" / "resources"})
        if (fs::is_directory(candidate, ec)) return candidate.lexically_normal();
    return dir / "resources";
}

}  // namespace

NSBundle::NSBundle(fs::path resourcePath) : resourcePath_(std::move(resourcePath)) {}

NSBundle& NSBundle::mainBundle() {
    static NSBundle bundle(findMainResources());
    return bundle;
}

std::optional<fs::path> NSBundle::pathForResource(const std::string& name, const std::string& extension) const {
    std::string file = extension.empty() ? name : name + "." + extension;
    std::error_code ec;
    for (fs::path candidate : {resourcePath_ / file, resourcePath_ / (preferredLocalization() + ".lproj") / file})
        if (fs::is_regular_file(candidate, ec)) return candidate;
    return std::nullopt;
}

std::optional<std::string> NSBundle::bundleIdentifier() const {
    std::error_code ec;
    fs::path file = resourcePath_ / "Info.plist";
    if (!fs::is_regular_file(file, ec)) return std::nullopt;
    NSError error;
    std::optional<nlohmann::json> info = NSPropertyListSerialization::propertyListWithContentsOfFile(file, &error);
    if (!info) {
        std::cout << error.description() << std::endl;
        return std::nullopt;
    }
    auto it = info->find("CFBundleIdentifier");
    if (!info->is_object() || it == info->end() || !it->is_string()) return std::nullopt;
    return it->get<std::string>();
}

std::vector<std::string> NSBundle::localizations() const {
    std::vector<std::string> result;
    std::error_code ec;
    for (fs::directory_iterator it(resourcePath_, ec), end; !ec && it != end; it.increment(ec)) {
        fs::path p = it->path();
        if (p.extension() == ".lproj") result.push_back(p.stem().string());
    }
    std::sort(result.begin(), result.end());
    return result;
}

std::string NSBundle::preferredLocalization() const {
    {
        std::lock_guard lock(mutex_);
        if (localization_) return *localization_;
    }
    std::vector<std::string> available = localizations();
    std::string chosen = "en";
    for (const std::string& language : NSLocale::preferredLanguages()) {
        if (std::find(available.begin(), available.end(), language) != available.end()) {
            chosen = language;
            break;
        }
    }
    std::lock_guard lock(mutex_);
    localization_ = chosen;
    return chosen;
}

const foundation::StringsTable& NSBundle::table(const std::string& name) const {
    // Called with mutex_ held.
    if (auto it = tables_.find(name); it != tables_.end()) return it->second;
    foundation::StringsTable& table = tables_[name];
    fs::path file = resourcePath_ / (*localization_ + ".lproj") / (name + ".strings");
    std::ifstream in(file, std::ios::binary);
    if (!in) return table;
    std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    auto parsed = foundation::parseStringsTable(bytes);
    if (auto* error = std::get_if<foundation::StringsTableError>(&parsed)) {
        std::cout << "Strings table " << file.string() << " unreadable (line " << error->line << ": " << error->message
                  << "); showing keys instead" << std::endl;
    } else {
        table = std::move(std::get<foundation::StringsTable>(parsed));
    }
    return table;
}

std::string NSBundle::localizedStringForKey(const std::string& key, const std::string& value,
                                            const std::string& tableName) const {
    preferredLocalization();
    std::lock_guard lock(mutex_);
    const auto& strings = table(tableName.empty() ? "Localizable" : tableName);
    if (auto it = strings.find(key); it != strings.end()) return it->second;
    return value.empty() ? key : value;
}

std::string NSLocalizedString(const std::string& key, const std::string& /*comment*/) {
    return NSBundle::mainBundle().localizedStringForKey(key, "", "");
}
