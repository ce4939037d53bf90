#include "Radixel/screens/videos/VideoCollectionViewCell.hpp"

#include "Radixel/services/ColorManager.hpp"

VideoCollectionViewCell::VideoCollectionViewCell(const NSCoder& coder) : UICollectionViewCell(coder) {}

// UIView

void VideoCollectionViewCell::awakeFromNib() {
    UICollectionViewCell::awakeFromNib();
    ColorManager::applyShadow(*layer());
    if (auto player = videoView.lock()) player->setDelegate(as<VideoCollectionViewCell>());
}

// Cells are reused: every link starts again under the cover, which goes once the player is ready.
void VideoCollectionViewCell::loadVideo(const std::optional<std::string>& link) {
    if (auto cover = coveringView.lock()) cover->setHidden(false);
    VideoLink video = parseVideoLink(link);
    switch (video.kind) {
        case VideoLinkKind::watchVideo: return loadWatchVideo(video);
        case VideoLinkKind::shortVideo: return loadShortVideo(video);
        case VideoLinkKind::notAVideo: return hidePlayer();
    }
}

void VideoCollectionViewCell::loadWatchVideo(const VideoLink& video) { showPlayer(video); }

void VideoCollectionViewCell::loadShortVideo(const VideoLink& video) { showPlayer(video); }

// YTPlayerViewDelegate

// A report of an earlier link may still arrive after this cell rejected a new one; the cover
// then stays over the hidden player.
void VideoCollectionViewCell::playerViewDidBecomeReady(const std::shared_ptr<YTPlayerView>& playerView) {
    if (playerView && playerView->isHidden()) return;
    if (auto cover = coveringView.lock()) cover->setHidden(true);
}

// Private

void VideoCollectionViewCell::showPlayer(const VideoLink& video) {
    auto player = videoView.lock();
    if (!player) return;
    // A reused cell whose earlier link was rejected has its player hidden; an accepted link
    // shows it again, or the row would keep a blank cover for a video that loads fine.
    player->setHidden(false);
    // The player takes only ids it can embed in its page address; any other stays hidden
    // under the cover, like a link that is not a video.
    if (!player->loadWithVideoId(video.videoId, playerVariables(video))) return hidePlayer();
    if (auto poster = posterButton.lock()) poster->setVideo(video);
}

void VideoCollectionViewCell::hidePlayer() {
    if (auto player = videoView.lock()) player->setHidden(true);
    if (auto poster = posterButton.lock()) poster->setVideo({});
}
