#include "Radixel/screens/videos/VideoLink.hpp"

#include <algorithm>
#include <charconv>
#include <cstdint>
#include <vector>

namespace {

constexpr size_t videoIdLength = 11;

// Characters as the rest of the app counts them: UTF-8 code points.
size_t characterCount(std::string_view text) {
    auto startsCharacter = [](char c) { return (static_cast<unsigned char>(c) & 0xC0) != 0x80; };
    return std::count_if(text.begin(), text.end(), startsCharacter);
}

std::vector<std::string_view> nonEmptyPieces(std::string_view text, char separator) {
    std::vector<std::string_view> pieces;
    while (!text.empty()) {
        size_t end = std::min(text.find(separator), text.size());
        if (end > 0) pieces.push_back(text.substr(0, end));
        text.remove_prefix(std::min(end + 1, text.size()));
    }
    return pieces;
}

// A sign at most, then digits, within the range of a 64-bit integer.
bool isDecimalInteger(std::string_view text) {
    if (!text.empty() && (text.front() == '+' || text.front() == '-')) text.remove_prefix(1);
    if (text.empty() || !std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; })) {
        return false;
    }
    uint64_t value = 0;
    auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    return error == std::errc() && value <= static_cast<uint64_t>(INT64_MAX);
}

// "t=90s" gives "90"; every "t=" goes, then the final "s".
std::optional<std::string> startSeconds(std::string_view piece) {
    if (!piece.starts_with("t=") || !piece.ends_with("s")) return std::nullopt;
    std::string seconds;
    for (size_t at = 0; at < piece.size();) {
        if (piece.substr(at).starts_with("t=")) {
            at += 2;
        } else {
            seconds += piece[at++];
        }
    }
    seconds.pop_back();
    if (!isDecimalInteger(seconds)) return std::nullopt;
    return seconds;
}

VideoLink watchVideo(std::string_view rest) {
    std::vector<std::string_view> pieces = nonEmptyPieces(rest, '&');
    std::string_view id = pieces.empty() ? std::string_view() : pieces.front();
    if (characterCount(id) != videoIdLength) return {};
    return {VideoLinkKind::watchVideo, std::string(id), startSeconds(pieces.back())};
}

VideoLink shortVideo(std::string_view rest) {
    if (characterCount(rest) != videoIdLength) return {};
    return {VideoLinkKind::shortVideo, std::string(rest), std::nullopt};
}

}  // namespace

VideoLink parseVideoLink(const std::optional<std::string>& link) {
    if (!link) return {};
    std::string_view text = *link;
    if (text.starts_with(watchLinkPrefix)) return watchVideo(text.substr(watchLinkPrefix.size()));
    for (std::string_view prefix : {shortLinkPrefix, shortLinkPrefixWithSlashes}) {
        if (text.starts_with(prefix)) return shortVideo(text.substr(prefix.size()));
    }
    return {};
}

nlohmann::json playerVariables(const VideoLink& video) {
    nlohmann::json variables = {{"iv_load_policy", 1}};
    if (video.startSeconds) variables["start"] = *video.startSeconds;
    return variables;
}

std::optional<std::string> videoPageLink(const VideoLink& video) {
    if (video.kind == VideoLinkKind::notAVideo) return std::nullopt;
    std::string page = std::string(watchLinkPrefix) + video.videoId;
    if (video.startSeconds) page += "&t=" + *video.startSeconds + "s";
    return page;
}
