#include "WindowCapture.hpp"

#include <sys/wait.h>

#include <array>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iterator>

CommandResult runCommand(const std::string& command)
{
    CommandResult run;
    FILE* pipe = popen((command + " 2>&1").c_str(), "r");
    if (!pipe) {
        return run;
    }
    std::array<char, 512> buffer{};
    while (fgets(buffer.data(), buffer.size(), pipe)) {
        run.output += buffer.data();
    }
    int status = pclose(pipe);
    run.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    return run;
}

bool haveCommand(const std::string& name)
{
    return runCommand("command -v " + name).status == 0;
}

namespace {

uint32_t bigEndian(const std::string& data, size_t offset)
{
    auto byte = [&](size_t i) { return static_cast<uint32_t>(static_cast<unsigned char>(data[offset + i])); };
    return byte(0) << 24 | byte(1) << 16 | byte(2) << 8 | byte(3);
}

} // namespace

std::optional<RGBPicture> readXwd(const std::filesystem::path& file)
{
    std::ifstream in(file, std::ios::binary);
    std::string data((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    if (data.size() < 100) {
        return std::nullopt;
    }
    uint32_t headerSize = bigEndian(data, 0);
    uint32_t width = bigEndian(data, 16);
    uint32_t height = bigEndian(data, 20);
    uint32_t byteOrder = bigEndian(data, 28);
    uint32_t bitsPerPixel = bigEndian(data, 44);
    uint32_t bytesPerLine = bigEndian(data, 48);
    uint32_t colours = bigEndian(data, 76);
    size_t start = headerSize + static_cast<size_t>(colours) * 12;
    if (bitsPerPixel != 32 || width == 0 || width > 8000 || height > 8000 || data.size() < start + size_t(bytesPerLine) * height) {
        return std::nullopt;
    }
    RGBPicture picture{static_cast<int>(width), static_cast<int>(height), {}};
    picture.pixels.reserve(size_t(width) * height);
    for (uint32_t y = 0; y < height; ++y) {
        for (uint32_t x = 0; x < width; ++x) {
            size_t at = start + size_t(y) * bytesPerLine + size_t(x) * 4;
            auto byte = [&](size_t i) { return static_cast<uint32_t>(static_cast<unsigned char>(data[at + i])); };
            // Least significant byte first (0) is blue, green, red, pad.
            uint32_t pixel = byteOrder == 0 ? (byte(2) << 16 | byte(1) << 8 | byte(0)) : (byte(1) << 16 | byte(2) << 8 | byte(3));
            picture.pixels.push_back(pixel);
        }
    }
    return picture;
}

RGBPicture pictureOf(cairo_surface_t* surface)
{
    cairo_surface_flush(surface);
    RGBPicture picture{cairo_image_surface_get_width(surface), cairo_image_surface_get_height(surface), {}};
    const unsigned char* data = cairo_image_surface_get_data(surface);
    int stride = cairo_image_surface_get_stride(surface);
    for (int y = 0; y < picture.height; ++y) {
        for (int x = 0; x < picture.width; ++x) {
            picture.pixels.push_back(reinterpret_cast<const uint32_t*>(data + y * stride)[x] & 0xffffff);
        }
    }
    return picture;
}

double differingShare(const RGBPicture& a, const RGBPicture& b, int tolerance)
{
    if (a.width != b.width || a.height != b.height || a.pixels.empty()) {
        return 1.0;
    }
    size_t differing = 0;
    for (size_t i = 0; i < a.pixels.size(); ++i) {
        for (int shift : {16, 8, 0}) {
            int delta = static_cast<int>((a.pixels[i] >> shift) & 0xff) - static_cast<int>((b.pixels[i] >> shift) & 0xff);
            if (std::abs(delta) > tolerance) {
                ++differing;
                break;
            }
        }
    }
    return static_cast<double>(differing) / static_cast<double>(a.pixels.size());
}
