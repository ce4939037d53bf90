#pragma once

#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "platform/uikit/CellTiler.hpp"
#include "platform/uikit/NSIndexPath.hpp"
#include "platform/uikit/UICollectionViewCell.hpp"
#include "platform/uikit/UICollectionViewFlowLayout.hpp"
#include "platform/uikit/UIScrollView.hpp"

class UICollectionView;
class UINib;

class UICollectionViewDataSource {
public:
    virtual ~UICollectionViewDataSource() = default;
    virtual int64_t numberOfSectionsInCollectionView(const std::shared_ptr<UICollectionView>& /*collectionView*/) { return 1; }
    virtual int64_t collectionViewNumberOfItemsInSection(const std::shared_ptr<UICollectionView>& collectionView, int64_t section) = 0;
    virtual std::shared_ptr<UICollectionViewCell> collectionViewCellForItemAtIndexPath(const std::shared_ptr<UICollectionView>& collectionView,
                                                                                      const NSIndexPath& indexPath) = 0;
};

class UICollectionViewDelegate : public UIScrollViewDelegate {
public:
    virtual void collectionViewDidSelectItemAtIndexPath(const std::shared_ptr<UICollectionView>& /*collectionView*/,
                                                        const NSIndexPath& /*indexPath*/)
    {
    }
    virtual void collectionViewWillDisplayCell(const std::shared_ptr<UICollectionView>& /*collectionView*/,
                                               const std::shared_ptr<UICollectionViewCell>& /*cell*/, const NSIndexPath& /*indexPath*/)
    {
    }
};

// The flow layout's questions, asked of the collection's delegate when it adopts them. None
// means "not implemented".
class UICollectionViewDelegateFlowLayout : public UICollectionViewDelegate {
public:
    virtual std::optional<CGSize> collectionViewLayoutSizeForItemAtIndexPath(const std::shared_ptr<UICollectionView>& /*collectionView*/,
                                                                           const UICollectionViewLayout& /*layout*/,
                                                                           const NSIndexPath& /*indexPath*/)
    {
        return std::nullopt;
    }
};

// A scrolling collection of items placed by a flow layout. reloadData asks the counts and the
// item sizes, then the cells of the items inside the visible bounds (and only those); items
// scrolling out go to a reuse pool.
class UICollectionView : public UIScrollView {
public:
    using CellFactory = std::function<std::shared_ptr<UICollectionViewCell>()>;

    UICollectionView(const CGRect& frame, std::shared_ptr<UICollectionViewFlowLayout> layout);

    const std::shared_ptr<UICollectionViewFlowLayout>& collectionViewLayout() const { return layout_; }

    std::shared_ptr<UICollectionViewDataSource> dataSource() const { return dataSource_.lock(); }
    void setDataSource(const std::shared_ptr<UICollectionViewDataSource>& dataSource) { dataSource_ = dataSource; }
    std::shared_ptr<UICollectionViewDelegate> collectionDelegate() const { return delegate_.lock(); }
    void setDelegate(const std::shared_ptr<UICollectionViewDelegate>& delegate);

    void registerNib(const std::shared_ptr<UINib>& nib, const std::string& identifier);
    template <class Cell>
    void registerClass(const std::string& identifier)
    {
        registerCellFactory(identifier, [] { return std::make_shared<Cell>(); });
    }
    void registerCellFactory(const std::string& identifier, CellFactory factory, bool awakeFromNib = false);
    // Fatal for an identifier with no registration, as on the platform.
    std::shared_ptr<UICollectionViewCell> dequeueReusableCellWithReuseIdentifier(const std::string& identifier, const NSIndexPath& indexPath);

    // Typed cells, as on UITableView: the class names its identifier once (a static member
    // cellIdentifier); a cell of another class stops the program with a clear message.
    template <class Cell>
    std::shared_ptr<Cell> dequeue(const std::string& identifier, const NSIndexPath& indexPath)
    {
        return uikit::detail::cellOfClass<Cell>(dequeueReusableCellWithReuseIdentifier(identifier, indexPath), "UICollectionView",
                                                identifier);
    }
    template <class Cell>
    std::shared_ptr<Cell> dequeue(const NSIndexPath& indexPath)
    {
        return dequeue<Cell>(Cell::cellIdentifier, indexPath);
    }
    template <class Cell>
    void registerClass()
    {
        registerClass<Cell>(Cell::cellIdentifier);
    }

    void reloadData();
    int64_t numberOfSections();
    int64_t numberOfItemsInSection(int64_t section);
    std::optional<CGRect> frameForItemAtIndexPath(const NSIndexPath& indexPath);

    std::shared_ptr<UICollectionViewCell> cellForItemAtIndexPath(const NSIndexPath& indexPath);
    std::vector<std::shared_ptr<UICollectionViewCell>> visibleCells() const;
    std::vector<NSIndexPath> indexPathsForVisibleItems() const;

    // A tap on an item, for the harness.
    bool userDidTapItem(const NSIndexPath& indexPath);

    void setFrame(const CGRect& frame) override;
    void layoutSubviews() override;

protected:
    void contentOffsetDidChange() override;

private:
    void ensureLoaded();
    void tile();
    void tileOnce();

    std::shared_ptr<UICollectionViewFlowLayout> layout_;
    std::weak_ptr<UICollectionViewDataSource> dataSource_;
    std::weak_ptr<UICollectionViewDelegate> delegate_;
    CellTiler<UICollectionViewCell> cells_{"UICollectionView", "UICollectionViewCell", "item"};
    std::vector<std::vector<CGRect>> frames_;
    bool loaded_ = false;
};
