#include "platform/iosmath/MathSpacing.hpp"

#include <cstddef>

namespace iosmath {

namespace {

// Rows: left atom, columns: right atom, both in the order Ord Op Bin Rel Open Close Punct Inner.
// 0 none, 1 thin, 2 medium, 3 thick; a negative entry is kept only in display and text styles.
// Pairs that cannot occur once binary atoms have been settled (e.g. Bin next to Rel) are 0.
constexpr int kTable[8][8] = {
    /* Ord   */ {0, 1, -2, -3, 0, 0, 0, -1},
    /* Op    */ {1, 1, 0, -3, 0, 0, 0, -1},
    /* Bin   */ {-2, -2, 0, 0, -2, 0, 0, -2},
    /* Rel   */ {-3, -3, 0, 0, -3, 0, 0, -3},
    /* Open  */ {0, 0, 0, 0, 0, 0, 0, 0},
    /* Close */ {0, 1, -2, -3, 0, 0, 0, -1},
    /* Punct */ {-1, -1, 0, -1, -1, -1, -1, -1},
    /* Inner */ {-1, 1, -2, -3, -1, 0, -1, -1},
};

constexpr double kMuForEntry[4] = {0, 3, 4, 5};

}  // namespace

double interAtomSpaceInMu(MathAtomType left, MathAtomType right, bool scriptStyle) {
    int entry = kTable[static_cast<std::size_t>(left)][static_cast<std::size_t>(right)];
    if (entry < 0) {
        if (scriptStyle) return 0;
        entry = -entry;
    }
    return kMuForEntry[entry];
}

}  // namespace iosmath
