#pragma once

#include <memory>

#include "platform/uikit/UIImage.hpp"
#include "platform/uikit/UIView.hpp"

// Shows one image; empty when it has none.
class UIImageView : public UIView {
public:
    UIImageView();
    explicit UIImageView(const CGRect& frame);
    explicit UIImageView(std::shared_ptr<UIImage> image);

    const std::shared_ptr<UIImage>& image() const { return image_; }
    void setImage(std::shared_ptr<UIImage> image)
    {
        image_ = std::move(image);
        setNeedsDisplay();
    }

    CGSize sizeThatFits(CGSize) const override { return image_ ? image_->size() : CGSizeZero; }
    CGSize intrinsicContentSize() const override { return image_ ? image_->size() : CGSize{-1, -1}; }

private:
    std::shared_ptr<UIImage> image_;
};
