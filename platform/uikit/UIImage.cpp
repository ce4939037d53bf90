#include "platform/uikit/UIImage.hpp"
#include "platform/uikit/PngEncoding.hpp"

#include <array>
#include <cmath>
#include <cstdint>
#include <fstream>

#include "platform/foundation/NSBundle.hpp"
#include "platform/uikit/UIGraphicsContext.hpp"

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

// Cairo's own limit for image surfaces.
constexpr int maxPixelSide = 32767;

// An ARGB32 surface of the PNG's pixels (cairo converts other PNG formats), or null.
cairo_surface_t* loadPNG(const std::filesystem::path& path)
{
    if (!pngPixelSize(path)) {
        return nullptr;
    }
    cairo_surface_t* loaded = cairo_image_surface_create_from_png(path.c_str());
    if (cairo_surface_status(loaded) != CAIRO_STATUS_SUCCESS) {
        cairo_surface_destroy(loaded);
        return nullptr;
    }
    if (cairo_image_surface_get_format(loaded) == CAIRO_FORMAT_ARGB32) {
        return loaded;
    }
    // Opaque PNGs load as RGB24; every image keeps ARGB32 so stacking and writing treat all alike.
    cairo_surface_t* argb = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, cairo_image_surface_get_width(loaded),
                                                       cairo_image_surface_get_height(loaded));
    cairo_t* cr = cairo_create(argb);
    cairo_set_source_surface(cr, loaded, 0, 0);
    cairo_paint(cr);
    cairo_destroy(cr);
    cairo_surface_destroy(loaded);
    if (cairo_surface_status(argb) != CAIRO_STATUS_SUCCESS) {
        cairo_surface_destroy(argb);
        return nullptr;
    }
    return argb;
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
            std::string file = folder + name;
            if (scale != 1) {
                file += '@';
                file += std::to_string(scale);
                file += 'x';
            }
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

UIImage::~UIImage()
{
    if (surface_) {
        cairo_surface_destroy(surface_);
    }
}

UIImage::UIImage(const UIImage& other)
    : name_(other.name_), symbol_(other.symbol_), filePath_(other.filePath_), size_(other.size_), scale_(other.scale_),
      renderingMode_(other.renderingMode_), surfaceTried_(other.surfaceTried_)
{
    surface_ = other.surface_ ? cairo_surface_reference(other.surface_) : nullptr;
}

std::shared_ptr<UIImage> UIImage::imageWithSurface(cairo_surface_t* surface, CGFloat scale)
{
    if (!surface || cairo_surface_status(surface) != CAIRO_STATUS_SUCCESS || cairo_surface_get_type(surface) != CAIRO_SURFACE_TYPE_IMAGE ||
        cairo_image_surface_get_format(surface) != CAIRO_FORMAT_ARGB32) {
        return nullptr;
    }
    int width = cairo_image_surface_get_width(surface);
    int height = cairo_image_surface_get_height(surface);
    if (width <= 0 || height <= 0) {
        return nullptr;
    }
    if (!(std::isfinite(scale) && scale > 0)) {
        scale = 1;
    }
    auto image = std::make_shared<UIImage>(CGSize{width / scale, height / scale}, scale);
    image->surface_ = cairo_surface_reference(surface);
    image->surfaceTried_ = true;
    return image;
}

std::shared_ptr<UIImage> UIImage::imageWithContentsOfFile(const std::filesystem::path& path, CGFloat scale)
{
    cairo_surface_t* surface = loadPNG(path);
    if (!surface) {
        return nullptr;
    }
    auto image = imageWithSurface(surface, scale);
    cairo_surface_destroy(surface);
    if (image) {
        image->filePath_ = path;
    }
    return image;
}

cairo_surface_t* UIImage::CGImage() const
{
    if (surface_ || surfaceTried_) {
        return surface_;
    }
    surfaceTried_ = true;
    if (filePath_) {
        surface_ = loadPNG(*filePath_);
    } else if (name_.empty() && !symbol_) {
        int width = static_cast<int>(std::lround(size_.width * scale_));
        int height = static_cast<int>(std::lround(size_.height * scale_));
        if (width > 0 && height > 0 && width <= maxPixelSide && height <= maxPixelSide) {
            surface_ = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, width, height);
            if (cairo_surface_status(surface_) != CAIRO_STATUS_SUCCESS) {
                cairo_surface_destroy(surface_);
                surface_ = nullptr;
            }
        }
    }
    return surface_;
}

void UIImage::drawInRect(const CGRect& rect) const
{
    cairo_t* cr = UIGraphicsGetCurrentContext();
    cairo_surface_t* pixels = CGImage();
    if (!cr || !pixels || rect.size.width <= 0 || rect.size.height <= 0) {
        return;
    }
    int width = cairo_image_surface_get_width(pixels);
    int height = cairo_image_surface_get_height(pixels);
    cairo_save(cr);
    cairo_rectangle(cr, rect.origin.x, rect.origin.y, rect.size.width, rect.size.height);
    cairo_clip(cr);
    cairo_translate(cr, rect.origin.x, rect.origin.y);
    cairo_scale(cr, rect.size.width / width, rect.size.height / height);
    cairo_set_source_surface(cr, pixels, 0, 0);
    // Pixels outside the image must stay untouched when the image is scaled up.
    cairo_pattern_set_extend(cairo_get_source(cr), CAIRO_EXTEND_PAD);
    cairo_paint(cr);
    cairo_restore(cr);
}

void UIImage::drawAtPoint(CGPoint point) const
{
    drawInRect({point.x, point.y, size_.width, size_.height});
}

std::optional<std::vector<unsigned char>> UIImagePNGRepresentation(const std::shared_ptr<UIImage>& image)
{
    return encodePng(image ? image->CGImage() : nullptr);
}
