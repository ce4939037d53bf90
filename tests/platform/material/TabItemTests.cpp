#include <gtest/gtest.h>

#include "platform/material/ParentLookup.hpp"
#include "platform/material/TabBar.hpp"
#include "platform/uikit/UIViewController.hpp"

// What a page sets on its tab item in its initialiser is readable before its view loads.
TEST(MaterialTabItem, ExistsFromInitWithTitleFontStateAndColours)
{
    auto page = std::make_shared<UIViewController>();
    auto item = Material::tabItem(*page);
    item->setTitle("Result");
    item->titleLabel()->setFont(UIFont::fontWithName("Avenir-Medium", 14));
    item->setEnabled(false);
    item->setTitleColor(UIColor::whiteColor(), UIControlStateNormal);
    item->setTitleColor(UIColor::grayColor(), UIControlStateDisabled);

    EXPECT_FALSE(page->isViewLoaded());
    auto again = Material::tabItem(*page);
    EXPECT_EQ(again, item);
    EXPECT_EQ(again->title(), "Result");
    EXPECT_EQ(again->titleLabel()->font().fontName(), "Avenir-Medium");
    EXPECT_FALSE(again->isEnabled());
    EXPECT_EQ(again->titleLabel()->textColor(), UIColor::grayColor()); // shows the disabled colour now
    // The item goes with its controller.
    std::weak_ptr<Material::TabItem> weakItem = item;
    item.reset();
    again.reset();
    page.reset();
    EXPECT_TRUE(weakItem.expired());
}
