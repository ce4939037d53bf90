#pragma once

#include <cstdint>

namespace iosmath {

// TeX's styles, largest first. Cramped styles (inside denominators, radicals, subscripts) raise
// superscripts less.
enum class MathStyleLevel : uint8_t { Display, Text, Script, ScriptScript };

struct MathStyle {
    MathStyleLevel level = MathStyleLevel::Display;
    bool cramped = false;

    bool isScript() const { return level >= MathStyleLevel::Script; }
    MathStyle cramp() const { return {level, true}; }
    // Style of superscripts; subscripts take its cramped form.
    MathStyle superscriptStyle() const {
        return {level <= MathStyleLevel::Text ? MathStyleLevel::Script : MathStyleLevel::ScriptScript,
                cramped};
    }
    MathStyle subscriptStyle() const { return superscriptStyle().cramp(); }
    // Style of a numerator; denominators take its cramped form.
    MathStyle numeratorStyle() const {
        switch (level) {
            case MathStyleLevel::Display: return {MathStyleLevel::Text, cramped};
            case MathStyleLevel::Text: return {MathStyleLevel::Script, cramped};
            default: return {MathStyleLevel::ScriptScript, cramped};
        }
    }
    MathStyle denominatorStyle() const { return numeratorStyle().cramp(); }
};

}  // namespace iosmath
