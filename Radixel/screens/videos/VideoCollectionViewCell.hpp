#pragma once

#include <memory>
#include <optional>
#include <string>

#include "Radixel/screens/videos/VideoLink.hpp"
#include "Radixel/screens/videos/VideoPosterButton.hpp"
#include "platform/uikit/UICollectionViewCell.hpp"
#include "platform/ytplayer/YTPlayerView.hpp"

// One tutorial video of the video row: the embedded player under a cover that stays until the
// player reports that it is ready. A link that is not a video (or whose id does not have
// eleven characters) hides the player for good, so the cover remains and nothing is reported.
//
// The player shows no picture of its own here, so the nib lays a drawn poster with a play
// button over it (posterButton, inside the player); tapping it opens the video's page in the
// browser, where it plays.
class VideoCollectionViewCell : public UICollectionViewCell, public YTPlayerViewDelegate {
public:
    static constexpr const char* cellIdentifier = "videoCollectionViewCell";
    static constexpr const char* nibName = "VideoCollectionViewCell";

    explicit VideoCollectionViewCell(const NSCoder& coder);

    // Outlets, connected by the nib.
    std::weak_ptr<UIView> coveringView;
    std::weak_ptr<YTPlayerView> videoView;
    std::weak_ptr<VideoPosterButton> posterButton;

    // UIView
    void awakeFromNib() override;

    // Shows the cover again and loads the link; none hides the player.
    void loadVideo(const std::optional<std::string>& link);
    void loadWatchVideo(const VideoLink& video);
    void loadShortVideo(const VideoLink& video);

    // YTPlayerViewDelegate
    void playerViewDidBecomeReady(const std::shared_ptr<YTPlayerView>& playerView) override;

private:
    void showPlayer(const VideoLink& video);
    void hidePlayer();
};
