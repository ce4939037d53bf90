#pragma once

#include "platform/uikit/CGGeometry.hpp"

enum class UICollectionViewScrollDirection : int { Vertical = 0, Horizontal = 1 };

// Where a collection view puts its items.
class UICollectionViewLayout {
public:
    virtual ~UICollectionViewLayout() = default;
};

// Items in lines: across the width for vertical scrolling, down the height (then on to the next
// column) for horizontal scrolling. Sizes come from the delegate's size callback, else itemSize.
class UICollectionViewFlowLayout : public UICollectionViewLayout {
public:
    UICollectionViewScrollDirection scrollDirection() const { return scrollDirection_; }
    void setScrollDirection(UICollectionViewScrollDirection direction) { scrollDirection_ = direction; }
    CGSize itemSize() const { return itemSize_; }
    void setItemSize(CGSize size) { itemSize_ = size; }
    CGFloat minimumLineSpacing() const { return minimumLineSpacing_; }
    void setMinimumLineSpacing(CGFloat spacing) { minimumLineSpacing_ = spacing; }
    CGFloat minimumInteritemSpacing() const { return minimumInteritemSpacing_; }
    void setMinimumInteritemSpacing(CGFloat spacing) { minimumInteritemSpacing_ = spacing; }
    UIEdgeInsets sectionInset() const { return sectionInset_; }
    void setSectionInset(const UIEdgeInsets& inset) { sectionInset_ = inset; }

private:
    UICollectionViewScrollDirection scrollDirection_ = UICollectionViewScrollDirection::Vertical;
    CGSize itemSize_{50, 50};
    CGFloat minimumLineSpacing_ = 10;
    CGFloat minimumInteritemSpacing_ = 10;
    UIEdgeInsets sectionInset_;
};
