#include "Radixel/screens/videos/VideoNibs.hpp"

#include <vector>

#include "Radixel/screens/videos/VideoCollectionTableViewCell.hpp"
#include "Radixel/screens/videos/VideoCollectionViewCell.hpp"
#include "Radixel/services/ThemeColor.hpp"
#include "platform/uikit/NSLayoutConstraint.hpp"
#include "platform/uikit/UINib.hpp"

namespace {

using Views = std::vector<std::shared_ptr<UIView>>;

constexpr CGFloat margin = 16;
constexpr CGFloat fabSide = VideoCollectionTableViewCell::buttonSide;
constexpr CGFloat cornerRadius = 12;
// Palette tags: the buttons take the palette's second colour when styled.
constexpr int buttonTag = 102;

void pinEdges(UIView& view, UIView& to, CGFloat inset = 0) {
    NSLayoutConstraint::activateConstraints({view.topAnchor().constraintEqualToAnchor(to.topAnchor(), inset),
                                             view.leadingAnchor().constraintEqualToAnchor(to.leadingAnchor(), inset),
                                             view.trailingAnchor().constraintEqualToAnchor(to.trailingAnchor(), -inset),
                                             view.bottomAnchor().constraintEqualToAnchor(to.bottomAnchor(), -inset)});
}

std::shared_ptr<Material::FABButton> fabButton(const std::string& symbol) {
    auto button = std::make_shared<Material::FABButton>(CGRect{0, 0, fabSide, fabSide});
    button->setTag(buttonTag);
    button->setImage(UIImage::systemImageNamed(symbol), UIControlStateNormal);
    button->layer()->setCornerRadius(fabSide / 2);
    return button;
}

Views buildRow(const std::shared_ptr<UIResponder>&) {
    auto cell = std::make_shared<VideoCollectionTableViewCell>(NSCoder(VideoCollectionTableViewCell::nibName, ""));
    cell->setFrame({0, 0, 390, 390});
    auto content = cell->contentView();

    auto title = std::make_shared<UILabel>();
    title->setFont(UIFont::fontWithName("Avenir-Heavy", 17).value_or(UIFont::boldSystemFontOfSize(17)));
    title->setTextColor(ThemeColor::label());
    title->setNumberOfLines(2);
    title->setAdjustsFontSizeToFitWidth(true);
    auto privacy = fabButton("lock.fill");
    privacy->setAccessibilityIdentifier("videoPrivacyButton");
    auto manual = fabButton("questionmark.circle");
    manual->setAccessibilityIdentifier("videoManualButton");

    auto layout = std::make_shared<UICollectionViewFlowLayout>();
    layout->setScrollDirection(UICollectionViewScrollDirection::Horizontal);
    layout->setMinimumLineSpacing(12);
    layout->setSectionInset({0, margin, 0, margin});
    auto collection = std::make_shared<UICollectionView>(CGRect{0, 0, 390, 390}, layout);
    collection->setShowsHorizontalScrollIndicator(false);
    collection->setAccessibilityIdentifier("videoCollectionView");

    auto locking = std::make_shared<UIView>();
    locking->setBackgroundColor(UIColor::colorWithWhite(0, 0.55));
    locking->setAccessibilityIdentifier("videoLockingView");
    auto unlock = std::make_shared<UIButton>();
    unlock->setTag(buttonTag);
    unlock->setImage(UIImage::systemImageNamed("lock.fill"), UIControlStateNormal);
    unlock->layer()->setCornerRadius(fabSide / 2);
    unlock->setAccessibilityIdentifier("videoUnlockButton");
    locking->addSubview(unlock);

    // The row places these itself (VideoCollectionTableViewCell::layoutSubviews): it keeps them
    // to the part of the row the window shows.
    for (const auto& view : Views{title, privacy, manual, collection, locking}) content->addSubview(view);

    cell->titleLabel = title;
    cell->privacyButton = privacy;
    cell->manualButton = manual;
    cell->videoCollectionView = collection;
    cell->lockingView = locking;
    cell->unlockButton = unlock;
    unlock->addTarget(cell, &VideoCollectionTableViewCell::tappedLockingViewButton, UIControlEventTouchUpInside);
    privacy->addTarget(cell, &VideoCollectionTableViewCell::tappedPrivacyButton, UIControlEventTouchUpInside);
    manual->addTarget(cell, &VideoCollectionTableViewCell::tappedManualButton, UIControlEventTouchUpInside);
    return {cell};
}

Views buildVideo(const std::shared_ptr<UIResponder>&) {
    auto cell = std::make_shared<VideoCollectionViewCell>(NSCoder(VideoCollectionViewCell::nibName, ""));
    cell->setFrame({0, 0, 300, 300});
    // The theme shadow follows the card's rounded corners.
    cell->layer()->setCornerRadius(cornerRadius);
    auto content = cell->contentView();

    auto player = std::make_shared<YTPlayerView>(CGRect{0, 0, 300, 300});
    player->setClipsToBounds(true);
    player->layer()->setCornerRadius(cornerRadius);
    auto poster = std::make_shared<VideoPosterButton>();
    poster->setAccessibilityIdentifier("videoPosterButton");
    player->addSubview(poster);

    auto cover = std::make_shared<UIView>(CGRect{0, 0, 300, 300});
    cover->setBackgroundColor(ThemeColor::tertiaryBackground());
    cover->layer()->setCornerRadius(cornerRadius);

    content->addSubview(player);
    content->addSubview(cover);
    pinEdges(*player, *content);
    pinEdges(*poster, *player);
    pinEdges(*cover, *content);

    cell->videoView = player;
    cell->coveringView = cover;
    cell->posterButton = poster;
    return {cell};
}

}  // namespace

bool registerVideoNibs() {
    UINib::registerNib(VideoCollectionTableViewCell::nibName, buildRow);
    UINib::registerNib(VideoCollectionViewCell::nibName, buildVideo);
    return true;
}
