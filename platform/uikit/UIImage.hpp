#pragma once

#include <filesystem>
#include <memory>
#include <optional>
#include <string>

#include "platform/uikit/CGGeometry.hpp"

class NSBundle;

enum class UIImageRenderingMode { Automatic = 0, AlwaysOriginal = 1, AlwaysTemplate = 2 };

// An image: a named bundle picture, a system symbol, or one made by drawing. Size is in
// points; pixels are size × scale. Images are shared and never change after creation.
class UIImage {
public:
    UIImage(CGSize size, CGFloat scale);
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

private:
    std::string name_;
    bool symbol_ = false;
    std::optional<std::filesystem::path> filePath_;
    CGSize size_;
    CGFloat scale_ = 1;
    UIImageRenderingMode renderingMode_ = UIImageRenderingMode::Automatic;
};
