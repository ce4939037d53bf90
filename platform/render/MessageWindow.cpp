#include "platform/render/MessageWindow.hpp"

#include <cmath>
#include <memory>

#include "platform/render/CairoHandles.hpp"
#include "platform/render/DialogLayout.hpp"
#include "platform/render/DialogPainter.hpp"
#include "platform/render/SDLHandles.hpp"
#include "platform/uikit/UIAlertController.hpp"

namespace render {

bool showMessageWindow(const std::string& title, const std::string& message)
{
    if (!hasDisplay()) {
        return false;
    }
    SDLVideo video;
    if (!video.ok()) {
        return false;
    }
    auto alert = UIAlertController::alertControllerWithTitle(title, message, UIAlertControllerStyle::Alert);
    alert->addAction(UIAlertAction::actionWithTitle("OK", UIAlertActionStyle::Default, nullptr));
    // The window holds the panel, laid out as over a phone's screen, with a margin round it.
    constexpr double margin = 16;
    DialogLayout measured = alertLayout(*alert, {390, 4000});
    CGSize size{std::ceil(measured.panel.size.width + 2 * margin), std::ceil(measured.panel.size.height + 2 * margin)};
    DialogLayout layout = alertLayout(*alert, size);
    layout.dimmed = false;
    int pixelWidth = static_cast<int>(size.width);
    int pixelHeight = static_cast<int>(size.height);

    std::unique_ptr<SDL_Window, WindowRelease> window(
        SDL_CreateWindow(title.c_str(), SDL_WINDOWPOS_CENTERED, SDL_WINDOWPOS_CENTERED, pixelWidth, pixelHeight, SDL_WINDOW_SHOWN));
    std::unique_ptr<SDL_Renderer, RendererRelease> renderer(window ? SDL_CreateRenderer(window.get(), -1, SDL_RENDERER_SOFTWARE) : nullptr);
    std::unique_ptr<SDL_Texture, TextureRelease> texture(
        renderer ? SDL_CreateTexture(renderer.get(), SDL_PIXELFORMAT_ARGB8888, SDL_TEXTUREACCESS_STREAMING, pixelWidth, pixelHeight) : nullptr);
    if (!texture) {
        return false;
    }
    CairoSurface surface(cairo_image_surface_create(CAIRO_FORMAT_ARGB32, pixelWidth, pixelHeight));
    {
        CairoContext cr(cairo_create(surface.get()));
        cairo_set_source_rgb(cr.get(), 0.85, 0.85, 0.87);
        cairo_paint(cr.get());
        paintDialog(cr.get(), layout, {{0, 0}, size});
    }
    cairo_surface_flush(surface.get());
    SDL_UpdateTexture(texture.get(), nullptr, cairo_image_surface_get_data(surface.get()), cairo_image_surface_get_stride(surface.get()));

    for (SDL_Event event;;) {
        SDL_RenderCopy(renderer.get(), texture.get(), nullptr, nullptr);
        SDL_RenderPresent(renderer.get());
        if (!SDL_WaitEvent(&event)) {
            return true;
        }
        switch (event.type) {
        case SDL_QUIT:
            return true;
        case SDL_WINDOWEVENT:
            if (event.window.event == SDL_WINDOWEVENT_CLOSE) {
                return true;
            }
            break;
        case SDL_KEYDOWN:
            if (event.key.keysym.sym == SDLK_RETURN || event.key.keysym.sym == SDLK_KP_ENTER || event.key.keysym.sym == SDLK_ESCAPE) {
                return true;
            }
            break;
        case SDL_MOUSEBUTTONUP:
            if (dialogButtonAt(layout, {double(event.button.x), double(event.button.y)})) {
                return true;
            }
            break;
        default:
            break;
        }
    }
}

} // namespace render
