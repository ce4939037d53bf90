#include "platform/uikit/UIImageView.hpp"

UIImageView::UIImageView() : UIImageView(CGRectZero) {}

UIImageView::UIImageView(const CGRect& frame) : UIView(frame)
{
    setUserInteractionEnabled(false);
}

UIImageView::UIImageView(std::shared_ptr<UIImage> image)
    : UIImageView(image ? CGRect{CGPointZero, image->size()} : CGRectZero)
{
    image_ = std::move(image);
}
