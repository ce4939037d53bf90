#pragma once

#include "platform/uikit/UITraitCollection.hpp"

class UIPopoverPresentationController;

enum class UIModalPresentationStyle : int {
    Automatic = -2,
    None = -1,
    FullScreen = 0,
    PageSheet = 1,
    FormSheet = 2,
    CurrentContext = 3,
    Custom = 4,
    OverFullScreen = 5,
    OverCurrentContext = 6,
    Popover = 7,
};

// Decides how a presentation adapts to a compact device (a phone). Every view controller is
// one (answering None); other classes may be one too.
class UIAdaptivePresentationControllerDelegate {
public:
    virtual ~UIAdaptivePresentationControllerDelegate() = default;
    // Automatic (the default here) lets the platform decide; None keeps the presentation's own
    // style; any other style is used instead.
    virtual UIModalPresentationStyle adaptivePresentationStyleForPresentationController(UIPopoverPresentationController& /*controller*/,
                                                                                        const UITraitCollection& /*traits*/)
    {
        return UIModalPresentationStyle::Automatic;
    }
};
