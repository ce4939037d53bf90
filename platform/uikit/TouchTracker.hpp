#pragma once

#include <memory>
#include <optional>

#include "platform/uikit/NSIndexPath.hpp"
#include "platform/uikit/UITouch.hpp"
#include "platform/uikit/UIWindow.hpp"

class UITableView;

namespace uikit {

// One finger on a window, from down to up, for what views follow themselves rather than taps
// and scrolling: a view that tracks touches (UIView::tracksTouches, a star rating) gets its
// touches methods; on a table row, a drag by the reorder control moves the row, and a swipe that
// goes more sideways than up or down reveals or hides the row's Delete button; while a row shows
// that button, a touch anywhere but on it only hides it. The window host and the test harness
// both feed it, so tests drive the same gestures as the mouse.
//
// A drag nothing else takes that goes more sideways than up or down is offered to the views
// under the finger (UIView::takeSidewaysDrag), a row's own swipe first.
//
// Each step answers whether the tracker has taken the touch: then it is no tap, no highlight and
// no scroll. A row swipe is decided only once the finger has moved past the tap slop, so until
// then the touch is not taken.
class TouchTracker {
public:
    // A press that moves further than this is a drag, not a tap.
    static constexpr CGFloat tapSlop = 6;

    bool began(const std::shared_ptr<UIWindow>& window, CGPoint point);
    bool moved(CGPoint point);
    bool ended(CGPoint point);
    void cancelled();

    bool isTracking() const { return kind_ != Kind::None && kind_ != Kind::Undecided; }
    // The view that follows this touch through its touches methods; none otherwise.
    std::shared_ptr<UIView> trackingView() const { return tracker_; }

private:
    enum class Kind { None, Undecided, View, Swipe, Reorder, Swallowed };

    bool beginOnRow(const std::shared_ptr<UIView>& hit);
    // Hands the drag to the first view from the one under the finger up that takes it sideways.
    bool handOverSideways(CGPoint point);
    CGFloat contentY(CGPoint point) const;
    void reset();

    Kind kind_ = Kind::None;
    std::shared_ptr<UIWindow> window_;
    std::shared_ptr<UITouch> touch_;
    std::shared_ptr<UIView> tracker_;
    // Under a finger nothing follows yet, until it has moved past the tap slop.
    std::shared_ptr<UIView> undecidedHit_;
    std::shared_ptr<UITableView> table_;
    NSIndexPath row_;
    CGPoint start_;
    // How far the row's Delete button showed when the swipe began.
    CGFloat startWidth_ = 0;
};

} // namespace uikit
