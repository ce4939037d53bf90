#include "platform/material/TabBar.hpp"

#include <algorithm>

namespace Material {

namespace {
UIControlState controlStateFor(TabItemState state)
{
    switch (state) {
    case TabItemState::normal: return UIControlStateNormal;
    case TabItemState::highlighted: return UIControlStateHighlighted;
    case TabItemState::selected: return UIControlStateSelected;
    }
    return UIControlStateNormal;
}
} // namespace

void TabItem::setTabItemColor(const UIColor& color, TabItemState state)
{
    UIButton::setTitleColor(color, controlStateFor(state));
}

std::optional<UIColor> TabItem::getTabItemColor(TabItemState state) const
{
    return titleColorForState(controlStateFor(state));
}

void TabBar::setTabItems(std::vector<std::shared_ptr<TabItem>> items)
{
    for (const auto& old : tabItems_) {
        if (std::find(items.begin(), items.end(), old) == items.end()) {
            old->removeFromSuperview();
        }
    }
    items.erase(std::remove(items.begin(), items.end(), nullptr), items.end());
    tabItems_ = std::move(items);
    for (const auto& item : tabItems_) {
        addSubview(item);
    }
    setNeedsLayout();
}

void TabBar::setSelectedTabItem(const std::shared_ptr<TabItem>& item)
{
    selected_ = item;
    for (const auto& tab : tabItems_) {
        tab->setSelected(tab == item);
    }
    setNeedsLayout();
}

void TabBar::layoutSubviews()
{
    if (tabItems_.empty()) {
        return;
    }
    CGSize size = bounds().size;
    CGFloat each = size.width / static_cast<CGFloat>(tabItems_.size());
    for (size_t i = 0; i < tabItems_.size(); ++i) {
        tabItems_[i]->setFrame({each * static_cast<CGFloat>(i), 0, each, size.height});
    }
    auto selected = selected_.lock();
    if (!line_) {
        line_ = std::make_shared<UIView>();
        line_->setUserInteractionEnabled(false);
        addSubview(line_);
    }
    line_->setHidden(!selected || !lineColor_);
    if (selected && lineColor_) {
        CGRect item = selected->frame();
        CGFloat y = lineAlignment_ == TabBarLineAlignment::bottom ? size.height - lineHeight_ : 0;
        line_->setBackgroundColor(lineColor_);
        line_->setFrame({item.origin.x, y, item.size.width, lineHeight_});
    }
}

} // namespace Material
