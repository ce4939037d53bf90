#include "platform/foundation/NSPropertyListSerialization.hpp"

#include <cctype>
#include <cstdint>
#include <cstdlib>
#include <ctime>
#include <limits>
#include <memory>
#include <string>

#include <plist/plist.h>

#include "platform/foundation/AtomicFile.hpp"
#include "platform/foundation/NSJSONSerialization.hpp"

using nlohmann::json;

namespace {

// Seconds between 1970-01-01 and the property-list epoch 2001-01-01.
constexpr std::int64_t propertyListEpoch = 978307200;

struct PlistDeleter {
    void operator()(void* node) const { plist_free(static_cast<plist_t>(node)); }
};

struct MallocText {
    char* text = nullptr;
    ~MallocText() { std::free(text); }
};

std::string base64(const char* bytes, std::uint64_t length) {
    static const char alphabet[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";
    std::string out;
    out.reserve(static_cast<std::size_t>((length + 2) / 3 * 4));
    for (std::uint64_t i = 0; i < length; i += 3) {
        std::uint32_t chunk = static_cast<unsigned char>(bytes[i]) << 16;
        if (i + 1 < length) chunk |= static_cast<unsigned char>(bytes[i + 1]) << 8;
        if (i + 2 < length) chunk |= static_cast<unsigned char>(bytes[i + 2]);
        out += alphabet[(chunk >> 18) & 63];
        out += alphabet[(chunk >> 12) & 63];
        out += i + 1 < length ? alphabet[(chunk >> 6) & 63] : '=';
        out += i + 2 < length ? alphabet[chunk & 63] : '=';
    }
    return out;
}

std::string isoDate(std::int32_t secondsSince2001) {
    std::time_t t = static_cast<std::time_t>(propertyListEpoch + secondsSince2001);
    std::tm utc{};
    gmtime_r(&t, &utc);
    char text[32];
    std::strftime(text, sizeof text, "%Y-%m-%dT%H:%M:%SZ", &utc);
    return text;
}

bool convert(plist_t node, int depth, json& out, std::string& failure) {
    if (depth > NSJSONSerialization::maximumDepth) {
        failure = "The property list is nested too deeply.";
        return false;
    }
    switch (plist_get_node_type(node)) {
    case PLIST_BOOLEAN: {
        std::uint8_t value = 0;
        plist_get_bool_val(node, &value);
        out = value != 0;
        return true;
    }
    case PLIST_UINT: {
        // The library keeps every integer as 64 unsigned bits; negative ones come back as their
        // two's complement.
        std::uint64_t value = 0;
        plist_get_uint_val(node, &value);
        out = static_cast<std::int64_t>(value);
        return true;
    }
    case PLIST_REAL: {
        double value = 0;
        plist_get_real_val(node, &value);
        out = value;
        return true;
    }
    case PLIST_STRING: {
        std::uint64_t length = 0;
        const char* text = plist_get_string_ptr(node, &length);
        out = text ? std::string(text, static_cast<std::size_t>(length)) : std::string();
        return true;
    }
    case PLIST_DATE: {
        std::int32_t seconds = 0, microseconds = 0;
        plist_get_date_val(node, &seconds, &microseconds);
        out = isoDate(seconds);
        return true;
    }
    case PLIST_DATA: {
        std::uint64_t length = 0;
        const char* bytes = plist_get_data_ptr(node, &length);
        out = base64(bytes, bytes ? length : 0);
        return true;
    }
    case PLIST_UID: {
        std::uint64_t value = 0;
        plist_get_uid_val(node, &value);
        out = value;
        return true;
    }
    case PLIST_ARRAY: {
        out = json::array();
        std::uint32_t size = plist_array_get_size(node);
        for (std::uint32_t i = 0; i < size; ++i) {
            json item;
            if (!convert(plist_array_get_item(node, i), depth + 1, item, failure)) return false;
            out.push_back(std::move(item));
        }
        return true;
    }
    case PLIST_DICT: {
        out = json::object();
        plist_dict_iter iterator = nullptr;
        plist_dict_new_iter(node, &iterator);
        if (!iterator) return true;
        bool ok = true;
        for (;;) {
            MallocText key;
            plist_t value = nullptr;
            plist_dict_next_item(node, iterator, &key.text, &value);
            if (!value) break;
            json item;
            if (!convert(value, depth + 1, item, failure)) {
                ok = false;
                break;
            }
            out[key.text ? key.text : ""] = std::move(item);
        }
        std::free(iterator);
        return ok;
    }
    default:
        failure = "The property list holds a value of an unknown kind.";
        return false;
    }
}

// No NUL byte, and every character reference names a character other than NUL (and fits).
bool isSafeXml(std::string_view xml) {
    if (xml.empty() || xml.find('\0') != std::string_view::npos) return false;
    for (std::size_t at = xml.find("&#"); at != std::string_view::npos; at = xml.find("&#", at + 2)) {
        std::size_t pos = at + 2;
        int base = 10;
        if (pos < xml.size() && (xml[pos] == 'x' || xml[pos] == 'X')) {
            base = 16;
            ++pos;
        }
        std::uint64_t value = 0;
        std::size_t digits = 0;
        for (; pos < xml.size() && std::isxdigit(static_cast<unsigned char>(xml[pos])); ++pos, ++digits) {
            char c = static_cast<char>(std::tolower(static_cast<unsigned char>(xml[pos])));
            if (base == 10 && !std::isdigit(static_cast<unsigned char>(c))) return false;
            value = value * base + static_cast<std::uint64_t>(std::isdigit(static_cast<unsigned char>(c)) ? c - '0' : c - 'a' + 10);
            if (value > 0x10FFFF) return false;
        }
        if (digits == 0 || value == 0 || pos >= xml.size() || xml[pos] != ';') return false;
    }
    return true;
}

void fail(NSError* error, std::int64_t code, const std::string& description) {
    if (error) *error = NSError{NSPropertyListSerialization::errorDomain, code, description};
}

}  // namespace

std::optional<json> NSPropertyListSerialization::propertyListWithData(std::string_view data, NSError* error) {
    if (data.empty() || data.size() > std::numeric_limits<std::uint32_t>::max()) {
        fail(error, readCorruptErrorCode, "The data couldn't be read because it isn't in the correct format.");
        return std::nullopt;
    }
    // The library stops the program on a text with a NUL character in a dictionary key, so such
    // lists are refused before it builds its tree: binary lists go through its XML writer first
    // (a NUL then shows up as a byte of the XML text), and XML text is checked for NUL bytes and
    // character references before it is parsed.
    std::string xml;
    if (plist_is_binary(data.data(), static_cast<std::uint32_t>(data.size()))) {
        plist_t binary = nullptr;
        plist_from_bin(data.data(), static_cast<std::uint32_t>(data.size()), &binary);
        std::unique_ptr<void, PlistDeleter> binaryRoot(binary);
        char* text = nullptr;
        std::uint32_t length = 0;
        if (binaryRoot) plist_to_xml(static_cast<plist_t>(binaryRoot.get()), &text, &length);
        if (text) xml.assign(text, length);
        std::free(text);
    } else {
        xml.assign(data);
    }
    plist_t raw = nullptr;
    if (isSafeXml(xml)) plist_from_xml(xml.data(), static_cast<std::uint32_t>(xml.size()), &raw);
    std::unique_ptr<void, PlistDeleter> root(raw);
    if (!root) {
        fail(error, readCorruptErrorCode, "The data couldn't be read because it isn't in the correct format.");
        return std::nullopt;
    }
    json out;
    std::string failure;
    if (!convert(static_cast<plist_t>(root.get()), 0, out, failure)) {
        fail(error, readCorruptErrorCode, failure);
        return std::nullopt;
    }
    return out;
}

std::optional<json> NSPropertyListSerialization::propertyListWithContentsOfFile(const std::filesystem::path& file,
                                                                                NSError* error) {
    std::string readError;
    std::optional<std::string> bytes = foundation::readFileContents(file, &readError);
    if (!bytes) {
        fail(error, fileReadErrorCode, "The file \"" + file.filename().string() + "\" couldn't be opened: " + readError);
        return std::nullopt;
    }
    return propertyListWithData(*bytes, error);
}
