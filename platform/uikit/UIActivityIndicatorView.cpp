#include "platform/uikit/UIActivityIndicatorView.hpp"

namespace {
CGFloat sideFor(UIActivityIndicatorViewStyle style)
{
    return style == UIActivityIndicatorViewStyle::Large ? 37 : 20;
}
} // namespace

UIActivityIndicatorView::UIActivityIndicatorView(UIActivityIndicatorViewStyle style)
    : UIView(CGRect{0, 0, sideFor(style), sideFor(style)}), style_(style)
{
    setHidden(true);
}

void UIActivityIndicatorView::setHidesWhenStopped(bool hides)
{
    hidesWhenStopped_ = hides;
    setHidden(hides && !animating_);
}

void UIActivityIndicatorView::startAnimating()
{
    animating_ = true;
    setHidden(false);
}

void UIActivityIndicatorView::stopAnimating()
{
    animating_ = false;
    if (hidesWhenStopped_) {
        setHidden(true);
    }
}
