#include "platform/uikit/RunningAnimations.hpp"

#include <algorithm>
#include <vector>

#include "platform/foundation/DispatchClock.hpp"
#include "platform/uikit/UIView.hpp"
#include "platform/uikit/ViewAnimations.hpp"

namespace uikit {

namespace {

std::vector<std::weak_ptr<UIView>>& animatingViews()
{
    static std::vector<std::weak_ptr<UIView>> views;
    return views;
}

} // namespace

void RunningAnimations::prune()
{
    double now = DispatchClock::now();
    auto& views = animatingViews();
    std::erase_if(views, [now](const std::weak_ptr<UIView>& weak) {
        auto view = weak.lock();
        if (!view || !view->animations_ || !view->animations_->discardFinished(now)) {
            if (view) {
                view->animations_.reset();
            }
            return true;
        }
        return false;
    });
}

void RunningAnimations::add(const std::shared_ptr<UIView>& view)
{
    auto& views = animatingViews();
    bool known = std::any_of(views.begin(), views.end(), [&](const std::weak_ptr<UIView>& weak) { return weak.lock() == view; });
    if (!known) {
        prune();
        views.push_back(view);
    }
}

bool RunningAnimations::any()
{
    prune();
    return !animatingViews().empty();
}

std::optional<double> RunningAnimations::latestEnd()
{
    prune();
    std::optional<double> last;
    for (const auto& weak : animatingViews()) {
        if (auto view = weak.lock(); view && view->animations_) {
            if (auto end = view->animations_->end()) {
                last = std::max(last.value_or(*end), *end);
            }
        }
    }
    return last;
}

} // namespace uikit
