#include "platform/uikit/testing/RecordingLinkOpener.hpp"

#include <algorithm>
#include <cctype>

namespace uikit::testing {

namespace {
std::string lowercase(std::string text)
{
    std::transform(text.begin(), text.end(), text.begin(), [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return text;
}
} // namespace

void RecordingLinkOpener::installURLHandler(const std::string& schemeOrURL)
{
    // A scheme has no colon; a URL keeps its exact text.
    handled_.insert(schemeOrURL.find(':') == std::string::npos ? lowercase(schemeOrURL) : schemeOrURL);
}

bool RecordingLinkOpener::canOpen(const URL& url) const
{
    return handled_.count(url.scheme()) != 0 || handled_.count(url.absoluteString()) != 0;
}

bool RecordingLinkOpener::open(const URL& url)
{
    if (!canOpen(url)) {
        return false;
    }
    opened_.push_back(url.absoluteString());
    return true;
}

} // namespace uikit::testing
