#include "platform/uikit/UIActivityViewController.hpp"

#include "platform/uikit/UIDevice.hpp"

UIActivityViewController::UIActivityViewController(std::vector<std::any> activityItems, std::vector<std::any> applicationActivities)
    : activityItems_(std::move(activityItems)), applicationActivities_(std::move(applicationActivities))
{
    bool pad = UIDevice::currentDevice().userInterfaceIdiom() == UIUserInterfaceIdiom::Pad;
    setModalPresentationStyle(pad ? UIModalPresentationStyle::Popover : UIModalPresentationStyle::PageSheet);
    if (pad) {
        // Room for the title, a message of a few lines and Done.
        setPreferredContentSize({375, 200});
    }
}
