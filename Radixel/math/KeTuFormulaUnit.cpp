#include "Radixel/math/KeTuFormulaUnit.hpp"

#include <algorithm>
#include <cstdio>
#include <exception>
#include <filesystem>
#include <iostream>
#include <memory>

#include "Radixel/math/FormulaError.hpp"
#include "platform/foundation/JSONRecordReader.hpp"
#include "platform/foundation/NSBundle.hpp"

namespace {

constexpr const char* unitsOfLengthResource = "unitsOfLength";

struct FileCloser {
    void operator()(std::FILE* file) const { std::fclose(file); }
};

// stdio rather than a stream: a read error (a directory, an I/O failure) must be told apart
// from an empty file.
std::optional<std::string> readWholeFile(const std::filesystem::path& path) {
    std::unique_ptr<std::FILE, FileCloser> file(std::fopen(path.c_str(), "rb"));
    if (!file) return std::nullopt;
    std::string data;
    char buffer[16384];
    std::size_t count;
    while ((count = std::fread(buffer, 1, sizeof buffer, file.get())) > 0) data.append(buffer, count);
    if (std::ferror(file.get())) return std::nullopt;
    return data;
}

std::vector<Unit> decodeUnits(const nlohmann::json& document) {
    const nlohmann::json& list = JSONRecordReader::requireArray(document, "units");
    std::vector<Unit> decoded;
    decoded.reserve(list.size());
    for (std::size_t i = 0; i < list.size(); ++i)
        decoded.push_back(Unit::decode(list[i], "units[" + std::to_string(i) + "]"));
    return decoded;
}

// The console takes one line per diagnostic, whatever the error text holds.
std::string oneLine(std::string text) {
    std::replace_if(text.begin(), text.end(), [](char c) { return c == '\n' || c == '\r'; }, ' ');
    return text;
}

}  // namespace

KeTuFormulaUnit::KeTuFormulaUnit() : KeTuFormulaUnit(NSBundle::mainBundle()) {}

KeTuFormulaUnit::KeTuFormulaUnit(const NSBundle& bundle) : bundle_(bundle) {
    // A unit list that cannot be loaded leaves the calculators without units, not without
    // the object: the failure is reported and construction goes on.
    try {
        loadUnits(unitsOfLengthResource);
    } catch (const std::exception& error) {
        std::cout << oneLine(std::string("Units not loaded from \"") + unitsOfLengthResource +
                             ".json\": " + error.what())
                  << std::endl;
    }
}

void KeTuFormulaUnit::loadUnits(const std::string& fromFile) {
    std::optional<std::filesystem::path> path = bundle_.pathForResource(fromFile, "json");
    if (!path) throw FormulaError(FormulaError::configurationFailed);
    std::optional<std::string> data = readWholeFile(*path);
    if (!data) throw FormulaError(FormulaError::configurationFailed);
    units = decodeUnits(nlohmann::json::parse(*data));
}
