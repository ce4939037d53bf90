#include "platform/uikit/UIScrollView.hpp"

#include <algorithm>
#include <cmath>

void UIScrollView::setContentOffset(CGPoint offset)
{
    if (!std::isfinite(offset.x) || !std::isfinite(offset.y)) {
        return;
    }
    if (offset == contentOffset()) {
        return;
    }
    setBounds({offset, frame().size});
    contentOffsetDidChange();
    if (auto d = delegate()) {
        d->scrollViewDidScroll(as<UIScrollView>());
    }
}

void UIScrollView::setContentOffset(CGPoint offset, bool /*animated*/)
{
    setContentOffset(offset);
}

CGPoint UIScrollView::maximumContentOffset() const
{
    CGSize size = frame().size;
    return {std::max(-contentInset_.left, contentSize_.width + contentInset_.right - size.width),
            std::max(-contentInset_.top, contentSize_.height + contentInset_.bottom - size.height)};
}

void UIScrollView::scrollRectToVisible(const CGRect& rect, bool animated)
{
    CGPoint offset = contentOffset();
    CGSize size = frame().size;
    auto axis = [](CGFloat current, CGFloat length, CGFloat lo, CGFloat hi) {
        if (hi - lo > length || lo < current) {
            return lo;
        }
        if (hi > current + length) {
            return hi - length;
        }
        return current;
    };
    offset.x = axis(offset.x, size.width, rect.minX(), rect.maxX());
    offset.y = axis(offset.y, size.height, rect.minY(), rect.maxY());
    CGPoint maximum = maximumContentOffset();
    offset.x = std::clamp(offset.x, -contentInset_.left, maximum.x);
    offset.y = std::clamp(offset.y, -contentInset_.top, maximum.y);
    setContentOffset(offset, animated);
}

void UIScrollView::setZoomScale(CGFloat scale)
{
    if (!std::isfinite(scale)) {
        return;
    }
    auto d = delegate();
    auto zoomView = d ? d->viewForZoomingInScrollView(as<UIScrollView>()) : nullptr;
    if (!zoomView) {
        return;
    }
    CGFloat clampedScale = std::clamp(scale, std::min(minimumZoomScale_, maximumZoomScale_), std::max(minimumZoomScale_, maximumZoomScale_));
    if (zoomScale_ == 1 || unzoomedSize_ == CGSizeZero) {
        unzoomedSize_ = {zoomView->frame().size.width / zoomScale_, zoomView->frame().size.height / zoomScale_};
    }
    zoomScale_ = clampedScale;
    CGRect f = zoomView->frame();
    f.size = {unzoomedSize_.width * zoomScale_, unzoomedSize_.height * zoomScale_};
    zoomView->setFrame(f);
    contentSize_ = f.size;
    d->scrollViewDidZoom(as<UIScrollView>());
}
