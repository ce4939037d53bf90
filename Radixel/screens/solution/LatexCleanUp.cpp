#include "Radixel/screens/solution/LatexCleanUp.hpp"

#include <array>
#include <string_view>
#include <utility>
#include <vector>

namespace {

bool isLetter(char c) {
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
}

bool isDigit(char c) {
    return c >= '0' && c <= '9';
}

// The name of the command the text ends in ("cdot" for "x \cdot"), empty when it ends in
// anything else. "\\" is a row break, not the start of a command.
std::string_view trailingCommand(std::string_view text) {
    size_t start = text.size();
    while (start > 0 && isLetter(text[start - 1])) --start;
    if (start == text.size() || start == 0 || text[start - 1] != '\\') return {};
    size_t backslashes = 0;
    for (size_t i = start; i > 0 && text[i - 1] == '\\'; --i) ++backslashes;
    return backslashes % 2 == 1 ? text.substr(start) : std::string_view();
}

// Where a removal closes a gap, the command that ends `written` and a letter at the start of
// `next` would run together into one unknown command name; a blank keeps them apart.
void keepApartFromCommand(std::string& written, std::string_view next) {
    if (!next.empty() && isLetter(next.front()) && !trailingCommand(written).empty()) written += ' ';
}

// Every occurrence, scanning from the start, without looking again at what a replacement wrote.
void replaceAll(std::string& text, std::string_view find, std::string_view replacement) {
    if (text.find(find) == std::string::npos) return;
    // A command can only be glued to what follows when the found text separated them.
    const bool mayJoinCommand = !isLetter(find.front());
    std::string result;
    result.reserve(text.size());
    size_t from = 0;
    for (size_t at = text.find(find); at != std::string::npos; at = text.find(find, from)) {
        result.append(text, from, at - from);
        from = at + find.size();
        if (mayJoinCommand) {
            keepApartFromCommand(result, replacement.empty() ? std::string_view(text).substr(from) : replacement);
        }
        result += replacement;
    }
    result.append(text, from);
    text = std::move(result);
}

// Blanks between the end of `written` and the command before them are skipped: "\left (" is
// as much a delimiter as "\left(".
bool endsInCommand(std::string_view written, std::string_view name) {
    size_t end = written.size();
    while (end > 0 && written[end - 1] == ' ') --end;
    return trailingCommand(written.substr(0, end)) == name;
}

// Every parenthesis gets its sizing command, except one that already is the delimiter of it.
void sizeParentheses(std::string& text, char parenthesis, std::string_view command) {
    std::string result;
    result.reserve(text.size());
    for (char c : text) {
        if (c == parenthesis && !endsInCommand(result, command)) {
            result += '\\';
            result += command;
        }
        result += c;
    }
    text = std::move(result);
}

// A full stop before a blank goes, unless it is the empty delimiter of \left or \right.
void dropFullStops(std::string& text) {
    std::string result;
    result.reserve(text.size());
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '.' && i + 1 < text.size() && text[i + 1] == ' ' &&
            trailingCommand(result) != "left" && trailingCommand(result) != "right") {
            continue;
        }
        result += text[i];
    }
    text = std::move(result);
}

// Only the first ".0" counts; a digit after it means it belongs to a longer fraction part.
void dropFirstPointZero(std::string& text) {
    size_t at = text.find(".0");
    if (at == std::string::npos) return;
    if (at + 2 < text.size() && isDigit(text[at + 2])) return;
    std::string result = text.substr(0, at);
    std::string_view rest = std::string_view(text).substr(at + 2);
    keepApartFromCommand(result, rest);
    result += rest;
    text = std::move(result);
}

// An equation label such as "II)" at the very start stays a plain parenthesis.
void keepRomanLabelsPlain(std::string& text) {
    static constexpr std::array<std::string_view, 10> labels = {"I", "II", "III", "IV", "V",
                                                                "VI", "VII", "VIII", "IX", "X"};
    for (std::string_view label : labels) {
        std::string sized = std::string(label) + "\\right)";
        if (text.starts_with(sized)) replaceAll(text, sized, std::string(label) + ")");
    }
}

std::string cleanedOnce(std::string text) {
    replaceAll(text, "  ", " ");
    replaceAll(text, "\\quad", "\\quad ");
    dropFullStops(text);
    sizeParentheses(text, '(', "left");
    sizeParentheses(text, ')', "right");
    replaceAll(text, "\\left\\left", "\\left");
    replaceAll(text, "\\right\\right", "\\right");
    replaceAll(text, " 1x", "x");
    replaceAll(text, " 0x", "");
    replaceAll(text, ".0\\quad", "\\quad");
    if (text.ends_with(".0")) text.resize(text.size() - 2);
    dropFirstPointZero(text);
    replaceAll(text, "+-", "-");
    replaceAll(text, "-+", "-");
    replaceAll(text, "+ -", "-");
    replaceAll(text, "- +", "-");
    replaceAll(text, "+ +", "+");
    replaceAll(text, "++", "+");
    replaceAll(text, "--", "+");
    replaceAll(text, "- -", "+");
    replaceAll(text, "*", "\\cdot ");
    replaceAll(text, "= +", "=");
    replaceAll(text, "=+", "=");
    keepRomanLabelsPlain(text);
    return text;
}

// The typesetter pairs \left with the next free \right of the same group, and a group ends at
// a brace, a table cell or a row. Sizing that finds no partner there would make the whole
// formula unreadable, so such a parenthesis is written plain again.
void unsizeUnpairedParentheses(std::string& text) {
    struct Sizing {
        size_t at;
        bool paired = false;
    };
    std::vector<Sizing> sizings;
    std::vector<std::vector<size_t>> openByGroup(1);  // indices into sizings of \left waiting for \right
    auto endGroup = [&] {
        if (openByGroup.size() > 1)
            openByGroup.pop_back();
        else
            openByGroup.back().clear();
    };
    size_t i = 0;
    while (i < text.size()) {
        const size_t at = i++;
        if (text[at] == '{') {
            openByGroup.emplace_back();
        } else if (text[at] == '}') {
            endGroup();
        } else if (text[at] == '&') {
            openByGroup.back().clear();
        } else if (text[at] == '\\' && i < text.size()) {
            const size_t nameStart = i;
            while (i < text.size() && isLetter(text[i])) ++i;
            if (i == nameStart) ++i;  // a one-character command: \\ \{ \;
            std::string_view name = std::string_view(text).substr(nameStart, i - nameStart);
            if (name == "\\") {
                openByGroup.back().clear();
            } else if (name == "left") {
                openByGroup.back().push_back(sizings.size());
                sizings.push_back({at});
            } else if (name == "right") {
                sizings.push_back({at});
                if (!openByGroup.back().empty()) {
                    sizings[openByGroup.back().back()].paired = true;
                    sizings.back().paired = true;
                    openByGroup.back().pop_back();
                }
            } else if (name == "begin") {
                openByGroup.emplace_back();
            } else if (name == "end") {
                endGroup();
            }
        }
    }
    std::string result;
    result.reserve(text.size());
    size_t from = 0;
    for (const Sizing& sizing : sizings) {
        if (sizing.paired) continue;
        for (std::string_view sized : {std::string_view("\\left("), std::string_view("\\right)")}) {
            if (std::string_view(text).substr(sizing.at, sized.size()) != sized) continue;
            result.append(text, from, sizing.at - from);
            result += sized.back();
            from = sizing.at + sized.size();
        }
    }
    result.append(text, from);
    text = std::move(result);
}

}  // namespace

std::string cleanUpLatexString(const std::string& latexString) {
    std::string text = latexString;
    while (true) {
        std::string next = cleanedOnce(text);
        if (next == text) break;
        text = std::move(next);
    }
    unsizeUnpairedParentheses(text);
    replaceAll(text, "\\color", "\\;\\color");
    return text;
}
