#include "platform/foundation/StringsTable.hpp"

#include <cstdint>
#include <optional>

namespace foundation {
namespace {

void appendUtf8(std::string& out, char32_t cp) {
    if (cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) cp = 0xFFFD;
    if (cp < 0x80) {
        out += static_cast<char>(cp);
    } else if (cp < 0x800) {
        out += static_cast<char>(0xC0 | (cp >> 6));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    } else if (cp < 0x10000) {
        out += static_cast<char>(0xE0 | (cp >> 12));
        out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (cp >> 18));
        out += static_cast<char>(0x80 | ((cp >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    }
}

// UTF-16 text (after its byte-order mark) to UTF-8; unpaired surrogates become U+FFFD.
std::string utf16ToUtf8(std::string_view bytes, bool bigEndian) {
    std::string out;
    out.reserve(bytes.size());
    auto unit = [&](size_t i) -> char16_t {
        auto hi = static_cast<unsigned char>(bytes[bigEndian ? i : i + 1]);
        auto lo = static_cast<unsigned char>(bytes[bigEndian ? i + 1 : i]);
        return static_cast<char16_t>((hi << 8) | lo);
    };
    for (size_t i = 0; i + 1 < bytes.size(); i += 2) {
        char32_t cp = unit(i);
        if (cp >= 0xD800 && cp <= 0xDBFF && i + 3 < bytes.size()) {
            char32_t low = unit(i + 2);
            if (low >= 0xDC00 && low <= 0xDFFF) {
                cp = 0x10000 + ((cp - 0xD800) << 10) + (low - 0xDC00);
                i += 2;
            }
        }
        appendUtf8(out, cp);
    }
    return out;
}

bool isUnquotedChar(char c) {
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '_' || c == '$' ||
           c == '+' || c == '/' || c == ':' || c == '.' || c == '-';
}

int hexValue(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

class Parser {
public:
    explicit Parser(std::string_view text) : text_(text) {}

    std::variant<StringsTable, StringsTableError> run() {
        StringsTable table;
        while (true) {
            if (!skipBlanks()) return error_;
            if (pos_ >= text_.size()) return table;
            auto key = readString();
            if (!key) return error_;
            int entryEndLine = line_;
            if (!skipBlanks()) return error_;
            std::string value = *key;
            if (peek() == '=') {
                ++pos_;
                if (!skipBlanks()) return error_;
                auto v = readString();
                if (!v) return error_;
                value = std::move(*v);
                entryEndLine = line_;
                if (!skipBlanks()) return error_;
            }
            if (peek() != ';') {
                // Point at the entry that lacks its ';', not at the line where the next one starts.
                line_ = entryEndLine;
                fail("expected ';' after the entry for \"" + *key + "\"");
                return error_;
            }
            ++pos_;
            table[*key] = std::move(value);
        }
    }

private:
    char peek() const { return pos_ < text_.size() ? text_[pos_] : '\0'; }

    std::nullopt_t fail(std::string message) {
        error_ = StringsTableError{line_, std::move(message)};
        return std::nullopt;
    }

    // Skips white space and comments; false on an unterminated comment.
    bool skipBlanks() {
        while (pos_ < text_.size()) {
            char c = text_[pos_];
            if (c == '\n') {
                ++line_;
                ++pos_;
            } else if (c == ' ' || c == '\t' || c == '\r' || c == '\f' || c == '\v') {
                ++pos_;
            } else if (text_.substr(pos_, 2) == "/*") {
                auto end = text_.find("*/", pos_ + 2);
                if (end == std::string_view::npos) {
                    fail("unterminated comment");
                    return false;
                }
                for (size_t i = pos_; i < end; ++i) line_ += text_[i] == '\n';
                pos_ = end + 2;
            } else if (text_.substr(pos_, 2) == "//") {
                while (pos_ < text_.size() && text_[pos_] != '\n') ++pos_;
            } else {
                break;
            }
        }
        return true;
    }

    std::optional<std::string> readString() {
        if (peek() == '"') return readQuoted();
        std::string word;
        while (pos_ < text_.size() && isUnquotedChar(text_[pos_])) word += text_[pos_++];
        if (word.empty()) {
            if (pos_ >= text_.size()) return fail("unexpected end of text");
            return fail(std::string("unexpected character '") + text_[pos_] + "'");
        }
        return word;
    }

    std::optional<std::string> readQuoted() {
        ++pos_;  // opening quote
        const int startLine = line_;
        std::string out;
        while (pos_ < text_.size()) {
            char c = text_[pos_++];
            if (c == '"') return out;
            if (c == '\n') ++line_;
            if (c != '\\') {
                out += c;
                continue;
            }
            if (pos_ >= text_.size()) break;
            char e = text_[pos_++];
            switch (e) {
                case 'n': out += '\n'; break;
                case 't': out += '\t'; break;
                case 'r': out += '\r'; break;
                case 'a': out += '\a'; break;
                case 'b': out += '\b'; break;
                case 'f': out += '\f'; break;
                case 'v': out += '\v'; break;
                case 'U':
                case 'u': {
                    auto cp = readHex4();
                    if (!cp) return fail("bad \\U escape");
                    char32_t value = *cp;
                    // A high surrogate pairs with a following \Uxxxx low surrogate.
                    if (value >= 0xD800 && value <= 0xDBFF && text_.substr(pos_, 2).size() == 2 && text_[pos_] == '\\' &&
                        (text_[pos_ + 1] == 'U' || text_[pos_ + 1] == 'u')) {
                        size_t save = pos_;
                        pos_ += 2;
                        auto low = readHex4();
                        if (low && *low >= 0xDC00 && *low <= 0xDFFF) {
                            value = 0x10000 + ((value - 0xD800) << 10) + (*low - 0xDC00);
                        } else {
                            pos_ = save;
                        }
                    }
                    appendUtf8(out, value);
                    break;
                }
                default:
                    if (e >= '0' && e <= '7') {
                        unsigned value = static_cast<unsigned>(e - '0');
                        for (int i = 0; i < 2 && pos_ < text_.size() && text_[pos_] >= '0' && text_[pos_] <= '7'; ++i)
                            value = value * 8 + static_cast<unsigned>(text_[pos_++] - '0');
                        appendUtf8(out, value);
                    } else {
                        if (e == '\n') ++line_;
                        out += e;  // \" \\ \' and any other character stand for themselves
                    }
            }
        }
        // The end of the text is no help in finding a missing quote; its opening line is.
        line_ = startLine;
        return fail("unterminated string");
    }

    std::optional<char32_t> readHex4() {
        if (pos_ + 4 > text_.size()) return std::nullopt;
        char32_t value = 0;
        for (int i = 0; i < 4; ++i) {
            int h = hexValue(text_[pos_ + static_cast<size_t>(i)]);
            if (h < 0) return std::nullopt;
            value = value * 16 + static_cast<char32_t>(h);
        }
        pos_ += 4;
        return value;
    }

    std::string_view text_;
    size_t pos_ = 0;
    int line_ = 1;
    StringsTableError error_;
};

}  // namespace

std::variant<StringsTable, StringsTableError> parseStringsTable(std::string_view bytes) {
    if (bytes.size() >= 2 && static_cast<unsigned char>(bytes[0]) == 0xFF && static_cast<unsigned char>(bytes[1]) == 0xFE)
        return Parser(utf16ToUtf8(bytes.substr(2), false)).run();
    if (bytes.size() >= 2 && static_cast<unsigned char>(bytes[0]) == 0xFE && static_cast<unsigned char>(bytes[1]) == 0xFF)
        return Parser(utf16ToUtf8(bytes.substr(2), true)).run();
    if (bytes.substr(0, 3) == "\xEF\xBB\xBF") bytes.remove_prefix(3);
    return Parser(bytes).run();
}

}  // namespace foundation
