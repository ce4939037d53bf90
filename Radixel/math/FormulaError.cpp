#include "Radixel/math/FormulaError.hpp"

const char* FormulaError::what() const noexcept {
    switch (code_) {
        case configurationFailed:
            return "FormulaError.configurationFailed: the resource file is missing or cannot be read";
    }
    return "FormulaError";
}
