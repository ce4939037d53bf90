#include <gtest/gtest.h>

#include <optional>
#include <string>

#include "Radixel/screens/videos/VideoLink.hpp"

namespace {

const std::string watch = "https://www.youtube.com/watch?v=";
const std::string shortConfigured = "https:www.youtube.com/shorts/";
const std::string shortUsual = "https://www.youtube.com/shorts/";
const std::string id = "dQw4w9WgXcQ";

void expectVideo(const std::optional<std::string>& link, VideoLinkKind kind, const std::string& videoId,
                 const std::optional<std::string>& start = std::nullopt) {
    VideoLink video = parseVideoLink(link);
    EXPECT_EQ(video.kind, kind) << link.value_or("(none)");
    EXPECT_EQ(video.videoId, videoId) << link.value_or("(none)");
    EXPECT_EQ(video.startSeconds, start) << link.value_or("(none)");
}

void expectNoVideo(const std::optional<std::string>& link) { expectVideo(link, VideoLinkKind::notAVideo, ""); }

}  // namespace

TEST(VideoLinkTest, WatchLinksGiveTheIdAndAStartInWholeSecondsFromTheLastParameter) {
    expectVideo(watch + id, VideoLinkKind::watchVideo, id);
    expectVideo(watch + id + "&t=90s", VideoLinkKind::watchVideo, id, "90");
    expectVideo(watch + id + "&&list=abc&t=7s", VideoLinkKind::watchVideo, id, "7");
    expectVideo(watch + "&" + id + "&", VideoLinkKind::watchVideo, id);
    expectVideo(watch + id + "&t=1m30s", VideoLinkKind::watchVideo, id);
    expectVideo(watch + id + "&t=90s&list=abc", VideoLinkKind::watchVideo, id);
    expectVideo(watch + id + "&t=99999999999999999999s", VideoLinkKind::watchVideo, id);
}

TEST(VideoLinkTest, ShortLinksAreTheIdAloneWithOrWithoutSlashesAfterTheScheme) {
    expectVideo(shortConfigured + id, VideoLinkKind::shortVideo, id);
    expectVideo(shortUsual + id, VideoLinkKind::shortVideo, id);
    expectNoVideo(shortUsual + id + "?feature=share");
}

TEST(VideoLinkTest, IdsOfAnyOtherLengthAndLinksOfAnyOtherFormAreNoVideo) {
    expectNoVideo(std::nullopt);
    expectNoVideo("");
    expectNoVideo(watch);
    expectNoVideo(watch + id.substr(0, 10));
    expectNoVideo(watch + id + "X");
    expectNoVideo("https://example.com/watch?v=" + id);
    // Eleven bytes but ten characters: "ä" is one character in two bytes.
    expectNoVideo(watch + "\xC3\xA4" "123456789");
}
