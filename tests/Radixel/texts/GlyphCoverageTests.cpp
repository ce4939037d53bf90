#include <gtest/gtest.h>

#include "StringsTableFiles.hpp"
#include "platform/render/TextDrawing.hpp"

namespace {

// The fonts of the screens' texts, each a Latin stand-in: Chinese, Japanese, Korean and Devanagari
// texts depend on fontconfig's fallback finding a font for their script.
std::vector<UIFont> screenFonts() {
    return {*UIFont::fontWithName("Avenir-Heavy", 20), *UIFont::fontWithName("Avenir-Medium", 14),
            *UIFont::fontWithName("Avenir-Book", 14), *UIFont::fontWithName("HelveticaNeue", 10),
            UIFont::systemFontOfSize(17)};
}

int unknownGlyphs(const std::string& text, const UIFont& font) {
    render::TextStyle style;
    style.font = font;
    style.numberOfLines = 0;
    render::TextLayout layout(text, style, 0);
    return pango_layout_get_unknown_glyphs_count(layout.layout());
}

}  // namespace

TEST(GlyphCoverage, EveryTextOfEveryLanguageDrawsWithoutMissingGlyphs) {
    // A private-use code point no installed font draws: the count this test relies on is real.
    ASSERT_GT(unknownGlyphs("\xF3\xB0\x80\x80", *UIFont::fontWithName("Avenir-Medium", 14)), 0);
    for (const char* language : kLanguages) {
        SCOPED_TRACE(language);
        const foundation::StringsTable table = loadTable(language);
        ASSERT_FALSE(table.empty());
        for (const UIFont& font : screenFonts()) {
            std::vector<std::string> boxed;
            for (const auto& [key, text] : table)
                if (unknownGlyphs(text, font) > 0) boxed.push_back(key + " = " + text);
            EXPECT_TRUE(boxed.empty()) << font.fontName() << " draws boxes in " << boxed.size() << " texts, such as\n  "
                                       << boxed.front();
        }
    }
}
