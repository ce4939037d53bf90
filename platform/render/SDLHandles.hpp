#pragma once

#include <SDL.h>

#include <cstdlib>
#include <string>

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

// The displays SDL was told to use ("DISPLAY=:0"), as the user would recognise them in an error;
// empty when none is set.
inline std::string namedDisplays()
{
    std::string names;
    for (const char* variable : {"DISPLAY", "WAYLAND_DISPLAY"}) {
        const char* value = std::getenv(variable);
        if (value && *value) {
            names += (names.empty() ? "" : " or ") + std::string(variable) + "=" + value;
        }
    }
    return names;
}

// Whether a video driver was asked for by name (SDL_VIDEODRIVER).
inline bool videoDriverRequested()
{
    const char* driver = std::getenv("SDL_VIDEODRIVER");
    return driver && *driver;
}

// Whether SDL has a display to open a window on (or a video driver chosen for it).
inline bool hasDisplay()
{
    return videoDriverRequested() || !namedDisplays().empty();
}

// SDL_Init and SDL_Quit as a pair. When no display can be reached, SDL falls back on its own to
// a driver that draws nowhere; a window there is no window, so that counts as no display unless
// such a driver was asked for by name.
class SDLVideo {
public:
    SDLVideo()
    {
        if (SDL_Init(SDL_INIT_VIDEO) != 0) {
            error_ = SDL_GetError();
            return;
        }
        const char* driver = SDL_GetCurrentVideoDriver();
        std::string name = driver ? driver : "";
        if (!videoDriverRequested() && (name == "offscreen" || name == "dummy")) {
            SDL_Quit();
            error_ = "the display cannot be reached (" + namedDisplays() + ")";
            return;
        }
        ok_ = true;
    }
    ~SDLVideo()
    {
        if (ok_) {
            SDL_Quit();
        }
    }
    SDLVideo(const SDLVideo&) = delete;
    SDLVideo& operator=(const SDLVideo&) = delete;
    bool ok() const { return ok_; }
    // Why there is no video, for the user.
    const std::string& error() const { return error_; }

private:
    bool ok_ = false;
    std::string error_;
};

} // namespace render
