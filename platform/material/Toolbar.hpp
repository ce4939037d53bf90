#pragma once

#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "platform/material/Button.hpp"
#include "platform/uikit/UILabel.hpp"
#include "platform/uikit/UIView.hpp"

namespace Material {

// A bar with a title (and an optional detail line) between two lists of item views. The item
// lists are replaced whole; their views become subviews, laid out as squares of the bar's
// content height in list order from left to right: the left list from the left edge, the right
// list ending at the right edge. A bar without a height of its own is
// 56 points high when its controller lays it out.
class Toolbar : public UIView {
public:
    Toolbar();
    explicit Toolbar(const CGRect& frame);

    std::optional<std::string> title() const { return titleLabel_ ? titleLabel_->text() : std::nullopt; }
    void setTitle(std::optional<std::string> title);
    std::optional<std::string> detail() const { return detailLabel_ ? detailLabel_->text() : std::nullopt; }
    void setDetail(std::optional<std::string> detail);
    std::shared_ptr<UILabel> titleLabel();
    std::shared_ptr<UILabel> detailLabel();

    const std::vector<std::shared_ptr<UIView>>& leftViews() const { return leftViews_; }
    void setLeftViews(std::vector<std::shared_ptr<UIView>> views);
    const std::vector<std::shared_ptr<UIView>>& rightViews() const { return rightViews_; }
    void setRightViews(std::vector<std::shared_ptr<UIView>> views);

    DepthPreset depthPreset() const { return depthPreset_; }
    void setDepthPreset(DepthPreset preset) { depthPreset_ = preset; }
    UIEdgeInsets contentEdgeInsets() const { return contentEdgeInsets_; }
    void setContentEdgeInsets(const UIEdgeInsets& insets)
    {
        contentEdgeInsets_ = insets;
        setNeedsLayout();
    }
    CGFloat interimSpace() const { return interimSpace_; }
    void setInterimSpace(CGFloat space) { interimSpace_ = space; }

    void layoutSubviews() override;
    // A change of height moves what lies below the bar, so the container lays out again.
    void setFrame(const CGRect& frame) override;

private:
    void replaceItems(std::vector<std::shared_ptr<UIView>>& list, std::vector<std::shared_ptr<UIView>> views);

    std::shared_ptr<UILabel> titleLabel_;
    std::shared_ptr<UILabel> detailLabel_;
    std::vector<std::shared_ptr<UIView>> leftViews_;
    std::vector<std::shared_ptr<UIView>> rightViews_;
    DepthPreset depthPreset_ = DepthPreset::depth1;
    UIEdgeInsets contentEdgeInsets_{0, 8, 0, 8};
    CGFloat interimSpace_ = 8;
};

} // namespace Material
