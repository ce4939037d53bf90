#pragma once

#include <string>
#include <vector>

#include "platform/uikit/UIActivityViewController.hpp"
#include "platform/uikit/UIAlertController.hpp"
#include "platform/uikit/UIFont.hpp"

namespace render {

// Alerts and the share sheet are drawn by the window itself, in the platform's manner: a dimmed
// window with a rounded panel (centred for alerts, at the bottom for action sheets and the share
// sheet), a bold title, the message and a row or column of buttons. The same layout serves
// drawing and finding the button under a click.
struct DialogButton {
    CGRect frame;
    std::string title;
    UIAlertActionStyle style = UIAlertActionStyle::Default;
    bool enabled = true;
    // Index into the alert's actions (the share sheet has its one "Done" at 0).
    size_t index = 0;
};

struct DialogLayout {
    CGRect panel;
    std::string title;
    CGRect titleFrame;
    std::string message;
    CGRect messageFrame;
    std::vector<DialogButton> buttons;
    // Buttons in a column (otherwise side by side).
    bool stacked = true;
    // Over a dimmed window; a share sheet in a pad's popover is the popover's content instead.
    bool dimmed = true;
};

DialogLayout alertLayout(const UIAlertController& alert, CGSize window);
// In the sheet view's own coordinates, `area` its size: over the window, or filling the popover
// the sheet is shown in on a pad.
DialogLayout shareSheetLayout(const UIActivityViewController& sheet, CGSize area, bool inPopover = false);
// Whether a dialog's view sits in a popover's container rather than straight in the window.
bool isInPopover(const UIView& dialogView);

// The button under a point in window coordinates, if any.
const DialogButton* dialogButtonAt(const DialogLayout& layout, CGPoint point);

// Text styles shared by layout and drawing.
struct DialogFonts {
    static UIFont title();
    static UIFont message();
    static UIFont button(bool bold);
};

} // namespace render
