#pragma once

#include <memory>

class NSCoder;
class UIViewController;

// The menu's scene "LeftViewController" of the storyboard "Main": a plain table filling the
// drawer, its rows 50 high, with the prototype cell "cell" (a standard cell whose text label
// carries the row's title).
std::shared_ptr<UIViewController> makeLeftViewControllerScene(const NSCoder& coder);
