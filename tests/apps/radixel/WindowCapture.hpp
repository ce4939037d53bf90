#pragma once

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include <cairo.h>

// What the window tests need around the real program: running a command line, reading the
// picture that xwd took of a window, and comparing it with a picture drawn without a window.

struct CommandResult {
    int status = -1;
    std::string output;
};

// Runs a shell command line (built from fixed parts and numbers only), with its output.
CommandResult runCommand(const std::string& command);
bool haveCommand(const std::string& name);

// Pixels as 0xRRGGBB, row by row.
struct RGBPicture {
    int width = 0;
    int height = 0;
    std::vector<uint32_t> pixels;
    uint32_t at(int x, int y) const { return pixels[static_cast<size_t>(y) * width + x]; }
};

// A window dump of xwd in the true-colour form of a 24- or 32-bit display; none otherwise.
std::optional<RGBPicture> readXwd(const std::filesystem::path& file);
RGBPicture pictureOf(cairo_surface_t* surface);

// The share of pixels (0...1) whose red, green or blue differ by more than tolerance.
double differingShare(const RGBPicture& a, const RGBPicture& b, int tolerance);
