#include "Radixel/screens/root/Storyboards.hpp"

#include <memory>

#include "Radixel/screens/calculate/CalculateViewControllerScene.hpp"
#include "Radixel/screens/menu/LeftViewController.hpp"
#include "Radixel/screens/solution/SolutionViewControllerScene.hpp"
#include "platform/uikit/UIStoryboard.hpp"

void registerStoryboards() {
    UIStoryboard::registerScene("Main", "CalculateViewController", makeCalculateViewControllerScene);
    // The menu's scene gives an empty table until the menu screen brings its own.
    UIStoryboard::registerScene("Main", "LeftViewController",
                                [](const NSCoder& coder) -> std::shared_ptr<UIViewController> {
                                    return std::make_shared<LeftViewController>(coder);
                                });
    registerSolutionStoryboard();
}
