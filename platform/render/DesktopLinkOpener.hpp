#pragma once

#include <string>
#include <vector>

#include "platform/uikit/LinkOpener.hpp"

namespace render {

// Hands web and mail links to the desktop: runs "xdg-open <url>", started directly (no shell
// reads the URL, which is one argument of its own), and returns at once. The child is reaped on
// the main run loop without blocking it. A program that cannot be started, or that reports a
// failure, is told on standard error in one line. Other schemes (file, javascript, custom app
// schemes) are not opened.
class DesktopLinkOpener : public LinkOpener {
public:
    // The program and its arguments that open the URL.
    static std::vector<std::string> commandFor(const URL& url);

    bool canOpen(const URL& url) const override;
    bool open(const URL& url) override;
};

} // namespace render
