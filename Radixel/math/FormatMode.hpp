#pragma once

// How the input manager reads its fields: as a formula's symbols or as free variables.
// Compares and hashes by case (std::hash of an enumeration).
enum class FormatMode { formula, variables };
