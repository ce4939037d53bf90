#include "platform/uikit/UITableViewCell.hpp"

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
}

void UITableViewCell::prepareForReuse()
{
    selected_ = false;
    highlighted_ = false;
}

void UITableViewCell::layoutSubviews()
{
    if (contentView_) {
        contentView_->setFrame(bounds());
    }
    if (textLabel_) {
        CGRect b = bounds();
        CGFloat leading = imageView_ && imageView_->image() ? b.size.height + 8 : 16;
        textLabel_->setFrame({leading, 0, std::max(0.0, b.size.width - leading - 16), detailTextLabel_ ? b.size.height / 2 : b.size.height});
    }
}
