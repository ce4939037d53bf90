#pragma once

#include <memory>
#include <optional>
#include <string>

#include "platform/iosmath/MTMathUILabel.hpp"
#include "platform/uikit/UITableViewCell.hpp"

// One history entry: its one-line LaTeX summary, typeset. The prototype connects the label.
class HistoryTableViewCell : public UITableViewCell {
public:
    static constexpr const char* cellIdentifier = "historyCell";

    HistoryTableViewCell(UITableViewCellStyle style, std::optional<std::string> reuseIdentifier);
    explicit HistoryTableViewCell(const NSCoder& coder);

    std::shared_ptr<MTMathUILabel> mathLabel;

    // UITableViewCell
    void awakeFromNib() override;
    void setSelected(bool selected, bool animated) override;
};
