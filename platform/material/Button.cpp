#include "platform/material/Button.hpp"

namespace Material {

Button::Button(std::optional<std::string> title, std::optional<UIColor> titleColor)
{
    UIButton::setTitle(std::move(title), UIControlStateNormal);
    UIButton::setTitleColor(std::move(titleColor), UIControlStateNormal);
}

Button::Button(std::shared_ptr<UIImage> image, std::optional<UIColor> tintColor)
{
    UIButton::setImage(std::move(image), UIControlStateNormal);
    setTintColor(std::move(tintColor));
}

} // namespace Material
