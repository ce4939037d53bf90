#include "platform/material/Toolbar.hpp"

#include <algorithm>

namespace Material {

Toolbar::Toolbar() : Toolbar(CGRectZero) {}

Toolbar::Toolbar(const CGRect& frame) : UIView(frame) {}

std::shared_ptr<UILabel> Toolbar::titleLabel()
{
    if (!titleLabel_) {
        titleLabel_ = std::make_shared<UILabel>();
        titleLabel_->setTextAlignment(NSTextAlignment::Center);
        titleLabel_->setFont(UIFont::systemFontOfSize(17));
        addSubview(titleLabel_);
    }
    return titleLabel_;
}

std::shared_ptr<UILabel> Toolbar::detailLabel()
{
    if (!detailLabel_) {
        detailLabel_ = std::make_shared<UILabel>();
        detailLabel_->setTextAlignment(NSTextAlignment::Center);
        detailLabel_->setFont(UIFont::systemFontOfSize(12));
        addSubview(detailLabel_);
    }
    return detailLabel_;
}

void Toolbar::setTitle(std::optional<std::string> title)
{
    titleLabel()->setText(std::move(title));
    setNeedsLayout();
}

void Toolbar::setDetail(std::optional<std::string> detail)
{
    detailLabel()->setText(std::move(detail));
    setNeedsLayout();
}

void Toolbar::replaceItems(std::vector<std::shared_ptr<UIView>>& list, std::vector<std::shared_ptr<UIView>> views)
{
    for (const auto& old : list) {
        if (old && old->superview().get() == this && std::find(views.begin(), views.end(), old) == views.end()) {
            old->removeFromSuperview();
        }
    }
    views.erase(std::remove(views.begin(), views.end(), nullptr), views.end());
    list = std::move(views);
    for (const auto& view : list) {
        addSubview(view);
    }
    setNeedsLayout();
}

void Toolbar::setLeftViews(std::vector<std::shared_ptr<UIView>> views)
{
    replaceItems(leftViews_, std::move(views));
}

void Toolbar::setRightViews(std::vector<std::shared_ptr<UIView>> views)
{
    replaceItems(rightViews_, std::move(views));
}

void Toolbar::setFrame(const CGRect& frame)
{
    bool heightChanged = frame.size.height != this->frame().size.height;
    UIView::setFrame(frame);
    if (heightChanged) {
        if (auto container = superview()) {
            container->setNeedsLayout();
        }
    }
}

void Toolbar::layoutSubviews()
{
    CGRect content = UIEdgeInsetsInsetRect(bounds(), contentEdgeInsets_);
    CGFloat side = std::max(0.0, content.size.height);
    CGFloat left = content.minX();
    for (const auto& view : leftViews_) {
        view->setFrame({left, content.minY(), side, side});
        left += side + interimSpace_;
    }
    // The right-hand items keep their list order from left to right, ending at the right edge.
    auto rightCount = static_cast<CGFloat>(rightViews_.size());
    CGFloat rightGroup = rightViews_.empty() ? 0 : rightCount * side + (rightCount - 1) * interimSpace_;
    CGFloat x = content.maxX() - rightGroup;
    for (const auto& view : rightViews_) {
        view->setFrame({x, content.minY(), side, side});
        x += side + interimSpace_;
    }
    CGFloat right = content.maxX() - rightGroup - (rightViews_.empty() ? 0 : interimSpace_);
    CGFloat width = std::max(0.0, right - left);
    bool hasDetail = detailLabel_ && detailLabel_->text() && !detailLabel_->text()->empty();
    if (titleLabel_) {
        titleLabel_->setFrame({left, content.minY(), width, hasDetail ? side / 2 : side});
    }
    if (detailLabel_) {
        detailLabel_->setFrame({left, content.minY() + side / 2, width, hasDetail ? side / 2 : 0});
    }
}

} // namespace Material
