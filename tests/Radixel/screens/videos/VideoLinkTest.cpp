#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <tuple>

#include "Radixel/screens/videos/VideoLink.hpp"

// Watch links give the id and a start in whole seconds from the last parameter; short links are the
// id alone, with or without slashes after the scheme.
TEST(VideoLinkTest, VideoLinksGiveTheIdAndAWatchLinksStartAndEverythingElseIsNoVideo) {
    const std::string watch = "https://www.youtube.com/watch?v=", id = "dQw4w9WgXcQ";
    using Kind = VideoLinkKind;
    auto fields = [](const VideoLink& video) { return std::tuple(video.kind, video.videoId, video.startSeconds); };
    for (auto [link, kind, start] : std::vector<std::tuple<std::string, Kind, std::optional<std::string>>>{
             {watch + id, Kind::watchVideo, {}},
             {watch + id + "&t=90s", Kind::watchVideo, "90"},
             {watch + id + "&&list=abc&t=7s", Kind::watchVideo, "7"},
             {watch + "&" + id + "&", Kind::watchVideo, {}},
             {watch + id + "&t=1m30s", Kind::watchVideo, {}},
             {watch + id + "&t=90", Kind::watchVideo, {}},
             {watch + id + "&t=s", Kind::watchVideo, {}},
             {watch + id + "&t=9t=0s", Kind::watchVideo, "90"},
             {watch + id + "&t=-5s", Kind::watchVideo, "-5"},
             {watch + id + "&t=90s&list=abc", Kind::watchVideo, {}},
             {watch + id + "&t=99999999999999999999s", Kind::watchVideo, {}},
             {"https:www.youtube.com/shorts/" + id, Kind::shortVideo, {}},
             {"https://www.youtube.com/shorts/" + id, Kind::shortVideo, {}}}) {
        EXPECT_EQ(fields(parseVideoLink(link)), std::tuple(kind, id, start)) << link;
    }
    // Ids of any other length, counted in characters ("ä" takes two bytes), and links of any other form.
    for (const std::optional<std::string>& link : std::vector<std::optional<std::string>>{
             std::nullopt, "", watch, watch + id.substr(0, 10), watch + id + "X", "https://example.com/watch?v=" + id,
             watch + "\xC3\xA4" "123456789", "https://www.youtube.com/shorts/" + id + "?feature=share"}) {
        EXPECT_EQ(fields(parseVideoLink(link)), fields({})) << link.value_or("(none)");
    }
}
