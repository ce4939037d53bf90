#pragma once

#include <memory>
#include <optional>
#include <string>

#include <nlohmann/json.hpp>

#include "platform/uikit/UIView.hpp"

class YTPlayerView;

enum class YTPlayerState : int { unstarted = 0, ended, playing, paused, buffering, cued, unknown };

class YTPlayerViewDelegate {
public:
    virtual ~YTPlayerViewDelegate() = default;
    virtual void playerViewDidBecomeReady(const std::shared_ptr<YTPlayerView>& /*playerView*/) {}
    virtual void playerViewDidChangeToState(const std::shared_ptr<YTPlayerView>& /*playerView*/, YTPlayerState /*state*/) {}
};

// An embedded video player. Headless it plays nothing: loading a video records the id and the
// player variables and reports readiness to the delegate on a later turn of the main queue.
// Video ids are embedded in a web address, so only letters, digits, '-' and '_' are taken.
class YTPlayerView : public UIView {
public:
    using UIView::UIView;
    explicit YTPlayerView(const NSCoder& /*coder*/) {}

    std::shared_ptr<YTPlayerViewDelegate> delegate() const { return delegate_.lock(); }
    void setDelegate(const std::shared_ptr<YTPlayerViewDelegate>& delegate) { delegate_ = delegate; }

    // False, loading nothing, for an empty or unsafe id or player variables that are not an
    // object.
    bool loadWithVideoId(const std::string& videoId, const nlohmann::json& playerVars = nlohmann::json::object());

    const std::optional<std::string>& videoId() const { return videoId_; }
    const nlohmann::json& playerVars() const { return playerVars_; }
    YTPlayerState playerState() const { return state_; }
    bool isReady() const { return ready_; }

private:
    std::weak_ptr<YTPlayerViewDelegate> delegate_;
    std::optional<std::string> videoId_;
    nlohmann::json playerVars_ = nlohmann::json::object();
    YTPlayerState state_ = YTPlayerState::unknown;
    bool ready_ = false;
    uint64_t loadGeneration_ = 0;
};
