#pragma once

#include <memory>
#include <optional>
#include <string>

#include "Radixel/math/KeTuStringOutput.hpp"
#include "platform/iosmath/MTMathUILabel.hpp"
#include "platform/uikit/UILabel.hpp"
#include "platform/uikit/UIScrollView.hpp"
#include "platform/uikit/UITableViewCell.hpp"

// One solution step: its title on one line and, below it, either a plain message line or the
// step's formula, typeset in a label that scrolls sideways when the formula is wider than the
// row. The prototype connects the title label and a placeholder for the formula; set-up puts
// the real formula label into a scroll view below the title.
class SolutionStepTableViewCell : public UITableViewCell {
public:
    static constexpr const char* cellIdentifier = "solutionStepCell";
    // A title ending in this marker is shown in the heavy font, without the marker.
    static constexpr const char* boldMarker = "#bold";

    SolutionStepTableViewCell(UITableViewCellStyle style, std::optional<std::string> reuseIdentifier);
    explicit SolutionStepTableViewCell(const NSCoder& coder);

    std::shared_ptr<UIScrollView> scrollView;
    std::shared_ptr<MTMathUILabel> mathLabel;
    std::shared_ptr<UILabel> stepTitleLabel;
    std::shared_ptr<UILabel> messageLabel;

    // UITableViewCell
    void awakeFromNib() override;
    void setSelected(bool selected, bool animated) override;
    void layoutSubviews() override;

    void setupViews();
    void setStepTitle(const std::string& title);
    // Empties the message and the formula first, so nothing of a reused cell's step remains.
    void configure(const SolutionStep& step);

private:
    // Where the formula starts and how much room it keeps on the right, from the title's place
    // when the views were set up.
    CGFloat formulaLeading_ = 0;
    CGFloat formulaTrailing_ = 0;
};
