#pragma once

#include <optional>
#include <string>

// An absolute URL, checked when it is made: URL::string answers none for text that is not one,
// as the platform's URL(string:) does, so a URL that exists can be handed to a browser or a
// network call as it is.
//
// Accepted: a scheme (a letter, then letters, digits, "+", "-", "."), a colon, then only the
// characters a URL may carry (letters, digits and -._~:/?#[]@!$&'()*+,;=) with "%" followed by
// two hex digits, and at most one "#". Refused: empty text, text without a scheme (relative
// references: nothing here resolves them), spaces, control characters, other characters
// outside ASCII ("<", "\"", "{", "|", "\\", "^", "`", non-ASCII letters), a broken "%" escape,
// and, for http and https, a missing or malformed host ("https://", "https:///path",
// "https://exa mple.com", a port that is not a number).
class URL {
public:
    static std::optional<URL> string(const std::string& text);

    // The text as given.
    const std::string& absoluteString() const { return text_; }
    // In lower case.
    const std::string& scheme() const { return scheme_; }
    // The host of a URL with an authority ("//host..."), none otherwise; brackets of an IPv6
    // literal are kept.
    const std::optional<std::string>& host() const { return host_; }

    friend bool operator==(const URL&, const URL&) = default;

private:
    URL(std::string text, std::string scheme, std::optional<std::string> host)
        : text_(std::move(text)), scheme_(std::move(scheme)), host_(std::move(host)) {}

    std::string text_;
    std::string scheme_;
    std::optional<std::string> host_;
};
