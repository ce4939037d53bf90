#include "Radixel/screens/videos/VideoCollectionTableViewCell.hpp"

#include <algorithm>

#include "Radixel/screens/videos/VideoCollectionViewCell.hpp"
#include "Radixel/screens/videos/VideoNibs.hpp"
#include "Radixel/services/ColorManager.hpp"
#include "Radixel/services/DefaultsKeys.hpp"
#include "Radixel/services/DsgvoManager.hpp"
#include "Radixel/services/OnboardingManager.hpp"
#include "Radixel/services/OnboardingPages.hpp"
#include "Radixel/services/ViewManager.hpp"
#include "Radixel/texts/LocalizedString.hpp"
#include "platform/foundation/NSBundle.hpp"
#include "platform/foundation/WeakSelf.hpp"
#include "platform/uikit/UINib.hpp"
#include "platform/uikit/UIWindow.hpp"

namespace {

constexpr CGFloat margin = 16;
constexpr CGFloat headerHeight = 56;
constexpr CGFloat buttonGap = 10;

// Whoever shows the solution screen may ask for the row's nib before any row exists.
const bool nibsRegistered = registerVideoNibs();

// The consent prompt and the introduction belong to the whole window, not to the row.
std::shared_ptr<UIViewController> windowRootController() {
    std::shared_ptr<UIWindow> window = ViewManager::keyWindow();
    return window ? window->rootViewController() : nullptr;
}

void showLockSymbol(const std::weak_ptr<Material::FABButton>& button, bool open) {
    if (auto privacy = button.lock())
        privacy->setImage(UIImage::systemImageNamed(open ? "lock.open.fill" : "lock.fill"), UIControlStateNormal);
}

}  // namespace

VideoCollectionTableViewCell::VideoCollectionTableViewCell(const NSCoder& coder) : UITableViewCell(coder) {
    (void)nibsRegistered;
}

// UIView

void VideoCollectionTableViewCell::awakeFromNib() {
    UITableViewCell::awakeFromNib();
    if (auto title = titleLabel.lock()) title->setText(LocalizedString::recommendedVideoIfUnclear());
    if (auto unlock = unlockButton.lock()) unlock->setTitle(LocalizedString::touchToUnlock(), UIControlStateNormal);

    bool accepted = DefaultsKeys::isYoutubeDsgvoAccepted.get();
    if (auto locking = lockingView.lock()) locking->setHidden(accepted);
    showLockSymbol(privacyButton, accepted);

    if (auto privacy = privacyButton.lock()) ColorManager::styleButton(*privacy);
    if (auto manual = manualButton.lock()) ColorManager::styleButton(*manual);
    if (auto unlock = unlockButton.lock()) ColorManager::styleButton(*unlock);

    if (auto collection = videoCollectionView.lock()) {
        auto self = as<VideoCollectionTableViewCell>();
        collection->setDelegate(self);
        collection->setDataSource(self);
        collection->registerNib(UINib::nibWithNibName(VideoCollectionViewCell::nibName, &NSBundle::mainBundle()),
                                VideoCollectionViewCell::cellIdentifier);
        collection->setBackgroundColor(UIColor::clearColor());
    }
    setBackgroundColor(UIColor::clearColor());
}

void VideoCollectionTableViewCell::layoutSubviews() {
    UITableViewCell::layoutSubviews();
    CGRect area = contentView()->bounds();
    // What lies beyond the window's right edge stays empty.
    if (auto shownIn = window()) {
        CGFloat right = convertRectToView(bounds(), shownIn.get()).maxX();
        area.size.width -= std::clamp<CGFloat>(right - shownIn->bounds().size.width, 0, area.size.width);
    }
    CGFloat width = area.size.width;
    CGFloat buttonTop = (headerHeight - buttonSide) / 2;
    if (auto manual = manualButton.lock())
        manual->setFrame({width - margin - buttonSide, buttonTop, buttonSide, buttonSide});
    if (auto privacy = privacyButton.lock())
        privacy->setFrame({width - margin - 2 * buttonSide - buttonGap, buttonTop, buttonSide, buttonSide});
    if (auto title = titleLabel.lock())
        title->setFrame(
            {margin, 4, std::max<CGFloat>(0, width - 2 * margin - 2 * (buttonSide + buttonGap)), headerHeight - 8});

    CGRect videos{0, headerHeight, width, std::max<CGFloat>(0, area.size.height - headerHeight - margin)};
    if (auto collection = videoCollectionView.lock()) collection->setFrame(videos);
    CGRect lock = videos;
    if (auto locking = lockingView.lock()) locking->setFrame(lock);
    CGFloat unlockWidth = std::min<CGFloat>(lock.size.width - 2 * margin, 280);
    if (auto unlock = unlockButton.lock())
        unlock->setFrame(
            {(lock.size.width - unlockWidth) / 2, (lock.size.height - buttonSide) / 2, unlockWidth, buttonSide});
}

void VideoCollectionTableViewCell::didMoveToWindow() {
    UITableViewCell::didMoveToWindow();
    setNeedsLayout();
}

// UITableViewCell

void VideoCollectionTableViewCell::setSelected(bool selected, bool animated) {
    UITableViewCell::setSelected(selected, animated);
}

// UICollectionViewDataSource

int64_t VideoCollectionTableViewCell::collectionViewNumberOfItemsInSection(const std::shared_ptr<UICollectionView>&,
                                                                           int64_t) {
    return static_cast<int64_t>(videoUrlStringArray.size());
}

std::shared_ptr<UICollectionViewCell> VideoCollectionTableViewCell::collectionViewCellForItemAtIndexPath(
    const std::shared_ptr<UICollectionView>& collectionView, const NSIndexPath& indexPath) {
    auto cell = collectionView->dequeue<VideoCollectionViewCell>(indexPath);
    std::optional<std::string> link;
    if (indexPath.item() >= 0 && static_cast<size_t>(indexPath.item()) < videoUrlStringArray.size())
        link = videoUrlStringArray[static_cast<size_t>(indexPath.item())];
    cell->loadVideo(link);
    return cell;
}

// UICollectionViewDelegateFlowLayout

std::optional<CGSize> VideoCollectionTableViewCell::collectionViewLayoutSizeForItemAtIndexPath(
    const std::shared_ptr<UICollectionView>&, const UICollectionViewLayout&, const NSIndexPath&) {
    auto collection = videoCollectionView.lock();
    CGFloat side = collection ? collection->frame().size.height * 0.95 : 0;
    return CGSize{side, side};
}

// Actions

void VideoCollectionTableViewCell::tappedLockingViewButton(const std::shared_ptr<UIButton>&) {
    DsgvoManager::showYoutubePrivacyAlert(
        windowRootController(),
        weakly(this, [](const std::shared_ptr<VideoCollectionTableViewCell>& self) { self->unlockVideos(); }));
}

void VideoCollectionTableViewCell::tappedPrivacyButton(const std::shared_ptr<UIButton>&) {
    DsgvoManager::showYoutubePrivacyAlert(
        windowRootController(), {},
        weakly(this, [](const std::shared_ptr<VideoCollectionTableViewCell>& self) { self->lockVideos(); }));
}

void VideoCollectionTableViewCell::tappedManualButton(const std::shared_ptr<UIButton>&) { showVideoOnboarding(); }

void VideoCollectionTableViewCell::unlockVideos() {
    if (auto locking = lockingView.lock()) locking->setHidden(true);
    showLockSymbol(privacyButton, true);
    showVideoOnboarding();
}

void VideoCollectionTableViewCell::lockVideos() {
    if (auto locking = lockingView.lock()) locking->setHidden(false);
    showLockSymbol(privacyButton, false);
}

void VideoCollectionTableViewCell::showVideoOnboarding() {
    auto onboarding = std::make_shared<OnboardKit::OnboardViewController>(
        OnboardingManager::makePages(youtubeOnboardingPages()), OnboardingManager::makeAppearanceConfiguration(),
        [] { OnboardingManager::markOnboardingFinished(); });
    onboarding->setModalPresentationStyle(UIModalPresentationStyle::FormSheet);
    if (auto presenter = windowRootController()) presenter->presentViewController(onboarding, true);
}
