#pragma once

#include <memory>
#include <optional>

class UIView;

namespace uikit {

// The views that have animations under way, for whoever drives the frames: the window host
// redraws while any runs; the harness advances its virtual clock to their end. Views are only
// referenced, so an animation never keeps a view alive; finished animations are dropped as they
// are found. Main thread only.
class RunningAnimations {
public:
    static void add(const std::shared_ptr<UIView>& view);
    // Whether any view still animates at DispatchClock::now().
    static bool any();
    // The clock time at which the last running animation ends; none when nothing runs.
    static std::optional<double> latestEnd();

private:
    // Forgets views that are gone or have finished, and the finished tracks of the others.
    static void prune();
};

} // namespace uikit
