#pragma once

#include <memory>
#include <optional>
#include <string>

#include "platform/iosmath/MTMathUILabel.hpp"
#include "platform/uikit/UILabel.hpp"
#include "platform/uikit/UITableViewCell.hpp"

// One solution step: its title above its formula.
class FormulaStepCell : public UITableViewCell {
public:
    FormulaStepCell(UITableViewCellStyle style, std::optional<std::string> reuseIdentifier);

    void configure(const std::string& title, const std::string& latex);
    void layoutSubviews() override;

    static constexpr const char* cellIdentifier = "formulaStepCell";
    static constexpr double rowHeight = 96;

private:
    std::shared_ptr<UILabel> title_;
    std::shared_ptr<MTMathUILabel> formula_;
};
