#include "platform/uikit/UICollectionView.hpp"

#include <algorithm>
#include <cmath>

#include "platform/uikit/FatalError.hpp"

UICollectionView::UICollectionView(const CGRect& frame, std::shared_ptr<UICollectionViewFlowLayout> layout)
    : UIScrollView(frame), layout_(layout ? std::move(layout) : std::make_shared<UICollectionViewFlowLayout>())
{
}

void UICollectionView::setDelegate(const std::shared_ptr<UICollectionViewDelegate>& delegate)
{
    delegate_ = delegate;
    UIScrollView::setDelegate(delegate);
}

void UICollectionView::registerNib(const std::shared_ptr<UINib>& nib, const std::string& identifier)
{
    cells_.pool().registerNib(nib, identifier);
}

void UICollectionView::registerCellFactory(const std::string& identifier, CellFactory factory, bool awakeFromNib)
{
    cells_.pool().registerFactory(identifier, std::move(factory), awakeFromNib);
}

std::shared_ptr<UICollectionViewCell> UICollectionView::dequeueReusableCellWithReuseIdentifier(const std::string& identifier,
                                                                                               const NSIndexPath& indexPath)
{
    auto cell = cells_.pool().dequeue(identifier);
    if (!cell) {
        if (!cells_.pool().canMake(identifier)) {
            uikit::fatalError("could not dequeue a view of kind: UICollectionElementKindCell with identifier " + identifier +
                              " - must register a nib or a class for the identifier");
        }
        uikit::fatalError("the cell factory for identifier " + identifier + " made no cell");
    }
    if (auto f = frameForItemAtIndexPath(indexPath)) {
        cell->setFrame(*f);
    }
    return cell;
}

void UICollectionView::ensureLoaded()
{
    if (!loaded_) {
        reloadData();
    }
}

void UICollectionView::reloadData()
{
    loaded_ = true;
    cells_.recycleAll();
    frames_.clear();
    auto source = dataSource();
    auto self = as<UICollectionView>();
    auto flowDelegate = std::dynamic_pointer_cast<UICollectionViewDelegateFlowLayout>(collectionDelegate());
    bool horizontal = layout_->scrollDirection() == UICollectionViewScrollDirection::Horizontal;
    UIEdgeInsets inset = layout_->sectionInset();
    CGSize size = frame().size;
    CGFloat along = 0; // position along the scroll direction where the next section starts
    int64_t sections = source ? std::max<int64_t>(0, source->numberOfSectionsInCollectionView(self)) : 0;
    for (int64_t s = 0; s < sections; ++s) {
        int64_t items = std::max<int64_t>(0, source->collectionViewNumberOfItemsInSection(self, s));
        std::vector<CGRect> frames;
        frames.reserve(static_cast<size_t>(items));
        // Lines run across the scroll direction; `across` is the room a line has.
        CGFloat lineStart = along + (horizontal ? inset.left : inset.top);
        CGFloat across = horizontal ? size.height - inset.top - inset.bottom : size.width - inset.left - inset.right;
        CGFloat crossPos = 0;
        CGFloat lineThickness = 0;
        for (int64_t i = 0; i < items; ++i) {
            CGSize item = layout_->itemSize();
            if (flowDelegate) {
                if (auto asked = flowDelegate->collectionViewLayoutSizeForItemAtIndexPath(self, *layout_, {s, i})) {
                    item = *asked;
                }
            }
            item.width = std::isfinite(item.width) ? std::max(0.0, item.width) : 0;
            item.height = std::isfinite(item.height) ? std::max(0.0, item.height) : 0;
            CGFloat itemAcross = horizontal ? item.height : item.width;
            CGFloat itemAlong = horizontal ? item.width : item.height;
            if (crossPos > 0 && crossPos + itemAcross > across) {
                lineStart += lineThickness + layout_->minimumLineSpacing();
                crossPos = 0;
                lineThickness = 0;
            }
            CGRect f = horizontal ? CGRect{lineStart, inset.top + crossPos, item.width, item.height}
                                  : CGRect{inset.left + crossPos, lineStart, item.width, item.height};
            frames.push_back(f);
            crossPos += itemAcross + layout_->minimumInteritemSpacing();
            lineThickness = std::max(lineThickness, itemAlong);
        }
        along = lineStart + lineThickness + (horizontal ? inset.right : inset.bottom);
        frames_.push_back(std::move(frames));
    }
    setContentSize(horizontal ? CGSize{along, size.height} : CGSize{size.width, along});
    tile();
}

int64_t UICollectionView::numberOfSections()
{
    ensureLoaded();
    return static_cast<int64_t>(frames_.size());
}

int64_t UICollectionView::numberOfItemsInSection(int64_t section)
{
    ensureLoaded();
    if (section < 0 || section >= static_cast<int64_t>(frames_.size())) {
        return 0;
    }
    return static_cast<int64_t>(frames_[static_cast<size_t>(section)].size());
}

std::optional<CGRect> UICollectionView::frameForItemAtIndexPath(const NSIndexPath& indexPath)
{
    if (indexPath.row < 0 || indexPath.row >= numberOfItemsInSection(indexPath.section)) {
        return std::nullopt;
    }
    return frames_[static_cast<size_t>(indexPath.section)][static_cast<size_t>(indexPath.row)];
}

void UICollectionView::tile()
{
    if (loaded_) {
        cells_.tile([this] { tileOnce(); });
    }
}

void UICollectionView::tileOnce()
{
    CGRect visible = bounds();
    std::vector<CellTiler<UICollectionViewCell>::Wanted> wanted;
    for (size_t s = 0; s < frames_.size(); ++s) {
        for (size_t i = 0; i < frames_[s].size(); ++i) {
            if (frames_[s][i].intersects(visible)) {
                wanted.push_back({{static_cast<int64_t>(s), static_cast<int64_t>(i)}, frames_[s][i]});
            }
        }
    }
    auto source = dataSource();
    auto d = collectionDelegate();
    auto self = as<UICollectionView>();
    cells_.fill(
        *this, wanted, source != nullptr,
        [&](const NSIndexPath& indexPath) { return source->collectionViewCellForItemAtIndexPath(self, indexPath); },
        [](UICollectionViewCell& /*cell*/, const NSIndexPath& /*indexPath*/) {},
        [&](const std::shared_ptr<UICollectionViewCell>& cell, const NSIndexPath& indexPath) {
            cell->layoutIfNeeded();
            if (d) {
                d->collectionViewWillDisplayCell(self, cell, indexPath);
            }
        });
}

std::shared_ptr<UICollectionViewCell> UICollectionView::cellForItemAtIndexPath(const NSIndexPath& indexPath)
{
    return cells_.cellAt(indexPath);
}

std::vector<std::shared_ptr<UICollectionViewCell>> UICollectionView::visibleCells() const
{
    return cells_.cells();
}

std::vector<NSIndexPath> UICollectionView::indexPathsForVisibleItems() const
{
    return cells_.indexPaths();
}

bool UICollectionView::userDidTapItem(const NSIndexPath& indexPath)
{
    if (!frameForItemAtIndexPath(indexPath)) {
        return false;
    }
    if (auto d = collectionDelegate()) {
        d->collectionViewDidSelectItemAtIndexPath(as<UICollectionView>(), indexPath);
    }
    return true;
}

void UICollectionView::setFrame(const CGRect& frame)
{
    bool resized = frame.size != this->frame().size;
    UIScrollView::setFrame(frame);
    if (loaded_ && resized) {
        // Item sizes may depend on the frame (square items of the collection's height).
        reloadData();
    }
}

void UICollectionView::layoutSubviews()
{
    ensureLoaded();
    cells_.layOut([this] { tileOnce(); });
}

void UICollectionView::contentOffsetDidChange()
{
    tile();
}
