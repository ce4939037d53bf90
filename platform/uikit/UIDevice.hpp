#pragma once

#include "platform/uikit/UITraitCollection.hpp"

// The device the application runs on; a phone unless the host or a test says otherwise.
class UIDevice {
public:
    static UIDevice& currentDevice();

    UIUserInterfaceIdiom userInterfaceIdiom() const { return idiom_; }
    void setUserInterfaceIdiom(UIUserInterfaceIdiom idiom) { idiom_ = idiom; }

private:
    UIUserInterfaceIdiom idiom_ = UIUserInterfaceIdiom::Phone;
};
