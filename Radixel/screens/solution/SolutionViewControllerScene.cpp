#include "Radixel/screens/solution/SolutionViewControllerScene.hpp"

#include "Radixel/charts/views/ChartTableViewCell.hpp"
#include "Radixel/screens/solution/SolutionStepTableViewCell.hpp"
#include "Radixel/screens/solution/SolutionViewController.hpp"
#include "Radixel/screens/videos/VideoNibs.hpp"
#include "platform/uikit/UIControl.hpp"
#include "platform/uikit/UIScreen.hpp"
#include "platform/uikit/UIStoryboard.hpp"

namespace {

constexpr CGFloat rowHeight = 100;
constexpr CGFloat buttonSize = 56;
constexpr CGFloat buttonMargin = 16;

std::shared_ptr<UITableViewCell> makeStepCell() {
    auto cell = std::make_shared<SolutionStepTableViewCell>(
        NSCoder(SolutionViewController::storyboardName, SolutionStepTableViewCell::cellIdentifier));
    cell->setFrame({0, 0, 390, rowHeight});
    cell->setSelectionStyle(UITableViewCellSelectionStyle::None);
    auto content = cell->contentView();
    content->setFrame(cell->bounds());

    auto title = std::make_shared<UILabel>(CGRect{20, 8, 350, 21});
    title->setTranslatesAutoresizingMaskIntoConstraints(false);
    content->addSubview(title);
    auto placeholder = std::make_shared<MTMathUILabel>(CGRect{20, 37, 350, 55});
    placeholder->setTranslatesAutoresizingMaskIntoConstraints(false);
    content->addSubview(placeholder);
    NSLayoutConstraint::activateConstraints({
        title->topAnchor().constraintEqualToAnchor(content->topAnchor(), 8),
        title->leadingAnchor().constraintEqualToAnchor(content->leadingAnchor(), 20),
        title->trailingAnchor().constraintEqualToAnchor(content->trailingAnchor(), -20),
    });
    cell->stepTitleLabel = title;
    cell->mathLabel = placeholder;
    return cell;
}

std::shared_ptr<Material::FABButton> makeButton(UIView& root) {
    auto button = std::make_shared<Material::FABButton>();
    button->setFrame({0, 0, buttonSize, buttonSize});
    button->setTag(102);
    button->layer()->setCornerRadius(buttonSize / 2);
    button->setTranslatesAutoresizingMaskIntoConstraints(false);
    root.addSubview(button);
    return button;
}

std::shared_ptr<UIView> buildScene(SolutionViewController& owner) {
    auto root = std::make_shared<UIView>(UIScreen::mainScreen().bounds());
    root->setBackgroundColor(UIColor::systemBackgroundColor());

    auto table = std::make_shared<UITableView>(root->bounds(), UITableViewStyle::Plain);
    table->setTranslatesAutoresizingMaskIntoConstraints(false);
    table->setClipsToBounds(true);
    table->setRowHeight(rowHeight);
    table->setSeparatorStyle(UITableViewCellSeparatorStyle::None);
    table->registerPrototype(SolutionStepTableViewCell::cellIdentifier, makeStepCell);
    root->addSubview(table);

    auto banner = std::make_shared<UIView>(CGRect{0, root->bounds().size.height, root->bounds().size.width, 0});
    banner->setTranslatesAutoresizingMaskIntoConstraints(false);
    root->addSubview(banner);

    auto manual = makeButton(*root);
    auto share = makeButton(*root);
    share->setTag(101);

    auto bannerBottom = root->bottomAnchor().constraintEqualToAnchor(banner->bottomAnchor());
    NSLayoutConstraint::activateConstraints({
        table->topAnchor().constraintEqualToAnchor(root->topAnchor()),
        table->leadingAnchor().constraintEqualToAnchor(root->leadingAnchor()),
        root->trailingAnchor().constraintEqualToAnchor(table->trailingAnchor()),
        table->bottomAnchor().constraintEqualToAnchor(banner->topAnchor()),
        banner->leadingAnchor().constraintEqualToAnchor(root->leadingAnchor()),
        banner->trailingAnchor().constraintEqualToAnchor(root->trailingAnchor()),
        banner->heightAnchor().constraintEqualToConstant(0),
        bannerBottom,
        share->trailingAnchor().constraintEqualToAnchor(root->trailingAnchor(), -buttonMargin),
        share->bottomAnchor().constraintEqualToAnchor(banner->topAnchor(), -buttonMargin),
        manual->trailingAnchor().constraintEqualToAnchor(share->trailingAnchor()),
        manual->bottomAnchor().constraintEqualToAnchor(share->topAnchor(), -buttonMargin),
    });

    auto page = owner.as<SolutionViewController>();
    share->addTarget(page, &SolutionViewController::tappedShareButton, UIControlEventTouchUpInside);
    manual->addTarget(page, &SolutionViewController::manualButtonPressed, UIControlEventTouchUpInside);
    share->setAccessibilityIdentifier("shareButton");
    manual->setAccessibilityIdentifier("manualButton");

    owner.tableView = table;
    owner.shareButton = share;
    owner.manualButton = manual;
    owner.bannerBackgroundView = banner;
    owner.bottomBannerConstraint = bannerBottom;
    return root;
}

}  // namespace

void registerSolutionStoryboard() {
    ChartTableViewCell::registerNib();
    registerVideoNibs();
    UIStoryboard::registerScene(
        SolutionViewController::storyboardName, SolutionViewController::sceneIdentifier, [](const NSCoder& coder) {
            auto controller = std::make_shared<SolutionViewController>(coder);
            controller->setViewBuilder(
                [](UIViewController& owner) { return buildScene(static_cast<SolutionViewController&>(owner)); });
            return controller;
        });
}
