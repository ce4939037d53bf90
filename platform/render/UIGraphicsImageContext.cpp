#include "platform/render/UIGraphicsImageContext.hpp"

#include <optional>
#include <vector>

#include "platform/render/BitmapCanvas.hpp"
#include "platform/uikit/UIGraphicsContext.hpp"
#include "platform/uikit/UIScreen.hpp"

namespace {

std::vector<std::optional<render::BitmapCanvas>>& imageContexts()
{
    thread_local std::vector<std::optional<render::BitmapCanvas>> stack;
    return stack;
}

} // namespace

void UIGraphicsBeginImageContextWithOptions(CGSize size, bool /*opaque*/, CGFloat scale)
{
    if (scale == 0) {
        scale = UIScreen::mainScreen().scale();
    }
    auto& stack = imageContexts();
    stack.push_back(render::BitmapCanvas::make(size, scale));
    UIGraphicsPushContext(stack.back() ? stack.back()->context() : nullptr);
}

void UIGraphicsBeginImageContext(CGSize size)
{
    UIGraphicsBeginImageContextWithOptions(size, false, 1);
}

std::shared_ptr<UIImage> UIGraphicsGetImageFromCurrentImageContext()
{
    auto& stack = imageContexts();
    if (stack.empty() || !stack.back()) {
        return nullptr;
    }
    return render::BitmapCanvas::snapshot(stack.back()->surface(), stack.back()->scale());
}

void UIGraphicsEndImageContext()
{
    auto& stack = imageContexts();
    if (stack.empty()) {
        return;
    }
    stack.pop_back();
    UIGraphicsPopContext();
}
