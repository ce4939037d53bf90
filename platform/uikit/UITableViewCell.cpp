#include "platform/uikit/UITableViewCell.hpp"

#include <algorithm>

#include "platform/uikit/UITableView.hpp"

UITableViewCell::UITableViewCell(UITableViewCellStyle style, std::optional<std::string> reuseIdentifier)
    : UIView(CGRect{0, 0, 320, 44}), style_(style), reuseIdentifier_(std::move(reuseIdentifier))
{
}

UITableViewCell::UITableViewCell(const NSCoder& /*coder*/) : UITableViewCell(UITableViewCellStyle::Default, std::nullopt) {}

std::shared_ptr<UIView> UITableViewCell::contentView()
{
    if (!contentView_) {
        contentView_ = std::make_shared<UIView>(bounds());
        insertSubview(contentView_, 0);
    }
    return contentView_;
}

std::shared_ptr<UILabel> UITableViewCell::textLabel()
{
    if (!textLabel_) {
        textLabel_ = std::make_shared<UILabel>(CGRect{16, 0, bounds().size.width - 32, bounds().size.height});
        contentView()->addSubview(textLabel_);
    }
    return textLabel_;
}

std::shared_ptr<UILabel> UITableViewCell::detailTextLabel()
{
    if (style_ == UITableViewCellStyle::Default) {
        return nullptr;
    }
    if (!detailTextLabel_) {
        detailTextLabel_ = std::make_shared<UILabel>(CGRect{16, bounds().size.height / 2, bounds().size.width - 32, bounds().size.height / 2});
        contentView()->addSubview(detailTextLabel_);
    }
    return detailTextLabel_;
}

std::shared_ptr<UIImageView> UITableViewCell::imageView()
{
    if (!imageView_) {
        imageView_ = std::make_shared<UIImageView>(CGRect{0, 0, bounds().size.height, bounds().size.height});
        contentView()->addSubview(imageView_);
    }
    return imageView_;
}

void UITableViewCell::setSelected(bool selected, bool /*animated*/)
{
    selected_ = selected;
}

void UITableViewCell::setHighlighted(bool highlighted, bool /*animated*/)
{
    highlighted_ = highlighted;
}

void UITableViewCell::setEditing(bool editing, bool /*animated*/)
{
    editing_ = editing;
    updateEditingControls();
}

void UITableViewCell::setEditingControls(UITableViewCellEditingStyle style, bool movable)
{
    editingStyle_ = style;
    movable_ = movable;
    updateEditingControls();
}

void UITableViewCell::setDeleteConfirmationWidth(CGFloat width)
{
    deleteConfirmationWidth_ = std::max<CGFloat>(0, width);
    updateEditingControls();
}

void UITableViewCell::updateEditingControls()
{
    if (editing_ && editingStyle_ == UITableViewCellEditingStyle::Delete && !editControl_) {
        editControl_ = std::make_shared<UITableViewCellEditControl>();
        editControl_->addTarget(as<UITableViewCell>(), &UITableViewCell::editControlTapped, UIControlEventTouchUpInside);
        addSubview(editControl_);
    }
    if (editing_ && movable_ && !reorderControl_) {
        reorderControl_ = std::make_shared<UITableViewCellReorderControl>();
        addSubview(reorderControl_);
    }
    if (deleteConfirmationWidth_ > 0 && !deleteConfirmationButton_) {
        deleteConfirmationButton_ = std::make_shared<UITableViewCellDeleteConfirmationButton>();
        deleteConfirmationButton_->addTarget(as<UITableViewCell>(), &UITableViewCell::deleteConfirmationTapped,
                                             UIControlEventTouchUpInside);
        addSubview(deleteConfirmationButton_);
    }
    setNeedsLayout();
    layoutIfNeeded();
}

void UITableViewCell::editControlTapped()
{
    auto table = std::dynamic_pointer_cast<UITableView>(superview());
    auto indexPath = table ? table->indexPathForCell(as<UITableViewCell>()) : std::nullopt;
    if (indexPath) {
        table->showDeleteConfirmationForRowAtIndexPath(*indexPath);
    }
}

void UITableViewCell::deleteConfirmationTapped()
{
    auto table = std::dynamic_pointer_cast<UITableView>(superview());
    auto indexPath = table ? table->indexPathForCell(as<UITableViewCell>()) : std::nullopt;
    if (indexPath) {
        table->userDidTapDeleteConfirmationForRowAtIndexPath(*indexPath);
    }
}

void UITableViewCell::prepareForReuse()
{
    selected_ = false;
    highlighted_ = false;
}

void UITableViewCell::layoutSubviews()
{
    CGRect cell = bounds();
    bool deletable = editing_ && editingStyle_ == UITableViewCellEditingStyle::Delete;
    bool confirming = deleteConfirmationWidth_ > 0;
    CGFloat leading = deletable ? UITableViewCellEditControl::width : 0;
    // The Delete button takes the place of the reorder control while it shows.
    CGFloat trailing = editing_ && movable_ && !confirming ? UITableViewCellReorderControl::width : 0;
    CGFloat shift = -deleteConfirmationWidth_;
    if (contentView_) {
        contentView_->setFrame({cell.minX() + leading + shift, cell.minY(), std::max<CGFloat>(0, cell.size.width - leading - trailing),
                                cell.size.height});
    }
    if (editControl_) {
        editControl_->setHidden(!deletable);
        editControl_->setFrame({cell.minX() + shift, cell.minY(), UITableViewCellEditControl::width, cell.size.height});
    }
    if (reorderControl_) {
        reorderControl_->setHidden(trailing <= 0);
        reorderControl_->setFrame({cell.maxX() - UITableViewCellReorderControl::width, cell.minY(), UITableViewCellReorderControl::width,
                                   cell.size.height});
    }
    if (deleteConfirmationButton_) {
        deleteConfirmationButton_->setHidden(!confirming);
        deleteConfirmationButton_->setFrame({cell.maxX() - deleteConfirmationWidth_, cell.minY(), deleteConfirmationWidth_, cell.size.height});
    }
    if (textLabel_) {
        CGRect b = contentView_->bounds();
        CGFloat leading = imageView_ && imageView_->image() ? b.size.height + 8 : 16;
        textLabel_->setFrame({leading, 0, std::max(0.0, b.size.width - leading - 16), detailTextLabel_ ? b.size.height / 2 : b.size.height});
    }
}
