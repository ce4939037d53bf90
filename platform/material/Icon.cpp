#include "platform/material/Icon.hpp"

namespace Material {

namespace {
std::shared_ptr<UIImage> icon(const char* name)
{
    return std::make_shared<UIImage>(name, CGSize{24, 24}, 3)->imageWithRenderingMode(UIImageRenderingMode::AlwaysTemplate);
}
} // namespace

std::shared_ptr<UIImage> Icon::arrowBack() { return icon("ic_arrow_back_white"); }
std::shared_ptr<UIImage> Icon::check() { return icon("ic_check_white"); }
std::shared_ptr<UIImage> Icon::menu() { return icon("ic_menu_white"); }
std::shared_ptr<UIImage> Icon::share() { return icon("ic_share_white"); }
std::shared_ptr<UIImage> Icon::edit() { return icon("ic_edit_white"); }
std::shared_ptr<UIImage> Icon::clear() { return icon("ic_close_white"); }

} // namespace Material
