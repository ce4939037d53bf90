// Radixel's entry point: hands control to the application loop with AppDelegate, in a window.
#include <optional>
#include <vector>

#include "Radixel/AppDelegate.hpp"
#include "apps/radixel/FolderCheck.hpp"
#include "platform/render/WindowHost.hpp"
#include "platform/uikit/UIApplication.hpp"

int main(int argc, char** argv)
{
    // What the calculate page opens with: the keys, the fields, the headings, the page tabs and
    // the toolbar's title. A font missing here only costs its loading time in the first frame.
    std::vector<UIFont> firstFrameFonts{UIFont::systemFontOfSize(28), UIFont::systemFontOfSize(24),
                                        UIFont::systemFontOfSize(17), UIFont::systemFontOfSize(15)};
    for (auto font : {UIFont::fontWithName("Avenir-Heavy", 20), UIFont::fontWithName("Avenir-Medium", 14)}) {
        if (font) {
            firstFrameFonts.push_back(*font);
        }
    }
    render::WindowHost::install(std::move(firstFrameFonts));
    if (!claimDataFolder()) {
        return 3;
    }
    reportUnusableFolders();
    // The loop's own answer, not a fixed 0: a window that could not open, or a bad argument,
    // must not look like a clean run to the caller.
    return UIApplicationMain(argc, argv, std::nullopt, [] { return std::make_shared<AppDelegate>(); });
}
