#pragma once

#include <optional>
#include <string>
#include <string_view>

#include <nlohmann/json.hpp>

// Reads a tutorial video link from the remote configuration: a watch link ("...watch?v=" and
// the id, optionally followed by "&"-separated parameters, the last of which may be a start
// time such as "t=90s") or a short-video link ("...shorts/" and nothing but the id). Anything
// else, and an id that is not exactly 11 characters long (an empty one included), is not a
// video. A start time counts only in whole seconds ("t=1m30s" is ignored) and is handed on as
// the text it was written as.
//
// The configured short-video prefix has no "//" after its scheme; the usual form with "//" is
// accepted too, since a link copied from a browser has it.

inline constexpr std::string_view watchLinkPrefix = "https://www.youtube.com/watch?v=";
inline constexpr std::string_view shortLinkPrefix = "https:www.youtube.com/shorts/";
inline constexpr std::string_view shortLinkPrefixWithSlashes = "https://www.youtube.com/shorts/";

enum class VideoLinkKind { notAVideo, watchVideo, shortVideo };

struct VideoLink {
    VideoLinkKind kind = VideoLinkKind::notAVideo;
    std::string videoId;                      // 11 characters unless not a video
    std::optional<std::string> startSeconds;  // watch links only
};

VideoLink parseVideoLink(const std::optional<std::string>& link);

// The embedded player's variables for the video: "iv_load_policy" 1 and, when given, "start".
nlohmann::json playerVariables(const VideoLink& video);

// The video's page on the video site, where it plays from its start time; none for a link that
// is not a video. Short videos open on the same page as the others.
std::optional<std::string> videoPageLink(const VideoLink& video);
