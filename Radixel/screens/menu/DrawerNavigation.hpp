#pragma once

#include <memory>

class UIViewController;

// Screen changes that the drawer's menu and the history list make. Neither reuses the running
// pages: going to "calculate" builds new calculate and solution pages, so the calculate page
// loads afresh and takes the history entry the user picked. Both close the menu once the new
// content is in place, and do nothing outside a drawer (answering false).

// A delegate of its own builds a new page toolbar, which becomes the drawer's content.
bool showFreshCalculatePages(const UIViewController& from);

// The screen becomes the content of the drawer's page toolbar, under the same toolbar.
bool showUnderAppToolbar(const UIViewController& from, const std::shared_ptr<UIViewController>& screen);
