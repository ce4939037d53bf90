#include "Radixel/math/KeTuInputManager.hpp"

KeTuInputManager& KeTuInputManager::shared() {
    static KeTuInputManager manager;
    return manager;
}
