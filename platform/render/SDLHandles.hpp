#pragma once

#include <SDL.h>

#include <cstdlib>

namespace render {

// Owners of what SDL makes, for std::unique_ptr.
struct WindowRelease {
    void operator()(SDL_Window* window) const { SDL_DestroyWindow(window); }
};
struct RendererRelease {
    void operator()(SDL_Renderer* renderer) const { SDL_DestroyRenderer(renderer); }
};
struct TextureRelease {
    void operator()(SDL_Texture* texture) const { SDL_DestroyTexture(texture); }
};

// SDL_Init and SDL_Quit as a pair.
class SDLVideo {
public:
    SDLVideo() : ok_(SDL_Init(SDL_INIT_VIDEO) == 0) {}
    ~SDLVideo()
    {
        if (ok_) {
            SDL_Quit();
        }
    }
    SDLVideo(const SDLVideo&) = delete;
    SDLVideo& operator=(const SDLVideo&) = delete;
    bool ok() const { return ok_; }

private:
    bool ok_;
};

// Whether SDL has a display to open a window on (or a video driver chosen for it).
inline bool hasDisplay()
{
    const char* driver = std::getenv("SDL_VIDEODRIVER");
    const char* x11 = std::getenv("DISPLAY");
    const char* wayland = std::getenv("WAYLAND_DISPLAY");
    return (driver && *driver) || (x11 && *x11) || (wayland && *wayland);
}

} // namespace render
