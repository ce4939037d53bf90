#pragma once

#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "platform/material/Button.hpp"
#include "platform/uikit/UIButton.hpp"
#include "platform/uikit/UICollectionView.hpp"
#include "platform/uikit/UILabel.hpp"
#include "platform/uikit/UITableViewCell.hpp"

// The row of tutorial videos at the end of the solution screen: a title, a lock button, a
// button for the video introduction, and a horizontal collection with one square video cell
// per link. The owner registers the nib "VideoCollectionTableViewCell" under cellIdentifier,
// sets videoUrlStringArray and reloads videoCollectionView.
//
// The videos sit under a lock overlay until the user has accepted the video player's privacy
// terms. The stored answer is read once, when the row comes from its nib; afterwards only
// unlockVideos and lockVideos change what is shown (the lock button's prompt stores an accept
// without unlocking the row on screen, as a declined prompt of the overlay stores a decline
// without locking it).
class VideoCollectionTableViewCell : public UITableViewCell,
                                     public UICollectionViewDataSource,
                                     public UICollectionViewDelegateFlowLayout {
public:
    static constexpr const char* cellIdentifier = "videoCollectionTableViewCell";
    static constexpr const char* nibName = "VideoCollectionTableViewCell";
    // The round buttons of the header and the height of the unlock button's capsule.
    static constexpr CGFloat buttonSide = 40;

    explicit VideoCollectionTableViewCell(const NSCoder& coder);

    // Outlets, connected by the nib.
    std::weak_ptr<UIView> lockingView;
    std::weak_ptr<UIButton> unlockButton;
    std::weak_ptr<UILabel> titleLabel;
    std::weak_ptr<Material::FABButton> privacyButton;
    std::weak_ptr<Material::FABButton> manualButton;
    std::weak_ptr<UICollectionView> videoCollectionView;
    // One link per item; set by the owner before it reloads the collection.
    std::vector<std::string> videoUrlStringArray;

    // UIView
    void awakeFromNib() override;
    // Keeps the header and the lock to the part of the row inside the window: the solution
    // screen's table reaches past the window's right edge.
    void layoutSubviews() override;
    // UITableViewCell
    void setSelected(bool selected, bool animated) override;

    // UICollectionViewDataSource
    int64_t collectionViewNumberOfItemsInSection(const std::shared_ptr<UICollectionView>& collectionView,
                                                 int64_t section) override;
    std::shared_ptr<UICollectionViewCell> collectionViewCellForItemAtIndexPath(
        const std::shared_ptr<UICollectionView>& collectionView, const NSIndexPath& indexPath) override;
    // UICollectionViewDelegateFlowLayout
    std::optional<CGSize> collectionViewLayoutSizeForItemAtIndexPath(
        const std::shared_ptr<UICollectionView>& collectionView, const UICollectionViewLayout& layout,
        const NSIndexPath& indexPath) override;

    // Actions
    void tappedLockingViewButton(const std::shared_ptr<UIButton>& sender);
    void tappedPrivacyButton(const std::shared_ptr<UIButton>& sender);
    void tappedManualButton(const std::shared_ptr<UIButton>& sender);

    void unlockVideos();
    void lockVideos();

protected:
    void didMoveToWindow() override;

private:
    // The introduction pages shown before the first video, over the whole window.
    void showVideoOnboarding();
};
