#include "platform/uikit/UIImage.hpp"

#include <array>
#include <cstdint>
#include <fstream>

#include "platform/foundation/NSBundle.hpp"

namespace {

// The symbols the application uses, plus a few common ones; all are drawn at 17 × 17 points.
constexpr std::array knownSymbols{
    "lock.fill", "lock.open.fill", "lock", "lock.open", "xmark", "xmark.circle.fill", "checkmark", "square.and.arrow.up",
    "trash", "pencil", "line.3.horizontal", "chevron.left", "chevron.right", "play.fill", "info.circle", "questionmark.circle",
};

bool isSafeAssetName(const std::string& name)
{
    if (name.empty() || name.find('\0') != std::string::npos) {
        return false;
    }
    // Asset names are plain names; anything that walks the file system is refused.
    return name.find('/') == std::string::npos && name.find('\\') == std::string::npos && name != "." && name != "..";
}

// Width and height from a PNG's header, when the file is one.
std::optional<CGSize> pngPixelSize(const std::filesystem::path& path)
{
    std::ifstream in(path, std::ios::binary);
    std::array<unsigned char, 24> header{};
    if (!in.read(reinterpret_cast<char*>(header.data()), header.size())) {
        return std::nullopt;
    }
    static constexpr std::array<unsigned char, 8> signature{0x89, 'P', 'N', 'G', '\r', '\n', 0x1a, '\n'};
    for (size_t i = 0; i < signature.size(); ++i) {
        if (header[i] != signature[i]) {
            return std::nullopt;
        }
    }
    auto be32 = [&](size_t at) {
        return (uint32_t(header[at]) << 24) | (uint32_t(header[at + 1]) << 16) | (uint32_t(header[at + 2]) << 8) | uint32_t(header[at + 3]);
    };
    return CGSize{double(be32(16)), double(be32(20))};
}

} // namespace

UIImage::UIImage(CGSize size, CGFloat scale) : size_(size), scale_(scale > 0 ? scale : 1) {}

std::shared_ptr<UIImage> UIImage::imageNamed(const std::string& name)
{
    return imageNamed(name, NSBundle::mainBundle());
}

std::shared_ptr<UIImage> UIImage::imageNamed(const std::string& name, const NSBundle& bundle)
{
    if (!isSafeAssetName(name)) {
        return nullptr;
    }
    for (const std::string folder : {"", "images/"}) {
        for (int scale : {1, 2, 3}) {
            std::string file = folder + name + (scale == 1 ? "" : "@" + std::to_string(scale) + "x");
            auto path = bundle.pathForResource(file, "png");
            if (!path) {
                continue;
            }
            auto pixels = pngPixelSize(*path);
            if (!pixels) {
                continue;
            }
            auto image = std::make_shared<UIImage>(CGSize{pixels->width / scale, pixels->height / scale}, scale);
            image->name_ = name;
            image->filePath_ = *path;
            return image;
        }
    }
    return nullptr;
}

std::shared_ptr<UIImage> UIImage::systemImageNamed(const std::string& name)
{
    for (const char* symbol : knownSymbols) {
        if (name == symbol) {
            auto image = std::make_shared<UIImage>(CGSize{17, 17}, 1);
            image->name_ = name;
            image->symbol_ = true;
            image->renderingMode_ = UIImageRenderingMode::AlwaysTemplate;
            return image;
        }
    }
    return nullptr;
}

std::shared_ptr<UIImage> UIImage::imageWithRenderingMode(UIImageRenderingMode mode) const
{
    auto copy = std::make_shared<UIImage>(*this);
    copy->renderingMode_ = mode;
    return copy;
}
