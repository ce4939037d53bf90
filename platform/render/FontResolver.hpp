#pragma once

#include <string>

#include "platform/render/CairoHandles.hpp"
#include "platform/uikit/UIFont.hpp"

namespace render {

// Maps the platform's fonts to installed ones. Each named family has a close stand-in from the
// Debian font packages (Avenir: Lato, Helvetica Neue: Nimbus Sans, the system font: Inter);
// fontconfig is asked whether the stand-in is really installed, because Pango would otherwise
// fall back to some other family without a word. A missing stand-in is reported once and
// replaced by DejaVu Sans.
class FontResolver {
public:
    // The installed family that draws the font.
    static std::string familyFor(const UIFont& font);
    // The numeric weight (100...900, 400 regular) the font is drawn at.
    static int weightFor(const UIFont& font);
    // A Pango description of the font with its size set absolutely in user-space units (one
    // point per unit), so sizes do not depend on a screen resolution.
    static FontDescription descriptionFor(const UIFont& font);
    // The same at another size (for text that shrinks to fit).
    static FontDescription descriptionFor(const UIFont& font, double pointSize);

    // Whether fontconfig has a face of exactly this family.
    static bool isFamilyInstalled(const std::string& family);
};

} // namespace render
