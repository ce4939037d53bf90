#pragma once

#include <map>
#include <memory>
#include <optional>
#include <vector>

#include "platform/material/Button.hpp"
#include "platform/uikit/UIView.hpp"

namespace Material {

enum class TabItemState : int { normal = 0, highlighted = 1, selected = 2 };

// The button of one tab. Its title colour per tab state maps onto the button's control states.
class TabItem : public FlatButton {
public:
    using FlatButton::FlatButton;

    void setTabItemColor(const UIColor& color, TabItemState state);
    std::optional<UIColor> getTabItemColor(TabItemState state) const;
};

enum class TabBarLineAlignment : int { top = 0, bottom = 1 };

// The row of tab items, sharing the width equally, with a selection line (in lineColor, none
// without one) at the selected item's edge given by lineAlignment, and a divider.
class TabBar : public UIView {
public:
    using UIView::UIView;

    const std::vector<std::shared_ptr<TabItem>>& tabItems() const { return tabItems_; }
    void setTabItems(std::vector<std::shared_ptr<TabItem>> items);
    std::shared_ptr<TabItem> selectedTabItem() const { return selected_.lock(); }
    void setSelectedTabItem(const std::shared_ptr<TabItem>& item);

    const std::optional<UIColor>& dividerColor() const { return dividerColor_; }
    void setDividerColor(std::optional<UIColor> color) { dividerColor_ = std::move(color); }
    const std::optional<UIColor>& lineColor() const { return lineColor_; }
    void setLineColor(std::optional<UIColor> color) { lineColor_ = std::move(color); }
    CGFloat lineHeight() const { return lineHeight_; }
    void setLineHeight(CGFloat height) { lineHeight_ = height; }
    TabBarLineAlignment lineAlignment() const { return lineAlignment_; }
    void setLineAlignment(TabBarLineAlignment alignment) { lineAlignment_ = alignment; }
    bool isLineAnimated() const { return lineAnimated_; }
    void setLineAnimated(bool animated) { lineAnimated_ = animated; }

    void layoutSubviews() override;

private:
    std::vector<std::shared_ptr<TabItem>> tabItems_;
    std::weak_ptr<TabItem> selected_;
    // The line under (or over) the selected item, in lineColor.
    std::shared_ptr<UIView> line_;
    std::optional<UIColor> dividerColor_;
    std::optional<UIColor> lineColor_;
    CGFloat lineHeight_ = 3;
    TabBarLineAlignment lineAlignment_ = TabBarLineAlignment::bottom;
    bool lineAnimated_ = true;
};

} // namespace Material
