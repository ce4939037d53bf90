#pragma once

enum class UIUserInterfaceStyle : int { Unspecified = 0, Light = 1, Dark = 2 };

enum class UIUserInterfaceIdiom : int { Unspecified = -1, Phone = 0, Pad = 1 };

// The traits colours resolve against. There is one current collection for the process; the
// window host and tests set it (the interface style follows the system appearance).
class UITraitCollection {
public:
    UITraitCollection() = default;
    explicit UITraitCollection(UIUserInterfaceStyle style) : userInterfaceStyle_(style) {}

    UIUserInterfaceStyle userInterfaceStyle() const { return userInterfaceStyle_; }
    // Only the value 2 is dark; every other style draws light.
    bool isDark() const { return userInterfaceStyle_ == UIUserInterfaceStyle::Dark; }

    static UITraitCollection currentTraitCollection();
    static void setCurrentTraitCollection(UITraitCollection traits);

private:
    UIUserInterfaceStyle userInterfaceStyle_ = UIUserInterfaceStyle::Light;
};
