#pragma once

#include <memory>
#include <optional>
#include <string>

#include "platform/uikit/NSCoder.hpp"
#include "platform/uikit/UIImageView.hpp"
#include "platform/uikit/UILabel.hpp"
#include "platform/uikit/UITableViewCellEditingControls.hpp"
#include "platform/uikit/UIView.hpp"

enum class UITableViewCellStyle : int { Default = 0, Value1 = 1, Value2 = 2, Subtitle = 3 };
enum class UITableViewCellSelectionStyle : int { None = 0, Blue = 1, Gray = 2, Default = 3 };
enum class UITableViewCellAccessoryType : int { None = 0, DisclosureIndicator = 1, DetailDisclosureButton = 2, Checkmark = 3 };
enum class UITableViewCellEditingStyle : int { None = 0, Delete = 1, Insert = 2 };

// A row of a table. Its content view fills it; the standard labels live in the content view
// and are made on first use.
//
// Editing: while editing, a row the table lets delete shows the delete control left of its
// content and a row that can move shows the reorder control right of it; the content view
// narrows to make room. The Delete button shows from the right edge as far as it is revealed
// (by a swipe, or fully after a tap on the delete control), and the content moves left with it.
// The table sets what a row has and how far it is revealed; the controls are made on first need.
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

    // What the table lets this row do while editing.
    UITableViewCellEditingStyle editingStyle() const { return editingStyle_; }
    bool isShowingDeleteConfirmation() const { return deleteConfirmationWidth_ > 0; }
    // The editing controls; none until first shown.
    std::shared_ptr<UITableViewCellEditControl> editControl() const { return editControl_; }
    std::shared_ptr<UITableViewCellReorderControl> reorderControl() const { return reorderControl_; }
    std::shared_ptr<UITableViewCellDeleteConfirmationButton> deleteConfirmationButton() const { return deleteConfirmationButton_; }

    // Called when the table takes the cell from its reuse pool, before handing it out again.
    virtual void prepareForReuse();

    void layoutSubviews() override;

private:
    template <class>
    friend class ReusableCellPool;
    friend class UITableView;
    void setEditingControls(UITableViewCellEditingStyle style, bool movable);
    // How many points of the Delete button show; 0 hides it.
    void setDeleteConfirmationWidth(CGFloat width);
    void updateEditingControls();
    void editControlTapped();
    void deleteConfirmationTapped();
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
    UITableViewCellEditingStyle editingStyle_ = UITableViewCellEditingStyle::None;
    bool movable_ = false;
    CGFloat deleteConfirmationWidth_ = 0;
    std::shared_ptr<UITableViewCellEditControl> editControl_;
    std::shared_ptr<UITableViewCellReorderControl> reorderControl_;
    std::shared_ptr<UITableViewCellDeleteConfirmationButton> deleteConfirmationButton_;
    UITableViewCellSelectionStyle selectionStyle_ = UITableViewCellSelectionStyle::Default;
    UITableViewCellAccessoryType accessoryType_ = UITableViewCellAccessoryType::None;
};
