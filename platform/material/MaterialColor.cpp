#include "platform/material/MaterialColor.hpp"

namespace Material {

UIColor Color::blueGrey::base()
{
    return UIColor::colorWithRed(96 / 255.0, 125 / 255.0, 139 / 255.0, 1);
}

UIColor Color::blueGrey::lighten5()
{
    return UIColor::colorWithRed(236 / 255.0, 239 / 255.0, 241 / 255.0, 1);
}

} // namespace Material
