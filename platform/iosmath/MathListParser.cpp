#include "platform/iosmath/MathListParser.hpp"

#include "platform/iosmath/MathColorNames.hpp"
#include "platform/iosmath/MathSymbols.hpp"

#include <stdexcept>
#include <utility>

namespace iosmath {

namespace {

struct ParseError : std::runtime_error {
    using std::runtime_error::runtime_error;
};

// Where a list ends: what the caller waits for, and what actually ended it.
enum class Until { End, Brace, Right, EndEnvironment };
enum class Ended { End, Brace, Right, EndEnvironment, NextCell, NextRow };
// What may split a list: nothing inside braces and \left...\right; rows (\\) in a whole
// formula; rows and cells (&) only in an alignment environment.
enum class Splits { None, Rows, RowsAndCells };

bool isLetter(char c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'); }
bool isBlank(char c) { return c == ' ' || c == '\t' || c == '\n' || c == '\r'; }

class Parser {
public:
    explicit Parser(std::string_view text) : text_(text) {}

    std::unique_ptr<MathList> parseFormula() {
        auto table = parseTable(Until::End, Splits::Rows);
        auto result = std::make_unique<MathList>();
        if (table->rows.size() == 1 && table->rows[0].size() == 1) {
            *result = std::move(table->rows[0][0]);
        } else {
            MathAtom atom;
            atom.kind = MathAtomKind::Table;
            atom.table = std::move(table);
            result->atoms.push_back(std::move(atom));
        }
        return result;
    }

private:
    class DepthGuard {
    public:
        explicit DepthGuard(int& depth) : depth_(depth) {
            if (++depth_ > MathListParser::kMaxDepth) {
                throw ParseError("Formula nested too deeply (more than " +
                                 std::to_string(MathListParser::kMaxDepth) + " levels)");
            }
        }
        ~DepthGuard() { --depth_; }
        DepthGuard(const DepthGuard&) = delete;
        DepthGuard& operator=(const DepthGuard&) = delete;

    private:
        int& depth_;
    };

    bool atEnd() const { return pos_ >= text_.size(); }

    void skipBlanks() {
        while (!atEnd() && isBlank(text_[pos_])) ++pos_;
    }

    char32_t nextCodepoint() {
        auto byte = static_cast<unsigned char>(text_[pos_]);
        if (byte < 0x80) {
            ++pos_;
            return byte;
        }
        int length = byte >= 0xF0 ? 4 : byte >= 0xE0 ? 3 : byte >= 0xC0 ? 2 : 0;
        if (length == 0 || byte >= 0xF8 || pos_ + length > text_.size()) {
            throw ParseError("The formula is not valid UTF-8 text");
        }
        char32_t value = byte & (0x7F >> length);
        for (int i = 1; i < length; ++i) {
            auto next = static_cast<unsigned char>(text_[pos_ + i]);
            if ((next & 0xC0) != 0x80) throw ParseError("The formula is not valid UTF-8 text");
            value = (value << 6) | (next & 0x3F);
        }
        static constexpr char32_t kSmallest[] = {0, 0, 0x80, 0x800, 0x10000};
        if (value < kSmallest[length] || value > 0x10FFFF || (value >= 0xD800 && value <= 0xDFFF)) {
            throw ParseError("The formula is not valid UTF-8 text");
        }
        pos_ += length;
        return value;
    }

    // The name after a backslash: a run of letters, or one other character.
    std::string_view readCommandName() {
        if (atEnd()) throw ParseError("A lone \\ ends the formula");
        size_t start = pos_;
        if (isLetter(text_[pos_])) {
            while (!atEnd() && isLetter(text_[pos_])) ++pos_;
        } else {
            if (static_cast<unsigned char>(text_[pos_]) >= 0x80) {
                throw ParseError("Invalid command \\" + std::string(1, text_[pos_]));
            }
            ++pos_;
        }
        return text_.substr(start, pos_ - start);
    }

    // A braced argument taken as plain words: colour and environment names.
    std::string_view readNameArgument(std::string_view command) {
        skipBlanks();
        if (atEnd() || text_[pos_] != '{') {
            throw ParseError("Missing { after \\" + std::string(command));
        }
        size_t start = ++pos_;
        while (!atEnd() && text_[pos_] != '}') ++pos_;
        if (atEnd()) throw ParseError("Missing } after \\" + std::string(command));
        std::string_view name = text_.substr(start, pos_ - start);
        ++pos_;
        while (!name.empty() && isBlank(name.front())) name.remove_prefix(1);
        while (!name.empty() && isBlank(name.back())) name.remove_suffix(1);
        return name;
    }

    std::unique_ptr<MathTable> parseTable(Until until, Splits splits) {
        auto table = std::make_unique<MathTable>();
        table->rows.emplace_back();
        while (true) {
            Ended ended = Ended::End;
            MathList cell = parseList(until, splits, ended);
            table->rows.back().push_back(std::move(cell));
            if (ended == Ended::NextCell) continue;
            if (ended == Ended::NextRow) {
                table->rows.emplace_back();
                continue;
            }
            return table;
        }
    }

    MathList parseList(Until until, Splits splits, Ended& ended) {
        DepthGuard guard(depth_);
        MathList list;
        while (true) {
            skipBlanks();
            if (atEnd()) {
                switch (until) {
                    case Until::End: ended = Ended::End; return list;
                    case Until::Brace: throw ParseError("Missing closing brace }");
                    case Until::Right: throw ParseError("Missing \\right after \\left");
                    case Until::EndEnvironment: throw ParseError("Missing \\end{" + environment_ + "}");
                }
            }
            char c = text_[pos_];
            if (c == '}') {
                if (until != Until::Brace) throw ParseError("Unbalanced braces: } without {");
                ++pos_;
                ended = Ended::Brace;
                return list;
            }
            if (c == '&') {
                if (splits != Splits::RowsAndCells) throw ParseError("Misplaced alignment tab character &");
                ++pos_;
                ended = Ended::NextCell;
                return list;
            }
            if (c == '\\' && pos_ + 1 < text_.size() && text_[pos_ + 1] == '\\') {
                if (splits == Splits::None) throw ParseError("\\\\ is only allowed between eqalign or aligned rows");
                pos_ += 2;
                ended = Ended::NextRow;
                return list;
            }
            if (c == '\\') {
                size_t before = pos_;
                ++pos_;
                std::string_view name = readCommandName();
                if (name == "right" || name == "end") {
                    Until wanted = name == "right" ? Until::Right : Until::EndEnvironment;
                    if (until != wanted) {
                        throw ParseError(name == "right" ? "\\right without \\left"
                                                         : "\\end without \\begin");
                    }
                    ended = name == "right" ? Ended::Right : Ended::EndEnvironment;
                    return list;
                }
                pos_ = before;
            }
            parseToken(list);
        }
    }

    // One token's worth of atoms: a character, a command with its arguments, a group, a script.
    void parseToken(MathList& list) {
        char c = text_[pos_];
        if (c == '{') {
            ++pos_;
            Ended ended = Ended::End;
            MathAtom atom;
            atom.kind = MathAtomKind::Group;
            atom.nucleus = std::make_unique<MathList>(parseList(Until::Brace, Splits::None, ended));
            list.atoms.push_back(std::move(atom));
        } else if (c == '^' || c == '_') {
            ++pos_;
            attachScript(list, c == '^');
        } else if (c == '\\') {
            ++pos_;
            parseCommand(readCommandName(), list);
        } else {
            char32_t character = nextCodepoint();
            auto symbol = symbolForCharacter(character);
            if (!symbol) {
                if (character < 0x80 && character >= 0x20) {
                    throw ParseError(std::string("Unexpected character ") + static_cast<char>(character));
                }
                throw ParseError("Unexpected control character in the formula");
            }
            list.atoms.push_back(characterAtom(*symbol));
        }
    }

    MathAtom characterAtom(MathSymbol symbol) const {
        MathAtom atom;
        atom.kind = MathAtomKind::Character;
        atom.type = symbol.type;
        atom.codepoint = roman_ ? symbol.codepoint : mathItalic(symbol.codepoint);
        return atom;
    }

    void attachScript(MathList& list, bool superscript) {
        bool needsBase = list.atoms.empty() || list.atoms.back().kind == MathAtomKind::Space;
        if (needsBase) {
            MathAtom empty;
            empty.kind = MathAtomKind::Group;
            empty.nucleus = std::make_unique<MathList>();
            list.atoms.push_back(std::move(empty));
        }
        MathAtom& base = list.atoms.back();
        auto& slot = superscript ? base.superscript : base.subscript;
        if (slot) throw ParseError(superscript ? "Double superscript: use braces" : "Double subscript: use braces");
        slot = parseArgument(superscript ? "^" : "_");
    }

    // A braced list, or else exactly one token, as TeX takes macro arguments.
    std::unique_ptr<MathList> parseArgument(std::string_view owner) {
        skipBlanks();
        if (atEnd() || text_[pos_] == '}' || text_[pos_] == '&' || text_[pos_] == '^' ||
            text_[pos_] == '_') {
            throw ParseError("Missing argument for " + std::string(owner));
        }
        Ended ended = Ended::End;
        if (text_[pos_] == '{') {
            ++pos_;
            return std::make_unique<MathList>(parseList(Until::Brace, Splits::None, ended));
        }
        if (text_.substr(pos_, 2) == "\\\\" || text_.substr(pos_, 6) == "\\right" ||
            text_.substr(pos_, 4) == "\\end") {
            throw ParseError("Missing argument for " + std::string(owner));
        }
        DepthGuard guard(depth_);
        auto list = std::make_unique<MathList>();
        parseToken(*list);
        return list;
    }

    char32_t parseDelimiter(std::string_view owner) {
        skipBlanks();
        if (atEnd()) throw ParseError("Missing delimiter after \\" + std::string(owner));
        if (text_[pos_] == '\\') {
            ++pos_;
            std::string_view name = readCommandName();
            if (auto delimiter = delimiterForCommand(name)) return *delimiter;
            throw ParseError("Invalid delimiter \\" + std::string(name) + " after \\" + std::string(owner));
        }
        char32_t character = nextCodepoint();
        if (auto delimiter = delimiterForCharacter(character)) return *delimiter;
        throw ParseError("Invalid delimiter after \\" + std::string(owner));
    }

    void parseCommand(std::string_view name, MathList& list) {
        if (auto symbol = symbolForCommand(name)) {
            list.atoms.push_back(characterAtom(*symbol));
        } else if (auto space = spaceForCommand(name)) {
            MathAtom atom;
            atom.kind = MathAtomKind::Space;
            atom.spaceInMu = *space;
            list.atoms.push_back(std::move(atom));
        } else if (name == "frac") {
            MathAtom atom;
            // \frac puts the generalized fraction in a group of its own, so it spaces as an
            // ordinary atom; only a bare \over in a formula list would make an Inner atom.
            atom.kind = MathAtomKind::Fraction;
            atom.nucleus = parseArgument("\\frac");
            atom.denominator = parseArgument("\\frac");
            list.atoms.push_back(std::move(atom));
        } else if (name == "sqrt") {
            skipBlanks();
            if (!atEnd() && text_[pos_] == '[') throw ParseError("\\sqrt does not take a root degree");
            MathAtom atom;
            atom.kind = MathAtomKind::Radical;
            atom.nucleus = parseArgument("\\sqrt");
            list.atoms.push_back(std::move(atom));
        } else if (name == "left") {
            parseLeftRight(list);
        } else if (name == "color") {
            parseColor(list);
        } else if (name == "text") {
            parseText(list);
        } else if (name == "mathrm") {
            bool wasRoman = roman_;
            roman_ = true;
            MathAtom atom;
            atom.kind = MathAtomKind::Group;
            atom.nucleus = parseArgument("\\mathrm");
            roman_ = wasRoman;
            list.atoms.push_back(std::move(atom));
        } else if (name == "begin") {
            parseEnvironment(list);
        } else {
            throw ParseError("Invalid command \\" + std::string(name));
        }
    }

    void parseLeftRight(MathList& list) {
        MathAtom atom;
        atom.kind = MathAtomKind::LeftRight;
        atom.type = MathAtomType::Inner;
        atom.leftDelimiter = parseDelimiter("left");
        Ended ended = Ended::End;
        atom.nucleus = std::make_unique<MathList>(parseList(Until::Right, Splits::None, ended));
        atom.rightDelimiter = parseDelimiter("right");
        list.atoms.push_back(std::move(atom));
    }

    void parseColor(MathList& list) {
        std::string_view name = readNameArgument("color");
        auto color = parseMathColor(name);
        if (!color) throw ParseError("Unknown colour \"" + std::string(name) + "\"");
        auto body = parseArgument("\\color");
        // The coloured atoms join the surrounding list, so spacing and the unary minus rule
        // see them as if no colour had been given; inner colours win over outer ones.
        for (MathAtom& atom : body->atoms) {
            if (atom.color == kInheritColor) atom.color = *color;
            list.atoms.push_back(std::move(atom));
        }
    }

    void parseText(MathList& list) {
        skipBlanks();
        if (atEnd() || text_[pos_] != '{') throw ParseError("Missing { after \\text");
        ++pos_;
        MathAtom atom;
        atom.kind = MathAtomKind::Text;
        int braces = 0;
        while (true) {
            if (atEnd()) throw ParseError("Missing } after \\text");
            char c = text_[pos_];
            if (c == '}' && braces == 0) {
                ++pos_;
                break;
            }
            if (c == '{' || c == '}') {
                braces += c == '{' ? 1 : -1;
                ++pos_;
            } else if (c == '\\') {
                ++pos_;
                std::string_view escaped = readCommandName();
                if (escaped.size() != 1 || std::string_view("{}%&_$# ").find(escaped[0]) == std::string_view::npos) {
                    throw ParseError("\\text holds plain words only, not \\" + std::string(escaped));
                }
                atom.text.push_back(static_cast<char32_t>(escaped[0]));
            } else {
                char32_t character = nextCodepoint();
                if (character < 0x20) character = U' ';
                atom.text.push_back(character);
            }
        }
        list.atoms.push_back(std::move(atom));
    }

    void parseEnvironment(MathList& list) {
        std::string name(readNameArgument("begin"));
        if (name != "eqalign" && name != "aligned") {
            throw ParseError("Unknown environment \"" + name + "\"");
        }
        std::string outer = std::exchange(environment_, name);
        MathAtom atom;
        atom.kind = MathAtomKind::Table;
        atom.table = parseTable(Until::EndEnvironment, Splits::RowsAndCells);
        if (readNameArgument("end") != name) throw ParseError("\\begin{" + name + "} ends with another \\end");
        environment_ = std::move(outer);
        list.atoms.push_back(std::move(atom));
    }

    std::string_view text_;
    size_t pos_ = 0;
    int depth_ = 0;
    bool roman_ = false;
    std::string environment_;
};

}  // namespace

MathParseResult MathListParser::parse(std::string_view latex) {
    MathParseResult result;
    if (latex.size() > kMaxLength) {
        result.error = "Formula too long (" + std::to_string(latex.size()) + " bytes; at most " +
                       std::to_string(kMaxLength) + ")";
        return result;
    }
    try {
        result.list = Parser(latex).parseFormula();
    } catch (const ParseError& error) {
        result.error = error.what();
    }
    return result;
}

}  // namespace iosmath
