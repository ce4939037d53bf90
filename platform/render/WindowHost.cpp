#include "platform/render/WindowHost.hpp"

#include <SDL.h>

#include <algorithm>
#include <atomic>
#include <cmath>
#include <cstdlib>
#include <functional>
#include <iostream>

#include "platform/foundation/RunLoop.hpp"
#include "platform/render/CairoHandles.hpp"
#include "platform/render/SDLHandles.hpp"
#include "platform/render/DesktopLinkOpener.hpp"
#include "platform/render/FontWarmUp.hpp"
#include "platform/render/ShareSheetSaver.hpp"
#include "platform/render/TouchRouter.hpp"
#include "platform/render/ViewRenderer.hpp"
#include "platform/uikit/RunningAnimations.hpp"
#include "platform/uikit/UIActivityIndicatorView.hpp"
#include "platform/uikit/UIDevice.hpp"
#include "platform/uikit/UIScene.hpp"
#include "platform/uikit/UIScreen.hpp"
#include "platform/uikit/UITextField.hpp"
#include "platform/uikit/UIViewController.hpp"

namespace render {
namespace {

// About 60 frames a second while views animate.
constexpr int animationFrameMilliseconds = 16;

std::shared_ptr<UIWindow> applicationWindow()
{
    if (auto key = UIWindow::keyWindow()) {
        return key;
    }
    auto scene = UIApplication::sharedApplication().firstWindowScene();
    auto windows = scene->windows();
    return windows.empty() ? nullptr : windows.front();
}

void explainNoDisplay(const std::string& program, const std::string& reason)
{
    std::cerr << program << ": cannot open a window: " << reason << "\n"
              << "Run it on a desktop, or without one under a virtual display:\n"
              << "    xvfb-run -a " << program << "\n";
}

// Whether a spinner is turning somewhere visible, so frames must keep coming.
bool hasRunningSpinner(const UIView& view)
{
    if (view.isHidden()) {
        return false;
    }
    if (auto* spinner = dynamic_cast<const UIActivityIndicatorView*>(&view); spinner && spinner->isAnimating()) {
        return true;
    }
    return std::any_of(view.subviews().begin(), view.subviews().end(), [](const auto& sub) { return hasRunningSpinner(*sub); });
}

// Presented share sheets save their pictures as soon as they appear; each says where.
bool saveSharedPictures(const UIWindow& window)
{
    auto messages = ShareSheetSaver::saveSheetsShownIn(window);
    for (const auto& message : messages) {
        std::cout << message << std::endl;
    }
    return !messages.empty();
}

Uint32 wakeUpEvent()
{
    static const Uint32 type = SDL_RegisterEvents(1);
    return type;
}

class HostSession {
public:
    HostSession(const HostOptions& options, SDL_Renderer* renderer, SDL_Texture* texture, int pixelWidth, int pixelHeight)
        : options_(options), renderer_(renderer), texture_(texture),
          surface_(cairo_image_surface_create(CAIRO_FORMAT_ARGB32, pixelWidth, pixelHeight))
    {
    }

    int loop();

private:
    void draw();
    bool handle(const SDL_Event& event, bool& quit);
    CGPoint pointOf(int x, int y) const { return {x / options_.scale, y / options_.scale}; }
    TouchRouter* router();

    const HostOptions& options_;
    SDL_Renderer* renderer_;
    SDL_Texture* texture_;
    CairoSurface surface_;
    std::shared_ptr<UIWindow> uiWindow_;
    std::unique_ptr<TouchRouter> router_;
    bool screenshotTaken_ = false;
};

TouchRouter* HostSession::router()
{
    auto current = applicationWindow();
    if (current != uiWindow_) {
        uiWindow_ = current;
        router_ = current ? std::make_unique<TouchRouter>(current) : nullptr;
    }
    return router_.get();
}

void HostSession::draw()
{
    cairo_surface_t* surface = surface_.get();
    {
        CairoContext cr(cairo_create(surface));
        cairo_set_source_rgb(cr.get(), 0, 0, 0);
        cairo_paint(cr.get());
        cairo_scale(cr.get(), options_.scale, options_.scale);
        if (auto window = applicationWindow()) {
            window->layoutIfNeeded();
            window->layer()->renderInContext(cr.get());
        }
    }
    cairo_surface_flush(surface);
    SDL_UpdateTexture(texture_, nullptr, cairo_image_surface_get_data(surface), cairo_image_surface_get_stride(surface));
    SDL_RenderClear(renderer_);
    SDL_RenderCopy(renderer_, texture_, nullptr, nullptr);
    SDL_RenderPresent(renderer_);
}

bool HostSession::handle(const SDL_Event& event, bool& quit)
{
    auto& application = UIApplication::sharedApplication();
    switch (event.type) {
    case SDL_QUIT: quit = true; return false;
    case SDL_WINDOWEVENT:
        if (event.window.event == SDL_WINDOWEVENT_FOCUS_GAINED) {
            application.becomeActive();
        } else if (event.window.event == SDL_WINDOWEVENT_FOCUS_LOST) {
            application.resignActive();
        } else if (event.window.event == SDL_WINDOWEVENT_CLOSE) {
            quit = true;
        }
        return true;
    case SDL_MOUSEBUTTONDOWN:
        if (event.button.button == SDL_BUTTON_LEFT && router()) {
            return router()->press(pointOf(event.button.x, event.button.y));
        }
        return false;
    case SDL_MOUSEMOTION:
        if ((event.motion.state & SDL_BUTTON_LMASK) && router()) {
            return router()->move(pointOf(event.motion.x, event.motion.y));
        }
        return false;
    case SDL_MOUSEBUTTONUP:
        if (event.button.button == SDL_BUTTON_LEFT && router()) {
            return router()->release(pointOf(event.button.x, event.button.y));
        }
        return false;
    case SDL_MOUSEWHEEL:
        if (router()) {
            int x = 0;
            int y = 0;
            SDL_GetMouseState(&x, &y);
            // Ctrl and the wheel stand in for the phone's pinch.
            if (SDL_GetModState() & KMOD_CTRL) {
                return router()->zoom(pointOf(x, y), event.wheel.preciseY);
            }
            return router()->wheel(pointOf(x, y), event.wheel.preciseX, event.wheel.preciseY);
        }
        return false;
    case SDL_TEXTINPUT:
        if (auto field = std::dynamic_pointer_cast<UITextField>(UIResponder::currentFirstResponder())) {
            field->insertText(event.text.text);
            return true;
        }
        return false;
    case SDL_KEYDOWN:
        if (auto field = std::dynamic_pointer_cast<UITextField>(UIResponder::currentFirstResponder())) {
            if (event.key.keysym.sym == SDLK_BACKSPACE) {
                field->deleteBackward();
            } else if (event.key.keysym.sym == SDLK_RETURN) {
                field->pressReturn();
            }
            return true;
        }
        return false;
    default: return event.type == wakeUpEvent();
    }
}

int HostSession::loop()
{
    auto& runLoop = RunLoop::main();
    runLoop.setWakeUpHandler([] {
        SDL_Event wake{};
        wake.type = wakeUpEvent();
        SDL_PushEvent(&wake);
    });
    bool dirty = true;
    bool quit = false;
    while (!quit) {
        dirty |= runLoop.runUntilIdle() > 0;
        if (auto window = applicationWindow()) {
            dirty |= saveSharedPictures(*window);
        }
        if (dirty) {
            // Asked before drawing: an animation that ends while the frame is drawn still gets
            // one more frame, with its final values, and never counts as settled.
            bool animating = uikit::RunningAnimations::any();
            draw();
            dirty = animating;
            // A screenshot shows the window settled (an alert fully faded in), unless the first
            // frame is asked for; the run ends once it is written.
            bool settled = options_.exitAfterFirstFrame || !animating;
            if (options_.screenshot && !screenshotTaken_ && settled) {
                screenshotTaken_ = true;
                if (cairo_surface_write_to_png(surface_.get(), options_.screenshot->c_str()) != CAIRO_STATUS_SUCCESS) {
                    std::cerr << "radixel: could not write the screenshot " << *options_.screenshot << "\n";
                    return 1;
                }
                std::cout << "Screenshot written to " << options_.screenshot->string() << std::endl;
                break;
            }
            if (options_.exitAfterFirstFrame) {
                std::cout << "First frame shown" << std::endl;
                break;
            }
        }
        // Sleep until an event, the next timer, the next animation frame or the next spinner frame.
        int timeout = 1000;
        if (auto next = runLoop.secondsUntilNextWork()) {
            timeout = std::clamp(static_cast<int>(std::ceil(*next * 1000)), 0, timeout);
        }
        if (dirty || uikit::RunningAnimations::any()) {
            timeout = std::min(timeout, animationFrameMilliseconds);
            dirty = true;
        }
        auto window = applicationWindow();
        if (window && hasRunningSpinner(*window)) {
            timeout = std::min(timeout, 80);
            dirty = true;
        }
        SDL_Event event;
        if (SDL_WaitEventTimeout(&event, timeout)) {
            dirty |= handle(event, quit);
            while (!quit && SDL_PollEvent(&event)) {
                dirty |= handle(event, quit);
            }
        }
    }
    runLoop.setWakeUpHandler({});
    return 0;
}

// What install() was given, for run().
std::vector<UIFont>& fontsToWarmUp()
{
    static std::vector<UIFont> fonts;
    return fonts;
}

} // namespace

void WindowHost::install(std::vector<UIFont> firstFrameFonts)
{
    fontsToWarmUp() = std::move(firstFrameFonts);
    UIApplicationSetMainHost(&WindowHost::run);
}

int WindowHost::run(int argc, char** argv, const UIApplicationDelegateFactory& makeDelegate)
{
    std::string program = argc > 0 && argv[0] ? argv[0] : "radixel";
    std::vector<std::string> arguments(argv + std::min(argc, 1), argv + std::max(argc, 0));
    auto parsed = parseHostOptions(arguments);
    if (!parsed.options) {
        std::cerr << program << ": " << parsed.error << "\n" << hostUsage(program);
        return 2;
    }
    HostOptions options = *parsed.options;
    if (options.help) {
        std::cout << hostUsage(program);
        return 0;
    }
    if (!hasDisplay()) {
        explainNoDisplay(program, "no display (DISPLAY and WAYLAND_DISPLAY are not set)");
        return 1;
    }
    // The fonts load while the display server opens the window.
    FontWarmUp fonts(fontsToWarmUp().empty() ? std::vector{UIFont::systemFontOfSize(17)} : fontsToWarmUp(), options.scale);
    // The software renderer would otherwise load the whole GL stack for nothing.
    setenv("SDL_FRAMEBUFFER_ACCELERATION", "0", 0);
    SDLVideo video;
    if (!video.ok()) {
        explainNoDisplay(program, video.error());
        return 1;
    }
    // A window larger than the display would be cut off (a pad's on a laptop); drawn smaller it
    // fits. Pictures (a screenshot, the first frame) keep the scale asked for.
    SDL_Rect usable{};
    if (!options.scaleGiven && !options.screenshot && !options.exitAfterFirstFrame && SDL_GetDisplayUsableBounds(0, &usable) == 0) {
        options.scale = scaleToFit(options.screenSize, usable.w, usable.h);
    }
    int pixelWidth = static_cast<int>(std::lround(options.screenSize.width * options.scale));
    int pixelHeight = static_cast<int>(std::lround(options.screenSize.height * options.scale));
    std::unique_ptr<SDL_Window, WindowRelease> window(SDL_CreateWindow("Radixel", SDL_WINDOWPOS_CENTERED, SDL_WINDOWPOS_CENTERED, pixelWidth,
                                                                       pixelHeight, SDL_WINDOW_SHOWN));
    if (!window) {
        explainNoDisplay(program, SDL_GetError());
        return 1;
    }
    std::unique_ptr<SDL_Renderer, RendererRelease> renderer(SDL_CreateRenderer(window.get(), -1, SDL_RENDERER_SOFTWARE));
    std::unique_ptr<SDL_Texture, TextureRelease> texture(
        renderer ? SDL_CreateTexture(renderer.get(), SDL_PIXELFORMAT_ARGB8888, SDL_TEXTUREACCESS_STREAMING, pixelWidth, pixelHeight) : nullptr);
    if (!renderer || !texture) {
        explainNoDisplay(program, SDL_GetError());
        return 1;
    }

    UIScreen::mainScreen().configure(options.screenSize, options.scale);
    UIDevice::currentDevice().setUserInterfaceIdiom(options.idiom);
    UITraitCollection::setCurrentTraitCollection(UITraitCollection(options.style));

    fonts.handOver();
    auto& application = UIApplication::sharedApplication();
    application.setLinkOpener(std::make_shared<DesktopLinkOpener>());
    if (makeDelegate) {
        application.setDelegate(makeDelegate());
    }
    application.launch();
    SDL_StartTextInput();
    int status = HostSession(options, renderer.get(), texture.get(), pixelWidth, pixelHeight).loop();
    application.terminate();
    return status;
}

} // namespace render
