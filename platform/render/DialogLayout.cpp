#include "platform/render/DialogLayout.hpp"

#include <algorithm>

#include "platform/render/ShareSheetSaver.hpp"
#include "platform/render/TextDrawing.hpp"
#include "platform/uikit/UIWindow.hpp"

namespace render {
namespace {

constexpr double alertWidth = 270;
constexpr double sheetMargin = 8;
constexpr double padding = 16;
constexpr double buttonHeight = 44;

double textHeight(const std::string& text, const UIFont& font, double width)
{
    if (text.empty()) {
        return 0;
    }
    TextStyle style;
    style.font = font;
    style.numberOfLines = 0;
    style.lineBreakMode = NSLineBreakMode::ByWordWrapping;
    style.alignment = NSTextAlignment::Center;
    return measureText(text, style, width).height;
}

// Stacks title, message and buttons into a panel of the given width; the caller places it.
DialogLayout buildPanel(std::string title, std::string message, std::vector<DialogButton> buttons, double width, bool sideBySide)
{
    DialogLayout layout;
    layout.title = std::move(title);
    layout.message = std::move(message);
    layout.buttons = std::move(buttons);
    layout.stacked = !sideBySide;
    double textWidth = width - 2 * padding;
    double y = padding + 4;
    double titleHeight = textHeight(layout.title, DialogFonts::title(), textWidth);
    layout.titleFrame = {padding, y, textWidth, titleHeight};
    y += titleHeight + (titleHeight > 0 ? 4 : 0);
    double messageHeight = textHeight(layout.message, DialogFonts::message(), textWidth);
    layout.messageFrame = {padding, y, textWidth, messageHeight};
    y += messageHeight + padding;
    if (sideBySide) {
        double w = width / layout.buttons.size();
        for (size_t i = 0; i < layout.buttons.size(); ++i) {
            layout.buttons[i].frame = {i * w, y, w, buttonHeight};
        }
        y += buttonHeight;
    } else {
        for (auto& button : layout.buttons) {
            button.frame = {0, y, width, buttonHeight};
            y += buttonHeight;
        }
    }
    layout.panel = {0, 0, width, y};
    return layout;
}

void place(DialogLayout& layout, CGPoint origin)
{
    layout.panel = layout.panel.offsetBy(origin.x, origin.y);
    layout.titleFrame = layout.titleFrame.offsetBy(origin.x, origin.y);
    layout.messageFrame = layout.messageFrame.offsetBy(origin.x, origin.y);
    for (auto& button : layout.buttons) {
        button.frame = button.frame.offsetBy(origin.x, origin.y);
    }
}

} // namespace

UIFont DialogFonts::title()
{
    return UIFont::systemFontOfSize(17, UIFontWeightSemibold);
}

UIFont DialogFonts::message()
{
    return UIFont::systemFontOfSize(13);
}

UIFont DialogFonts::button(bool bold)
{
    return UIFont::systemFontOfSize(17, bold ? UIFontWeightSemibold : UIFontWeightRegular);
}

DialogLayout alertLayout(const UIAlertController& alert, CGSize window)
{
    std::vector<DialogButton> buttons;
    const auto& actions = alert.actions();
    for (size_t i = 0; i < actions.size(); ++i) {
        buttons.push_back({CGRectZero, actions[i]->title().value_or(""), actions[i]->style(), actions[i]->isEnabled(), i});
    }
    bool sheet = alert.preferredStyle() == UIAlertControllerStyle::ActionSheet;
    if (!sheet) {
        // Alerts put the cancel button last in a column, first of two side by side.
        std::stable_partition(buttons.begin(), buttons.end(), [&](const DialogButton& b) {
            return (b.style == UIAlertActionStyle::Cancel) == (buttons.size() == 2);
        });
    } else {
        std::stable_partition(buttons.begin(), buttons.end(), [](const DialogButton& b) { return b.style != UIAlertActionStyle::Cancel; });
    }
    double width = sheet ? std::max(0.0, std::min(window.width - 2 * sheetMargin, 500.0)) : std::min(alertWidth, window.width);
    DialogLayout layout = buildPanel(alert.title().value_or(""), alert.message().value_or(""), std::move(buttons), width,
                                     !sheet && actions.size() == 2);
    double x = (window.width - width) / 2;
    double y = sheet ? window.height - layout.panel.size.height - sheetMargin - 20 : (window.height - layout.panel.size.height) / 2;
    place(layout, {x, std::max(0.0, y)});
    return layout;
}

DialogLayout shareSheetLayout(const UIActivityViewController& sheet, CGSize area, bool inPopover)
{
    const ShareOutcome* outcome = ShareSheetSaver::outcomeFor(sheet);
    std::string message = outcome ? outcome->message : "Saving the picture…";
    double width = inPopover ? area.width : std::max(0.0, std::min(area.width - 2 * sheetMargin, 500.0));
    DialogLayout layout = buildPanel("Share", message, {DialogButton{CGRectZero, "Done", UIAlertActionStyle::Cancel, true, 0}}, width, false);
    if (inPopover) {
        // The whole popover, with Done along its bottom edge.
        layout.dimmed = false;
        double below = std::max(0.0, area.height - layout.panel.size.height);
        layout.panel.size.height += below;
        for (auto& button : layout.buttons) {
            button.frame = button.frame.offsetBy(0, below);
        }
        return layout;
    }
    place(layout, {(area.width - width) / 2, std::max(0.0, area.height - layout.panel.size.height - sheetMargin - 20)});
    return layout;
}

bool isInPopover(const UIView& dialogView)
{
    auto parent = dialogView.superview();
    return parent && !std::dynamic_pointer_cast<UIWindow>(parent);
}

const DialogButton* dialogButtonAt(const DialogLayout& layout, CGPoint point)
{
    for (const auto& button : layout.buttons) {
        if (button.frame.containsPoint(point)) {
            return &button;
        }
    }
    return nullptr;
}

} // namespace render
