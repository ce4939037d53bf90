#pragma once

#include <memory>
#include <optional>
#include <string>
#include <utility>

#include "platform/uikit/NSCoder.hpp"
#include "platform/uikit/UIView.hpp"

// An item of a collection view. Its content view fills it.
class UICollectionViewCell : public UIView {
public:
    UICollectionViewCell() : UIView(CGRect{0, 0, 50, 50}) {}
    explicit UICollectionViewCell(const CGRect& frame) : UIView(frame) {}
    explicit UICollectionViewCell(const NSCoder& /*coder*/) : UICollectionViewCell() {}

    const std::optional<std::string>& reuseIdentifier() const { return reuseIdentifier_; }
    std::shared_ptr<UIView> contentView();

    bool isSelected() const { return selected_; }
    virtual void setSelected(bool selected) { selected_ = selected; }
    virtual void prepareForReuse() { selected_ = false; }

    void layoutSubviews() override;

private:
    template <class>
    friend class ReusableCellPool;
    void setReuseIdentifier(std::optional<std::string> identifier) { reuseIdentifier_ = std::move(identifier); }

    std::optional<std::string> reuseIdentifier_;
    std::shared_ptr<UIView> contentView_;
    bool selected_ = false;
};
