#include "Radixel/screens/history/HistoryTableViewCell.hpp"

#include "Radixel/services/ThemeColor.hpp"
#include "platform/uikit/FatalError.hpp"

HistoryTableViewCell::HistoryTableViewCell(UITableViewCellStyle style, std::optional<std::string> reuseIdentifier)
    : UITableViewCell(style, std::move(reuseIdentifier)) {}

HistoryTableViewCell::HistoryTableViewCell(const NSCoder& coder) : UITableViewCell(coder) {}

// UITableViewCell

void HistoryTableViewCell::awakeFromNib() {
    UITableViewCell::awakeFromNib();
    if (!mathLabel) uikit::fatalError("HistoryTableViewCell: the outlet mathLabel is not connected");
    mathLabel->setTextColor(ThemeColor::label().colorWithAlphaComponent(0.9));
}

void HistoryTableViewCell::setSelected(bool selected, bool animated) {
    UITableViewCell::setSelected(selected, animated);
}
