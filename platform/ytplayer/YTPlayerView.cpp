#include "platform/ytplayer/YTPlayerView.hpp"

#include <algorithm>
#include <cctype>

#include "platform/foundation/DispatchQueue.hpp"
#include "platform/foundation/WeakSelf.hpp"

namespace {
bool isSafeVideoId(const std::string& id)
{
    return !id.empty() && id.size() <= 64 &&
           std::all_of(id.begin(), id.end(), [](unsigned char c) { return std::isalnum(c) || c == '-' || c == '_'; });
}
} // namespace

bool YTPlayerView::loadWithVideoId(const std::string& videoId, const nlohmann::json& playerVars)
{
    if (!isSafeVideoId(videoId) || !(playerVars.is_object() || playerVars.is_null())) {
        return false;
    }
    videoId_ = videoId;
    playerVars_ = playerVars.is_null() ? nlohmann::json::object() : playerVars;
    ready_ = false;
    state_ = YTPlayerState::unstarted;
    uint64_t generation = ++loadGeneration_;
    DispatchQueue::main().async(weakly(this, [generation](const std::shared_ptr<YTPlayerView>& self) {
        // A newer load makes this report stale.
        if (self->loadGeneration_ != generation) {
            return;
        }
        self->ready_ = true;
        if (auto d = self->delegate()) {
            d->playerViewDidBecomeReady(self);
        }
    }));
    return true;
}
