#include "platform/render/UIGraphicsImageRenderer.hpp"

#include "platform/render/BitmapCanvas.hpp"
#include "platform/uikit/UIGraphicsContext.hpp"
#include "platform/uikit/UIScreen.hpp"

UIGraphicsImageRendererFormat UIGraphicsImageRendererFormat::defaultFormat()
{
    UIGraphicsImageRendererFormat format;
    format.scale = UIScreen::mainScreen().scale();
    return format;
}

std::shared_ptr<UIImage> UIGraphicsImageRendererContext::currentImage() const
{
    return render::BitmapCanvas::snapshot(surface_, scale_);
}

void UIGraphicsImageRendererContext::fillRect(const CGRect& rect) const
{
    cairo_rectangle(context_, rect.origin.x, rect.origin.y, rect.size.width, rect.size.height);
    cairo_fill(context_);
}

UIGraphicsImageRenderer::UIGraphicsImageRenderer(CGSize size) : UIGraphicsImageRenderer(size, UIGraphicsImageRendererFormat::defaultFormat()) {}

UIGraphicsImageRenderer::UIGraphicsImageRenderer(CGSize size, UIGraphicsImageRendererFormat format) : size_(size), format_(format) {}

std::shared_ptr<UIImage> UIGraphicsImageRenderer::imageWithActions(const Actions& actions) const
{
    auto canvas = render::BitmapCanvas::make(size_, format_.scale);
    if (!canvas) {
        return nullptr;
    }
    UIGraphicsPushContext(canvas->context());
    if (actions) {
        actions(UIGraphicsImageRendererContext(canvas->context(), canvas->surface(), canvas->scale()));
    }
    UIGraphicsPopContext();
    return canvas->takeImage();
}

std::optional<std::vector<unsigned char>> UIGraphicsImageRenderer::PNGDataWithActions(const Actions& actions) const
{
    auto image = imageWithActions(actions);
    return image ? UIImagePNGRepresentation(image) : std::nullopt;
}
