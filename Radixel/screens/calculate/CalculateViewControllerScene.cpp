#include "Radixel/screens/calculate/CalculateViewControllerScene.hpp"

#include <string>
#include <vector>

#include "Radixel/screens/calculate/CalculateViewController.hpp"
#include "Radixel/services/ThemeColor.hpp"
#include "platform/dttextfield/DTTextField.hpp"
#include "platform/uikit/NSLayoutConstraint.hpp"
#include "platform/uikit/UIStackView.hpp"

namespace {

constexpr CGFloat margin = 24;
constexpr CGFloat keySpacing = 10;
constexpr int digitTag = 102;
constexpr int signTag = 103;
constexpr int deleteTag = 103;
constexpr int calculateTag = 101;

using Constraints = std::vector<std::shared_ptr<NSLayoutConstraint>>;

std::shared_ptr<UIStackView> makeRow(const std::vector<std::shared_ptr<UIView>>& keys) {
    auto row = std::make_shared<UIStackView>();
    row->setAxis(UILayoutConstraintAxis::Horizontal);
    row->setDistribution(UIStackViewDistribution::FillEqually);
    row->setSpacing(keySpacing);
    for (const auto& key : keys) row->addArrangedSubview(key);
    return row;
}

void roundKey(UIView& key) { key.layer()->setCornerRadius(8); }

std::shared_ptr<DTTextField> makeField(const std::string& placeholder, int tag) {
    auto field = std::make_shared<DTTextField>(NSCoder("Main", "CalculateViewController"));
    field->setPlaceholder(placeholder);
    field->setTag(tag);
    field->setTextAlignment(NSTextAlignment::Center);
    field->setFont(UIFont::systemFontOfSize(24));
    return field;
}

// The key rows: 7 8 9 delete / 4 5 6 "/" / 1 2 3 "-" / 0 "." calculate, the calculate key two
// keys wide (0 and "." share the other half in a row of their own).
std::shared_ptr<UIStackView> makeKeypad(CalculateViewController& screen) {
    auto owner = screen.as<CalculateViewController>();
    auto key = [&](const std::string& title, int tag) -> std::shared_ptr<UIView> {
        auto button = std::make_shared<UIButton>();
        button->setTitle(title, UIControlStateNormal);
        button->titleLabel()->setFont(UIFont::systemFontOfSize(28));
        button->setTag(tag);
        roundKey(*button);
        button->addTarget(owner, &CalculateViewController::tappedKeypadButtonWithValue, UIControlEventTouchUpInside);
        return button;
    };
    screen.deleteButton = std::make_shared<Material::FlatButton>();
    screen.deleteButton->setTag(deleteTag);
    roundKey(*screen.deleteButton);
    screen.deleteButton->addTarget(owner, &CalculateViewController::tappedDeleteButton, UIControlEventTouchUpInside);
    screen.calculateButton = std::make_shared<Material::FlatButton>();
    screen.calculateButton->setTag(calculateTag);
    roundKey(*screen.calculateButton);
    screen.calculateButton->addTarget(owner, &CalculateViewController::tappedCalculateButton,
                                      UIControlEventTouchUpInside);

    auto keypad = std::make_shared<UIStackView>();
    keypad->setAxis(UILayoutConstraintAxis::Vertical);
    keypad->setDistribution(UIStackViewDistribution::FillEqually);
    keypad->setSpacing(keySpacing);
    keypad->addArrangedSubview(
        makeRow({key("7", digitTag), key("8", digitTag), key("9", digitTag), screen.deleteButton}));
    keypad->addArrangedSubview(
        makeRow({key("4", digitTag), key("5", digitTag), key("6", digitTag), key("/", signTag)}));
    keypad->addArrangedSubview(
        makeRow({key("1", digitTag), key("2", digitTag), key("3", digitTag), key("-", signTag)}));
    auto zeroAndPoint = makeRow({key("0", digitTag), key(".", signTag)});
    keypad->addArrangedSubview(makeRow({zeroAndPoint, screen.calculateButton}));
    return keypad;
}

std::shared_ptr<UIView> buildCalculateView(UIViewController& owner) {
    auto& screen = static_cast<CalculateViewController&>(owner);
    auto root = std::make_shared<UIView>();
    root->setBackgroundColor(ThemeColor::background());
    auto heading = std::make_shared<UILabel>();
    heading->setFont(UIFont::systemFontOfSize(17));
    auto p = makeField("p", CalculateScene::pTag);
    auto q = makeField("q", CalculateScene::qTag);
    auto keypad = makeKeypad(screen);
    auto banner = std::make_shared<UIView>();
    for (const auto& view : std::vector<std::shared_ptr<UIView>>{heading, p, q, keypad, banner}) {
        view->setTranslatesAutoresizingMaskIntoConstraints(false);
        root->addSubview(view);
    }

    auto bottomBanner = root->bottomAnchor().constraintEqualToAnchor(banner->bottomAnchor());
    NSLayoutConstraint::activateConstraints(Constraints{
        heading->topAnchor().constraintEqualToAnchor(root->topAnchor(), margin),
        heading->leadingAnchor().constraintEqualToAnchor(root->leadingAnchor(), margin),
        heading->trailingAnchor().constraintEqualToAnchor(root->trailingAnchor(), -margin),
        heading->heightAnchor().constraintEqualToConstant(24),
        p->topAnchor().constraintEqualToAnchor(heading->bottomAnchor(), 16),
        p->leadingAnchor().constraintEqualToAnchor(root->leadingAnchor(), margin),
        p->trailingAnchor().constraintEqualToAnchor(root->centerXAnchor(), -keySpacing / 2),
        p->heightAnchor().constraintEqualToConstant(56),
        q->topAnchor().constraintEqualToAnchor(p->topAnchor()),
        q->leadingAnchor().constraintEqualToAnchor(root->centerXAnchor(), keySpacing / 2),
        q->trailingAnchor().constraintEqualToAnchor(root->trailingAnchor(), -margin),
        q->heightAnchor().constraintEqualToConstant(56),
        keypad->topAnchor().constraintEqualToAnchor(p->bottomAnchor(), 32),
        keypad->leadingAnchor().constraintEqualToAnchor(root->leadingAnchor(), margin),
        keypad->trailingAnchor().constraintEqualToAnchor(root->trailingAnchor(), -margin),
        keypad->bottomAnchor().constraintEqualToAnchor(banner->topAnchor(), -margin),
        banner->leadingAnchor().constraintEqualToAnchor(root->leadingAnchor()),
        banner->trailingAnchor().constraintEqualToAnchor(root->trailingAnchor()),
        banner->heightAnchor().constraintEqualToConstant(0),
        bottomBanner,
    });

    screen.fillInLabel = heading;
    screen.bannerBackgroundView = banner;
    screen.bottomBannerConstraint = bottomBanner;
    screen.keypadStackView = keypad;
    screen.pTextField = p;
    screen.qTextField = q;
    return root;
}

}  // namespace

std::shared_ptr<UIViewController> makeCalculateViewControllerScene(const NSCoder& coder) {
    auto screen = std::make_shared<CalculateViewController>(coder);
    screen->setViewBuilder(buildCalculateView);
    return screen;
}
