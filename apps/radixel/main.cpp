// Radixel's entry point: hands control to the application loop with AppDelegate, in a window.
#include <optional>

#include "Radixel/AppDelegate.hpp"
#include "apps/radixel/FolderCheck.hpp"
#include "platform/render/WindowHost.hpp"
#include "platform/uikit/UIApplication.hpp"

int main(int argc, char** argv)
{
    render::WindowHost::install();
    reportUnusableFolders();
    // The loop's own answer, not a fixed 0: a window that could not open, or a bad argument,
    // must not look like a clean run to the caller.
    return UIApplicationMain(argc, argv, std::nullopt, [] { return std::make_shared<AppDelegate>(); });
}
