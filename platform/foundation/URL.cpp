#include "platform/foundation/URL.hpp"

#include <algorithm>
#include <cctype>
#include <string_view>

namespace {

bool isAsciiLetter(char c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'); }
bool isAsciiDigit(char c) { return c >= '0' && c <= '9'; }
bool isHexDigit(char c) { return isAsciiDigit(c) || (c >= 'a' && c <= 'f') || (c >= 'A' && c <= 'F'); }

bool isUnreserved(char c) {
    return isAsciiLetter(c) || isAsciiDigit(c) || c == '-' || c == '.' || c == '_' || c == '~';
}
bool isSubDelimiter(char c) { return std::string_view("!$&'()*+,;=").find(c) != std::string_view::npos; }
bool isAllowedInURL(char c) {
    return isUnreserved(c) || isSubDelimiter(c) || std::string_view(":/?#[]@%").find(c) != std::string_view::npos;
}

// Every character allowed, every "%" starts a complete escape, at most one "#".
bool hasOnlyURLCharacters(std::string_view text) {
    for (size_t i = 0; i < text.size(); ++i) {
        if (!isAllowedInURL(text[i])) return false;
        if (text[i] == '%' && (i + 2 >= text.size() || !isHexDigit(text[i + 1]) || !isHexDigit(text[i + 2])))
            return false;
    }
    return std::count(text.begin(), text.end(), '#') <= 1;
}

bool isValidScheme(std::string_view scheme) {
    return !scheme.empty() && isAsciiLetter(scheme.front()) && std::all_of(scheme.begin(), scheme.end(), [](char c) {
        return isAsciiLetter(c) || isAsciiDigit(c) || c == '+' || c == '-' || c == '.';
    });
}

// A host as URLs write it: a name of unreserved characters, sub-delimiters and escapes, or an
// IPv6 literal in brackets; then an optional port of digits.
bool splitHostAndPort(std::string_view hostPort, std::string_view& host) {
    std::string_view port;
    if (!hostPort.empty() && hostPort.front() == '[') {
        size_t close = hostPort.find(']');
        if (close == std::string_view::npos) return false;
        host = hostPort.substr(0, close + 1);
        std::string_view inside = hostPort.substr(1, close - 1);
        if (inside.empty() ||
            !std::all_of(inside.begin(), inside.end(), [](char c) { return isHexDigit(c) || c == ':' || c == '.'; }))
            return false;
        std::string_view rest = hostPort.substr(close + 1);
        if (!rest.empty() && rest.front() != ':') return false;
        port = rest.empty() ? rest : rest.substr(1);
    } else {
        size_t colon = hostPort.rfind(':');
        host = hostPort.substr(0, colon);
        port = colon == std::string_view::npos ? std::string_view() : hostPort.substr(colon + 1);
        if (!std::all_of(host.begin(), host.end(),
                         [](char c) { return isUnreserved(c) || isSubDelimiter(c) || c == '%'; }))
            return false;
    }
    return std::all_of(port.begin(), port.end(), isAsciiDigit);
}

}  // namespace

std::optional<URL> URL::string(const std::string& text) {
    if (!hasOnlyURLCharacters(text)) return std::nullopt;
    size_t colon = text.find(':');
    size_t firstDelimiter = text.find_first_of("/?#");
    if (colon == std::string::npos || (firstDelimiter != std::string::npos && firstDelimiter < colon))
        return std::nullopt;
    std::string scheme = text.substr(0, colon);
    if (!isValidScheme(scheme)) return std::nullopt;
    std::transform(scheme.begin(), scheme.end(), scheme.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });

    std::optional<std::string> host;
    std::string_view rest = std::string_view(text).substr(colon + 1);
    if (rest.substr(0, 2) == "//") {
        std::string_view authority = rest.substr(2, rest.find_first_of("/?#", 2) - 2);
        // User information before "@" is not part of the host.
        size_t at = authority.rfind('@');
        std::string_view hostPort = at == std::string_view::npos ? authority : authority.substr(at + 1);
        std::string_view hostOnly;
        if (!splitHostAndPort(hostPort, hostOnly)) return std::nullopt;
        host = std::string(hostOnly);
    }
    if ((scheme == "http" || scheme == "https") && (!host || host->empty())) return std::nullopt;
    return URL(text, std::move(scheme), std::move(host));
}
