#pragma once

#include <memory>

#include "platform/uikit/UIView.hpp"

class UIScrollView;

class UIScrollViewDelegate {
public:
    virtual ~UIScrollViewDelegate() = default;
    virtual void scrollViewDidScroll(const std::shared_ptr<UIScrollView>& /*scrollView*/) {}
    virtual std::shared_ptr<UIView> viewForZoomingInScrollView(const std::shared_ptr<UIScrollView>& /*scrollView*/) { return nullptr; }
    virtual void scrollViewDidZoom(const std::shared_ptr<UIScrollView>& /*scrollView*/) {}
};

// A view whose content is larger than itself. The content offset is the bounds origin; it moves
// at once (headless scrolling has no animation). Zooming scales the delegate's zooming view
// between the minimum and maximum scale.
class UIScrollView : public UIView {
public:
    using UIView::UIView;

    CGPoint contentOffset() const { return bounds().origin; }
    void setContentOffset(CGPoint offset);
    void setContentOffset(CGPoint offset, bool animated);
    CGSize contentSize() const { return contentSize_; }
    void setContentSize(CGSize size) { contentSize_ = size; }
    UIEdgeInsets contentInset() const { return contentInset_; }
    void setContentInset(const UIEdgeInsets& inset) { contentInset_ = inset; }

    // Scrolls the least distance that shows the rectangle (content coordinates), within the
    // content.
    void scrollRectToVisible(const CGRect& rect, bool animated);

    bool isScrollEnabled() const { return scrollEnabled_; }
    void setScrollEnabled(bool enabled) { scrollEnabled_ = enabled; }
    bool showsHorizontalScrollIndicator() const { return showsHorizontal_; }
    void setShowsHorizontalScrollIndicator(bool shows) { showsHorizontal_ = shows; }
    bool showsVerticalScrollIndicator() const { return showsVertical_; }
    void setShowsVerticalScrollIndicator(bool shows) { showsVertical_ = shows; }
    bool bounces() const { return bounces_; }
    void setBounces(bool bounces) { bounces_ = bounces; }

    std::shared_ptr<UIScrollViewDelegate> delegate() const { return delegate_.lock(); }
    void setDelegate(const std::shared_ptr<UIScrollViewDelegate>& delegate) { delegate_ = delegate; }

    CGFloat minimumZoomScale() const { return minimumZoomScale_; }
    void setMinimumZoomScale(CGFloat scale) { minimumZoomScale_ = scale; }
    CGFloat maximumZoomScale() const { return maximumZoomScale_; }
    void setMaximumZoomScale(CGFloat scale) { maximumZoomScale_ = scale; }
    CGFloat zoomScale() const { return zoomScale_; }
    // Clamped to the limits; without a zooming view from the delegate nothing zooms.
    void setZoomScale(CGFloat scale);

    // The largest offset that still shows content, for each axis.
    CGPoint maximumContentOffset() const;

protected:
    // Called after every change of the content offset.
    virtual void contentOffsetDidChange() {}

private:
    CGSize contentSize_;
    UIEdgeInsets contentInset_;
    bool scrollEnabled_ = true;
    bool showsHorizontal_ = true;
    bool showsVertical_ = true;
    bool bounces_ = true;
    std::weak_ptr<UIScrollViewDelegate> delegate_;
    CGFloat minimumZoomScale_ = 1;
    CGFloat maximumZoomScale_ = 1;
    CGFloat zoomScale_ = 1;
    CGSize unzoomedSize_;
};
