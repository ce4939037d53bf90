#pragma once

#include <set>
#include <string>
#include <vector>

#include "platform/uikit/LinkOpener.hpp"

namespace uikit::testing {

// The harness's link opener: opens nothing, records what it was handed. It takes the URLs
// whose scheme (or whole text) was installed as handled, like a phone with the matching apps.
//
//     h.linkOpener().installURLHandler("https");
//     ... the screen opens its rating page ...
//     EXPECT_EQ(h.linkOpener().openedURLs(), (std::vector<std::string>{"https://..."}));
class RecordingLinkOpener : public LinkOpener {
public:
    // A scheme ("https", any case) or one exact URL text.
    void installURLHandler(const std::string& schemeOrURL);
    // The texts of the URLs handed over, in order.
    const std::vector<std::string>& openedURLs() const { return opened_; }
    void clear() { opened_.clear(); }

    bool canOpen(const URL& url) const override;
    bool open(const URL& url) override;

private:
    std::set<std::string> handled_;
    std::vector<std::string> opened_;
};

} // namespace uikit::testing
