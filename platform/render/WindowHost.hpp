#pragma once

#include <vector>

#include "platform/render/HostOptions.hpp"
#include "platform/uikit/UIFont.hpp"
#include "platform/uikit/UIApplication.hpp"

namespace render {

// Runs the application in an SDL2 window of the configured screen: installs the desktop's link
// opener (DesktopLinkOpener), launches the application, then turns window events into touches,
// scrolling, activation and termination, and redraws the key window when something may have
// changed; while views animate it draws a frame every 16 ms with their presentation values.
// Between events it sleeps until the next event or the run loop's next timer, so an idle
// application uses no processor time. Without a display it explains how to run it and answers
// 1; bad arguments answer 2.
class WindowHost {
public:
    // Makes UIApplicationMain run applications in a window. The fonts the first frame shows are
    // loaded on a side thread while the window opens (the system font when none are given).
    static void install(std::vector<UIFont> firstFrameFonts = {});
    static int run(int argc, char** argv, const UIApplicationDelegateFactory& makeDelegate);
};

} // namespace render
