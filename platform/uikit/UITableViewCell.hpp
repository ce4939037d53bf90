#pragma once

#include <memory>
#include <optional>
#include <string>

#include "platform/uikit/NSCoder.hpp"
#include "platform/uikit/UIImageView.hpp"
#include "platform/uikit/UILabel.hpp"
#include "platform/uikit/UIView.hpp"

enum class UITableViewCellStyle : int { Default = 0, Value1 = 1, Value2 = 2, Subtitle = 3 };
enum class UITableViewCellSelectionStyle : int { None = 0, Blue = 1, Gray = 2, Default = 3 };
enum class UITableViewCellAccessoryType : int { None = 0, DisclosureIndicator = 1, DetailDisclosureButton = 2, Checkmark = 3 };
enum class UITableViewCellEditingStyle : int { None = 0, Delete = 1, Insert = 2 };

// A row of a table. Its content view fills it; the standard labels live in the content view
// and are made on first use.
class UITableViewCell : public UIView {
public:
    UITableViewCell(UITableViewCellStyle style, std::optional<std::string> reuseIdentifier);
    explicit UITableViewCell(const NSCoder& coder);
    UITableViewCell() : UITableViewCell(UITableViewCellStyle::Default, std::nullopt) {}

    UITableViewCellStyle style() const { return style_; }
    const std::optional<std::string>& reuseIdentifier() const { return reuseIdentifier_; }

    std::shared_ptr<UIView> contentView();
    std::shared_ptr<UILabel> textLabel();
    std::shared_ptr<UILabel> detailTextLabel();
    std::shared_ptr<UIImageView> imageView();

    bool isSelected() const { return selected_; }
    virtual void setSelected(bool selected, bool animated);
    void setSelected(bool selected) { setSelected(selected, false); }
    bool isHighlighted() const { return highlighted_; }
    virtual void setHighlighted(bool highlighted, bool animated);
    bool isEditing() const { return editing_; }
    virtual void setEditing(bool editing, bool animated);

    UITableViewCellSelectionStyle selectionStyle() const { return selectionStyle_; }
    void setSelectionStyle(UITableViewCellSelectionStyle style) { selectionStyle_ = style; }
    UITableViewCellAccessoryType accessoryType() const { return accessoryType_; }
    void setAccessoryType(UITableViewCellAccessoryType type) { accessoryType_ = type; }
    bool showsReorderControl() const { return showsReorderControl_; }
    void setShowsReorderControl(bool shows) { showsReorderControl_ = shows; }

    // Called when the table takes the cell from its reuse pool, before handing it out again.
    virtual void prepareForReuse();

    void layoutSubviews() override;

private:
    template <class>
    friend class ReusableCellPool;
    void setReuseIdentifier(std::optional<std::string> identifier) { reuseIdentifier_ = std::move(identifier); }

    UITableViewCellStyle style_ = UITableViewCellStyle::Default;
    std::optional<std::string> reuseIdentifier_;
    std::shared_ptr<UIView> contentView_;
    std::shared_ptr<UILabel> textLabel_;
    std::shared_ptr<UILabel> detailTextLabel_;
    std::shared_ptr<UIImageView> imageView_;
    bool selected_ = false;
    bool highlighted_ = false;
    bool editing_ = false;
    bool showsReorderControl_ = false;
    UITableViewCellSelectionStyle selectionStyle_ = UITableViewCellSelectionStyle::Default;
    UITableViewCellAccessoryType accessoryType_ = UITableViewCellAccessoryType::None;
};
