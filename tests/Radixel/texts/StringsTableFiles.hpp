#pragma once

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <string>
#include <variant>

#include "platform/foundation/NSBundle.hpp"

// The application's languages and their strings tables, read straight from the resource folder
// so that every language can be checked whatever the test's own locale is.
inline constexpr const char* kLanguages[] = {"de", "zh", "ja", "en", "es", "ko", "pt", "ru", "fr", "id", "hi"};

inline foundation::StringsTable loadTable(const std::string& language) {
    const auto file = NSBundle::mainBundle().resourcePath() / (language + ".lproj") / "Localizable.strings";
    std::ifstream in(file, std::ios::binary);
    if (!in) {
        ADD_FAILURE() << "missing " << file;
        return {};
    }
    const std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    auto parsed = foundation::parseStringsTable(bytes);
    if (auto* error = std::get_if<foundation::StringsTableError>(&parsed)) {
        ADD_FAILURE() << file << " line " << error->line << ": " << error->message;
        return {};
    }
    return std::get<foundation::StringsTable>(parsed);
}
