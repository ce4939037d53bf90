#pragma once

#include <optional>
#include <string>

#include "Radixel/screens/videos/VideoLink.hpp"
#include "platform/uikit/UIControl.hpp"
#include "platform/uikit/UILabel.hpp"

// What a loaded video shows: a drawn poster with a round play button and the video's id (and
// start time, when it has one). A tap opens the video's page through the application's link
// opener, so the video plays in the desktop's browser; with no video set a tap does nothing.
class VideoPosterButton : public UIControl {
public:
    VideoPosterButton();

    void setVideo(const VideoLink& video);
    // The page a tap opens; none before a video is set or for a link that is not a video.
    const std::optional<std::string>& pageLink() const { return pageLink_; }

    // UIControl
    void tap() override;
    // UIView
    void drawRect(const CGRect& rect) const override;
    void layoutSubviews() override;

protected:
    void didMoveToSuperview() override;

private:
    std::shared_ptr<UILabel> caption_;
    std::optional<std::string> pageLink_;
};
