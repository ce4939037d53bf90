#pragma once

#include <memory>

class NSCoder;
class UIViewController;

// The calculate screen's scene of the storyboard "Main": the controller with the builder of its
// views, which lays out the heading, the p and q fields and the keypad and connects the outlets
// and the keys' actions.
//
// p and q carry the tags 1 and 2, which the solver names when it reports a field at fault.
// The keys insert their titles; their tags give them palette colours: digits 102, the signs
// ".", "/", "-" and delete 103, calculate 101.
std::shared_ptr<UIViewController> makeCalculateViewControllerScene(const NSCoder& coder);

namespace CalculateScene {
inline constexpr int pTag = 1;
inline constexpr int qTag = 2;
}  // namespace CalculateScene
