#include "platform/render/FontResolver.hpp"

#include <fontconfig/fontconfig.h>
#include <strings.h>

#include <array>
#include <iostream>
#include <map>
#include <mutex>
#include <string_view>

namespace render {
namespace {

constexpr const char* fallbackFamily = "DejaVu Sans";

struct FamilyStandIn {
    std::string_view platformFamily;
    const char* installedFamily;
};

constexpr std::array standIns{
    FamilyStandIn{"Avenir", "Lato"},
    FamilyStandIn{"Helvetica Neue", "Nimbus Sans"},
    FamilyStandIn{"Helvetica", "Nimbus Sans"},
    FamilyStandIn{"Menlo", "DejaVu Sans Mono"},
    FamilyStandIn{".SF UI", "Inter"},
};

bool familyMatches(FcPattern* match, const std::string& family)
{
    FcChar8* name = nullptr;
    for (int i = 0; FcPatternGetString(match, FC_FAMILY, i, &name) == FcResultMatch; ++i) {
        if (strcasecmp(reinterpret_cast<const char*>(name), family.c_str()) == 0) {
            return true;
        }
    }
    return false;
}

bool askFontconfig(const std::string& family)
{
    FcPattern* pattern = FcPatternCreate();
    FcPatternAddString(pattern, FC_FAMILY, reinterpret_cast<const FcChar8*>(family.c_str()));
    FcConfigSubstitute(nullptr, pattern, FcMatchPattern);
    FcDefaultSubstitute(pattern);
    FcResult result = FcResultNoMatch;
    FcPattern* match = FcFontMatch(nullptr, pattern, &result);
    bool found = match && familyMatches(match, family);
    if (match) {
        FcPatternDestroy(match);
    }
    FcPatternDestroy(pattern);
    return found;
}

} // namespace

bool FontResolver::isFamilyInstalled(const std::string& family)
{
    static std::mutex mutex;
    static std::map<std::string, bool> known;
    std::lock_guard lock(mutex);
    auto it = known.find(family);
    if (it == known.end()) {
        it = known.emplace(family, askFontconfig(family)).first;
    }
    return it->second;
}

std::string FontResolver::familyFor(const UIFont& font)
{
    std::string wanted = font.familyName();
    for (const auto& standIn : standIns) {
        if (standIn.platformFamily == font.familyName()) {
            wanted = standIn.installedFamily;
            break;
        }
    }
    if (isFamilyInstalled(wanted)) {
        return wanted;
    }
    static std::once_flag warned;
    std::call_once(warned, [&] {
        std::cerr << "render: font family \"" << wanted << "\" is not installed (run scripts/setup); drawing text in " << fallbackFamily
                  << "\n";
    });
    return fallbackFamily;
}

int FontResolver::weightFor(const UIFont& font)
{
    // The heavy and black faces of Avenir sit above the bold the weight table gives them.
    std::string_view name = font.fontName();
    if (name.ends_with("-Heavy")) {
        return 800;
    }
    if (name.ends_with("-Black")) {
        return 900;
    }
    double w = font.weight();
    if (w <= -0.3) {
        return 300;
    }
    if (w < 0.1) {
        return 400;
    }
    if (w < 0.27) {
        return 500;
    }
    if (w < 0.35) {
        return 600;
    }
    if (w < 0.5) {
        return 700;
    }
    return 900;
}

FontDescription FontResolver::descriptionFor(const UIFont& font)
{
    return descriptionFor(font, font.pointSize());
}

FontDescription FontResolver::descriptionFor(const UIFont& font, double pointSize)
{
    FontDescription description(pango_font_description_new());
    pango_font_description_set_family(description.get(), familyFor(font).c_str());
    pango_font_description_set_weight(description.get(), static_cast<PangoWeight>(weightFor(font)));
    pango_font_description_set_absolute_size(description.get(), pointSize * PANGO_SCALE);
    return description;
}

} // namespace render
