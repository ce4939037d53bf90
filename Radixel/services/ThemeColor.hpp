#pragma once

#include "platform/uikit/UIColor.hpp"

// The application's theme colours. Most are the platform's semantic colours, which follow the
// interface style by themselves; lightText is fixed, and textFieldBorder is chosen once, by the
// style current at its first use, and keeps that choice for the rest of the process.
//
// Each colour is made on first use; a simulated restart makes them anew.
struct ThemeColor {
    ThemeColor() = delete;

    static UIColor tertiaryBackground();
    static UIColor gray();
    static UIColor label();
    static UIColor lightText();
    // A colour of its own beside gray(), for shadows.
    static UIColor secondaryGray();
    // A colour of its own beside label(), for shadows.
    static UIColor shadow();
    static UIColor background();
    static UIColor textFieldBorder();

    // Asks UIColor for one of its named colours.
    static UIColor makeSystemColor(UIColor (*named)());
};
