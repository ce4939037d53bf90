#include "platform/uikit/UITraitCollection.hpp"

#include <atomic>

namespace {
std::atomic<int> currentStyle{static_cast<int>(UIUserInterfaceStyle::Light)};
}

UITraitCollection UITraitCollection::currentTraitCollection()
{
    return UITraitCollection(static_cast<UIUserInterfaceStyle>(currentStyle.load()));
}

void UITraitCollection::setCurrentTraitCollection(UITraitCollection traits)
{
    currentStyle.store(static_cast<int>(traits.userInterfaceStyle()));
}
