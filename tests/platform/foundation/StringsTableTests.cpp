#include <gtest/gtest.h>

#include <string>

#include "platform/foundation/StringsTable.hpp"

using foundation::parseStringsTable;
using foundation::StringsTable;
using foundation::StringsTableError;

namespace {

StringsTable parsed(std::string_view text) {
    auto result = parseStringsTable(text);
    if (auto* error = std::get_if<StringsTableError>(&result)) {
        ADD_FAILURE() << "line " << error->line << ": " << error->message;
        return {};
    }
    return std::get<StringsTable>(result);
}

StringsTableError failure(std::string_view text) {
    auto result = parseStringsTable(text);
    if (auto* error = std::get_if<StringsTableError>(&result)) return *error;
    ADD_FAILURE() << "parsed without error: " << text;
    return {};
}

// UTF-16 bytes with a byte-order mark; the literal already holds surrogate pairs where needed.
std::string utf16(std::u16string_view text, bool bigEndian) {
    std::string bytes = bigEndian ? "\xFE\xFF" : "\xFF\xFE";
    for (char16_t unit : text) {
        char hi = static_cast<char>(unit >> 8), lo = static_cast<char>(unit & 0xFF);
        bytes += bigEndian ? hi : lo;
        bytes += bigEndian ? lo : hi;
    }
    return bytes;
}

}  // namespace

TEST(StringsTable, ReadsEntriesBetweenCommentsInEveryForm) {
    EXPECT_TRUE(parsed("").empty());
    EXPECT_TRUE(parsed("  /* only */ // comments\n\n").empty());

    const StringsTable table = parsed(
        "/* A translator comment\n   over two lines */\n"
        "\"Your Input\" = \"Deine Eingabe\";\n"
        "// a line comment with \"quotes\" and ; inside\n"
        "\"Step\"=\"Schritt\" ;  /* trailing */\n"
        "plain_word = other.word-1;\n"
        "\"short\";\n"
        "\t\"spaced key\"\t=\r\n\"value // not a comment /* either */\";\n"
        "\"Step\" = \"Schritt (last wins)\";");
    EXPECT_EQ(table, (StringsTable{{"Your Input", "Deine Eingabe"},
                                   {"Step", "Schritt (last wins)"},
                                   {"plain_word", "other.word-1"},
                                   {"short", "short"},
                                   {"spaced key", "value // not a comment /* either */"}}));
}

TEST(StringsTable, DecodesEscapes) {
    const StringsTable table = parsed(
        "\"c\" = \"a\\nb\\tc\\\"d\\\\e\\'f\";\n"
        "\"u\" = \"\\U00e9\\u20AC\";\n"
        "\"pair\" = \"\\UD83D\\UDE00\";\n"
        "\"lone\" = \"\\UD83Dx\";\n"
        "\"octal\" = \"\\101\\60\\1017\";\n"
        "\"line\" = \"one\\\ntwo\";");
    EXPECT_EQ(table.at("c"), "a\nb\tc\"d\\e'f");
    EXPECT_EQ(table.at("u"), "\u00E9\u20AC");
    EXPECT_EQ(table.at("pair"), "\U0001F600");
    EXPECT_EQ(table.at("lone"), "\uFFFDx");
    EXPECT_EQ(table.at("octal"), "A0A7");  // at most three octal digits
    EXPECT_EQ(table.at("line"), "one\ntwo");

    EXPECT_EQ(failure("\"k\" = \"\\U12G4\";").message, "bad \\U escape");
    EXPECT_EQ(failure("\"k\" = \"\\U12").message, "bad \\U escape");
}

TEST(StringsTable, ReadsUtf16AndUtf8WithByteOrderMark) {
    const std::u16string text = u"/* \u00FC */\n\"key\" = \"Gr\u00FC\u00DFe \u6B65\u9AA4 \U0001F600\";\n";
    const StringsTable expected{{"key", "Gr\u00FC\u00DFe \u6B65\u9AA4 \U0001F600"}};
    EXPECT_EQ(parsed(utf16(text, false)), expected);
    EXPECT_EQ(parsed(utf16(text, true)), expected);
    EXPECT_EQ(parsed("\xEF\xBB\xBF\"key\" = \"Gr\u00FC\u00DFe \u6B65\u9AA4 \U0001F600\";"), expected);

    // A UTF-16 error still reports the line of the text, not of the bytes.
    EXPECT_EQ(failure(utf16(u"\"a\" = \"b\";\n\"c\" = \"d\"\n", false)).line, 2);
}

TEST(StringsTable, ReportsMalformedInputWithItsLine) {
    struct Case {
        const char* text;
        int line;
        const char* message;
    };
    const Case cases[] = {
        {"\"a\" = \"b\";\n\"c\" = \"d\"\n\"e\" = \"f\";", 2, "expected ';' after the entry for \"c\""},
        {"\"a\" = \"b\"", 1, "expected ';' after the entry for \"a\""},
        {"\"short\"\n\n\"b\" = \"c\";", 1, "expected ';' after the entry for \"short\""},
        {"/* 1\n2 */\n\"a\" = \"x\ny\";\n\"b\" = \"c\" \"d\";", 5, "expected ';' after the entry for \"b\""},
        {"\"a\" = \"b\";\n\n\"c\" = \"d;\n\n// the end\n", 3, "unterminated string"},
        {"\"a\" = \"b\\", 1, "unterminated string"},
        {"\"a\" = \"b\";\n/* open\n\n", 2, "unterminated comment"},
        {"\"a\" = \"b\";\n= \"c\";", 2, "unexpected character '='"},
        {"\"a\" = ;", 1, "unexpected character ';'"},
        {"\"a\" =\n", 2, "unexpected end of text"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        const StringsTableError error = failure(c.text);
        EXPECT_EQ(error.line, c.line);
        EXPECT_EQ(error.message, c.message);
    }
}
