#include "platform/uikit/UICollectionViewCell.hpp"

std::shared_ptr<UIView> UICollectionViewCell::contentView()
{
    if (!contentView_) {
        contentView_ = std::make_shared<UIView>(bounds());
        insertSubview(contentView_, 0);
    }
    return contentView_;
}

void UICollectionViewCell::layoutSubviews()
{
    if (contentView_) {
        contentView_->setFrame(bounds());
    }
}
