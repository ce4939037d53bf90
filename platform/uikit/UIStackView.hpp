#pragma once

#include <memory>
#include <vector>

#include "platform/uikit/UIView.hpp"

enum class UILayoutConstraintAxis : int { Horizontal = 0, Vertical = 1 };
enum class UIStackViewDistribution : int { Fill = 0, FillEqually = 1, FillProportionally = 2, EqualSpacing = 3, EqualCentering = 4 };
enum class UIStackViewAlignment : int { Fill = 0, Leading = 1, FirstBaseline = 2, Center = 3, Trailing = 4, LastBaseline = 5 };

// Lines up its arranged subviews along an axis. Headless layout shares the length equally
// among the visible arranged views (spacing between them) and stretches them across the other
// axis, whatever the distribution and alignment say; both are kept for reading.
class UIStackView : public UIView {
public:
    using UIView::UIView;

    const std::vector<std::shared_ptr<UIView>>& arrangedSubviews() const { return arranged_; }
    void addArrangedSubview(const std::shared_ptr<UIView>& view);
    void removeArrangedSubview(const std::shared_ptr<UIView>& view);

    UILayoutConstraintAxis axis() const { return axis_; }
    void setAxis(UILayoutConstraintAxis axis) { axis_ = axis; setNeedsLayout(); }
    UIStackViewDistribution distribution() const { return distribution_; }
    void setDistribution(UIStackViewDistribution distribution) { distribution_ = distribution; setNeedsLayout(); }
    UIStackViewAlignment alignment() const { return alignment_; }
    void setAlignment(UIStackViewAlignment alignment) { alignment_ = alignment; setNeedsLayout(); }
    CGFloat spacing() const { return spacing_; }
    void setSpacing(CGFloat spacing) { spacing_ = spacing; setNeedsLayout(); }

    void layoutSubviews() override;

protected:
    void willRemoveSubview(const std::shared_ptr<UIView>& subview) override;

private:
    std::vector<std::shared_ptr<UIView>> arranged_;
    UILayoutConstraintAxis axis_ = UILayoutConstraintAxis::Horizontal;
    UIStackViewDistribution distribution_ = UIStackViewDistribution::Fill;
    UIStackViewAlignment alignment_ = UIStackViewAlignment::Fill;
    CGFloat spacing_ = 0;
};
