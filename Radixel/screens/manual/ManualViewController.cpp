// The manual screen: one picture explaining the calculator, zoomable inside its scroll view,
// under the "Assistance" title, with a close button found by "closeManualButton".
//
// The zoom stays between the limits the nib gives the scroll view; the picture is the only
// zooming view. An imageName without a picture leaves the image view empty and reports
// nothing: no caller names a picture yet, so an empty page is the usual case.

#include "Radixel/screens/manual/ManualViewController.hpp"

#include "Radixel/screens/manual/ManualViewControllerNib.hpp"
#include "platform/foundation/NSBundle.hpp"

ManualViewController::ManualViewController(std::optional<std::string> nibName, const NSBundle* bundle)
    : UIViewController(std::move(nibName), bundle) {
    registerManualViewControllerNib();
}

ManualViewController::ManualViewController(const NSCoder& coder) : UIViewController(coder) {}

// UIViewController

void ManualViewController::viewDidLoad() {
    UIViewController::viewDidLoad();
    if (imageView) imageView->setImage(UIImage::imageNamed(imageName));
    if (auto scroller = scrollView.lock()) scroller->setDelegate(as<ManualViewController>());
    if (auto title = label.lock()) title->setText(NSLocalizedString("Assistance", "Assistance"));
    if (auto close = closeButton.lock()) close->setAccessibilityIdentifier("closeManualButton");
}

// UIScrollViewDelegate

std::shared_ptr<UIView> ManualViewController::viewForZoomingInScrollView(const std::shared_ptr<UIScrollView>&) {
    return imageView;
}

// Actions

void ManualViewController::closeButtonPressed(const std::shared_ptr<UIButton>&) { dismissViewControllerAnimated(true); }
