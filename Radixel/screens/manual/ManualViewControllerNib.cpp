#include "Radixel/screens/manual/ManualViewControllerNib.hpp"

#include <vector>

#include "Radixel/screens/manual/ManualViewController.hpp"
#include "Radixel/services/ThemeColor.hpp"
#include "platform/uikit/FatalError.hpp"
#include "platform/uikit/UINib.hpp"
#include "platform/uikit/UIScreen.hpp"

namespace {

constexpr CGFloat margin = 16;
// Clear of the status bar: a page sheet starts at the top of the window.
constexpr CGFloat titleTop = 56;
constexpr CGFloat closeSide = 36;

std::vector<std::shared_ptr<UIView>> build(const std::shared_ptr<UIResponder>& owner) {
    auto manual = std::dynamic_pointer_cast<ManualViewController>(owner);
    if (!manual)
        uikit::fatalError("The interface file \"ManualViewController\" connects its outlets to a ManualViewController");
    CGRect screen = UIScreen::mainScreen().bounds();
    CGFloat width = screen.size.width;
    auto root = std::make_shared<UIView>(screen);
    root->setBackgroundColor(ThemeColor::background());

    auto title =
        std::make_shared<UILabel>(CGRect{margin + closeSide, titleTop, width - 2 * (margin + closeSide), closeSide});
    title->setFont(UIFont::fontWithName("Avenir-Heavy", 20).value_or(UIFont::boldSystemFontOfSize(20)));
    title->setTextColor(ThemeColor::label());
    title->setTextAlignment(NSTextAlignment::Center);

    auto close = std::make_shared<UIButton>(CGRect{width - margin - closeSide, titleTop, closeSide, closeSide});
    close->setImage(UIImage::systemImageNamed("xmark"), UIControlStateNormal);
    close->setTintColor(ThemeColor::lightText());
    close->setBackgroundColor(ThemeColor::gray());
    close->layer()->setCornerRadius(closeSide / 2);

    CGFloat top = titleTop + closeSide + margin;
    CGRect area{0, top, width, screen.size.height - top};
    auto scroller = std::make_shared<UIScrollView>(area);
    scroller->setClipsToBounds(true);
    scroller->setMinimumZoomScale(1.0);
    scroller->setMaximumZoomScale(4.0);
    scroller->setShowsHorizontalScrollIndicator(false);
    scroller->setShowsVerticalScrollIndicator(false);
    auto image = std::make_shared<UIImageView>(CGRect{0, 0, area.size.width, area.size.height});
    image->setContentMode(UIViewContentMode::ScaleAspectFit);
    scroller->addSubview(image);

    root->addSubview(scroller);
    root->addSubview(title);
    root->addSubview(close);
    manual->label = title;
    manual->imageView = image;
    manual->scrollView = scroller;
    manual->closeButton = close;
    close->addTarget(manual, &ManualViewController::closeButtonPressed, UIControlEventTouchUpInside);
    return {root};
}

}  // namespace

bool registerManualViewControllerNib() {
    UINib::registerNib(ManualViewController::nibName, build);
    return true;
}
