#include "Radixel/screens/root/Storyboards.hpp"

#include <memory>

#include "Radixel/screens/calculate/CalculateViewControllerScene.hpp"
#include "Radixel/screens/history/HistoryTableViewControllerScene.hpp"
#include "Radixel/screens/menu/LeftViewControllerScene.hpp"
#include "Radixel/screens/solution/SolutionViewControllerScene.hpp"
#include "platform/uikit/UIStoryboard.hpp"

void registerStoryboards() {
    UIStoryboard::registerScene("Main", "CalculateViewController", makeCalculateViewControllerScene);
    UIStoryboard::registerScene("Main", "LeftViewController", makeLeftViewControllerScene);
    UIStoryboard::registerScene("Main", "HistoryTableViewController", makeHistoryTableViewControllerScene);
    registerSolutionStoryboard();
}
