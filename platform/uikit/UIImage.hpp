#pragma once

#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include <cairo.h>

#include "platform/uikit/CGGeometry.hpp"

class NSBundle;

enum class UIImageRenderingMode { Automatic = 0, AlwaysOriginal = 1, AlwaysTemplate = 2 };

// An image: a named bundle picture, a system symbol, or one made by drawing. Size is in
// points; pixels are size × scale. Images are shared and never change after creation.
// Pixels live in a Cairo ARGB32 image surface (premultiplied, so transparency is real): a
// bundle picture reads its PNG on first use; symbols and framework icons have none, the drawing
// layer draws them by name.
class UIImage {
public:
    UIImage(CGSize size, CGFloat scale);
    ~UIImage();
    UIImage(const UIImage& other);
    UIImage& operator=(const UIImage&) = delete;
    // An image a framework supplies under a name of its own (icons).
    UIImage(std::string name, CGSize size, CGFloat scale) : UIImage(size, scale) { name_ = std::move(name); }

    // A picture of the main bundle ("<name>.png", "<name>@2x.png", "<name>@3x.png", also under
    // "images/"); none when there is no such file or the name could leave the resource folder.
    static std::shared_ptr<UIImage> imageNamed(const std::string& name);
    static std::shared_ptr<UIImage> imageNamed(const std::string& name, const NSBundle& bundle);
    // A system symbol by its name; none for a symbol the system does not have.
    static std::shared_ptr<UIImage> systemImageNamed(const std::string& name);

    // What the image was made from: the asset or symbol name, empty for drawn images.
    const std::string& name() const { return name_; }
    bool isSymbolImage() const { return symbol_; }
    const std::optional<std::filesystem::path>& filePath() const { return filePath_; }

    CGSize size() const { return size_; }
    CGFloat scale() const { return scale_; }
    UIImageRenderingMode renderingMode() const { return renderingMode_; }

    std::shared_ptr<UIImage> imageWithRenderingMode(UIImageRenderingMode mode) const;

    // An image of the surface's pixels at the given scale (the surface is referenced, not
    // copied). None for a missing, failed or empty surface, or one that is not ARGB32.
    static std::shared_ptr<UIImage> imageWithSurface(cairo_surface_t* surface, CGFloat scale);
    // A PNG file; none when it cannot be read or is not a PNG.
    static std::shared_ptr<UIImage> imageWithContentsOfFile(const std::filesystem::path& path, CGFloat scale = 1);

    // The pixels, or null for images without any (symbols, icons, unreadable files). Drawn
    // images of a non-empty size start transparent.
    cairo_surface_t* CGImage() const;

    // Draws the pixels into the current graphics context (UIGraphicsGetCurrentContext), scaled
    // to the rectangle; nothing without a context or pixels.
    void drawInRect(const CGRect& rect) const;
    void drawAtPoint(CGPoint point) const;

private:
    std::string name_;
    bool symbol_ = false;
    std::optional<std::filesystem::path> filePath_;
    CGSize size_;
    CGFloat scale_ = 1;
    UIImageRenderingMode renderingMode_ = UIImageRenderingMode::Automatic;
    // Made or loaded on first use; images are only touched on the main thread.
    mutable cairo_surface_t* surface_ = nullptr;
    mutable bool surfaceTried_ = false;
};

// The image as PNG bytes; none when it has no pixels or encoding fails.
std::optional<std::vector<unsigned char>> UIImagePNGRepresentation(const std::shared_ptr<UIImage>& image);
