// The yardstick for the app's start: an empty SDL2 window made as the window host makes its own
// (same size, software renderer, a streaming texture of the window's pixels) that presents one
// frame, says so on its output and ends.
#include <SDL.h>

#include <cstdio>
#include <cstdlib>

int main(int /*argc*/, char** /*argv*/) {
    setenv("SDL_FRAMEBUFFER_ACCELERATION", "0", 0);
    if (SDL_Init(SDL_INIT_VIDEO) != 0) return 1;
    const int width = 390;
    const int height = 844;
    int status = 1;
    SDL_Window* window =
        SDL_CreateWindow("Empty", SDL_WINDOWPOS_CENTERED, SDL_WINDOWPOS_CENTERED, width, height, SDL_WINDOW_SHOWN);
    SDL_Renderer* renderer = window ? SDL_CreateRenderer(window, -1, SDL_RENDERER_SOFTWARE) : nullptr;
    SDL_Texture* texture =
        renderer ? SDL_CreateTexture(renderer, SDL_PIXELFORMAT_ARGB8888, SDL_TEXTUREACCESS_STREAMING, width, height)
                 : nullptr;
    if (texture) {
        void* pixels = nullptr;
        int pitch = 0;
        if (SDL_LockTexture(texture, nullptr, &pixels, &pitch) == 0) {
            SDL_memset(pixels, 0xff, static_cast<size_t>(pitch) * height);
            SDL_UnlockTexture(texture);
        }
        SDL_RenderClear(renderer);
        SDL_RenderCopy(renderer, texture, nullptr, nullptr);
        SDL_RenderPresent(renderer);
        // Said as the app says it, for the start-up benchmark to time.
        std::puts("First frame shown");
        std::fflush(stdout);
        status = 0;
    }
    if (texture) SDL_DestroyTexture(texture);
    if (renderer) SDL_DestroyRenderer(renderer);
    if (window) SDL_DestroyWindow(window);
    SDL_Quit();
    return status;
}
