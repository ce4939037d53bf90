#pragma once

#include <memory>

#include "platform/uikit/UIButton.hpp"
#include "platform/uikit/UIControl.hpp"

// The controls a table row shows for editing. The cell makes them when first needed and lays
// them out; the table decides which ones a row has.

// Left of the content while editing: a red disc with a white bar. A tap shows the row's Delete
// button.
class UITableViewCellEditControl : public UIControl {
public:
    static constexpr CGFloat width = 38;
    UITableViewCellEditControl();
    void drawRect(const CGRect& rect) const override;
};

// Right of the content while editing a row that can move: three short grey lines, the handle a
// finger drags the row by.
class UITableViewCellReorderControl : public UIView {
public:
    static constexpr CGFloat width = 44;
    UITableViewCellReorderControl();
    void drawRect(const CGRect& rect) const override;
};

// Right of the content, as wide as it has been revealed: "Delete", in the language of the
// application's texts, in white on red.
class UITableViewCellDeleteConfirmationButton : public UIButton {
public:
    // How far a row opens for the button: as wide as the English one, or wider when the word
    // needs it, so no language's word is cut off.
    static CGFloat width();
    UITableViewCellDeleteConfirmationButton();
};
