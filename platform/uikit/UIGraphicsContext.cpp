#include "platform/uikit/UIGraphicsContext.hpp"

#include <vector>

namespace {
std::vector<cairo_t*>& contextStack()
{
    thread_local std::vector<cairo_t*> stack;
    return stack;
}
} // namespace

cairo_t* UIGraphicsGetCurrentContext()
{
    auto& stack = contextStack();
    return stack.empty() ? nullptr : stack.back();
}

void UIGraphicsPushContext(cairo_t* context)
{
    contextStack().push_back(context);
}

void UIGraphicsPopContext()
{
    auto& stack = contextStack();
    if (!stack.empty()) {
        stack.pop_back();
    }
}
