#pragma once

#include <memory>
#include <string>

class UILabel;
class UIWindow;

// Window-level services for code that has no view controller of its own at hand: the
// application's window, a short two-line message (the toast) over the current screen, and a busy
// overlay covering the whole window while long work runs.
//
// The window is the first window of the first connected window scene, key or not. A toast fades
// out 3 s after it was shown, over 2 s, and then leaves its superview; several toasts overlap in
// one place, each on its own schedule. The overlay is found again by its tag: showing it twice
// leaves one, and hiding removes it whoever showed it. Without a window (or, for the toast, a
// root controller with a view) nothing is shown.
class ViewManager {
public:
    ViewManager() = delete;

    static constexpr int busyOverlayTag = 8989;

    static std::shared_ptr<UIWindow> keyWindow();

    // Builds the toast on the calling thread (the main thread); only the fade-out is queued.
    static void showToast(const std::string& message);
    static void fadeOutToast(const std::shared_ptr<UILabel>& toast);

    // Safe from any thread: they only queue the work on the main queue, in call order.
    static void showBusyOverlay();
    static void hideBusyOverlay();
    static void showBusyOverlayNow();
    static void hideBusyOverlayNow();
};
