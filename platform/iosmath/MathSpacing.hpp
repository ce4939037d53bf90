#pragma once

#include "platform/iosmath/MathList.hpp"

namespace iosmath {

// The space TeX puts between two adjacent atoms, in mu (18 mu to the em): 0, 3 (thin),
// 4 (medium) or 5 (thick). Most of these spaces vanish in script styles.
double interAtomSpaceInMu(MathAtomType left, MathAtomType right, bool scriptStyle);

}  // namespace iosmath
