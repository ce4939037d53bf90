#include "platform/uikit/UIStackView.hpp"

#include <algorithm>

void UIStackView::addArrangedSubview(const std::shared_ptr<UIView>& view)
{
    if (!view) {
        return;
    }
    if (std::find(arranged_.begin(), arranged_.end(), view) == arranged_.end()) {
        arranged_.push_back(view);
    }
    if (view->superview().get() != this) {
        addSubview(view);
    }
    setNeedsLayout();
}

void UIStackView::removeArrangedSubview(const std::shared_ptr<UIView>& view)
{
    arranged_.erase(std::remove(arranged_.begin(), arranged_.end(), view), arranged_.end());
    setNeedsLayout();
}

void UIStackView::willRemoveSubview(const std::shared_ptr<UIView>& subview)
{
    // A view that leaves the stack is no longer arranged.
    arranged_.erase(std::remove(arranged_.begin(), arranged_.end(), subview), arranged_.end());
}

void UIStackView::layoutSubviews()
{
    std::vector<std::shared_ptr<UIView>> shown;
    std::copy_if(arranged_.begin(), arranged_.end(), std::back_inserter(shown), [](const auto& v) { return !v->isHidden(); });
    if (shown.empty()) {
        return;
    }
    CGSize size = bounds().size;
    bool horizontal = axis_ == UILayoutConstraintAxis::Horizontal;
    CGFloat length = horizontal ? size.width : size.height;
    CGFloat gaps = spacing_ * static_cast<CGFloat>(shown.size() - 1);
    CGFloat each = std::max(0.0, (length - gaps) / static_cast<CGFloat>(shown.size()));
    CGFloat position = 0;
    for (const auto& view : shown) {
        view->setFrame(horizontal ? CGRect{position, 0, each, size.height} : CGRect{0, position, size.width, each});
        position += each + spacing_;
    }
}
