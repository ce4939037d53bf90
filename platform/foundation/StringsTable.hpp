#pragma once

#include <map>
#include <string>
#include <string_view>
#include <variant>

namespace foundation {

// A strings table: the "key" = "value"; text format of localised strings, with /* */ and //
// comments, C-style and \Uxxxx escapes, unquoted words, and the short form "key"; (value = key).
// The text may be UTF-8 or UTF-16 with a byte-order mark.
using StringsTable = std::map<std::string, std::string>;

struct StringsTableError {
    int line = 0;
    std::string message;
};

std::variant<StringsTable, StringsTableError> parseStringsTable(std::string_view bytes);

}  // namespace foundation
