#include "Radixel/screens/solution/TableScreenshot.hpp"

#include <algorithm>
#include <iostream>

#include "Radixel/charts/views/ChartTableViewCell.hpp"
#include "platform/render/UIGraphicsImageContext.hpp"
#include "platform/render/UIGraphicsImageRenderer.hpp"
#include "platform/uikit/UITableView.hpp"

namespace {

constexpr uint64_t chartDrawingWait = 2'000'000'000;

void appendIfVisible(std::vector<std::shared_ptr<UIImage>>& captures, const std::shared_ptr<UIImage>& image) {
    if (image && image->size().width > 0 && image->size().height > 0) {
        captures.push_back(image);
    }
}

// A section header or footer: its capture, or a transparent stand-in of its size.
std::shared_ptr<UIImage> captureSupplementary(UITableView& table, const CGRect& rect) {
    CGPoint saved = table.contentOffset();
    table.scrollRectToVisible(rect, false);
    auto image = screenshotForCroppingRect(table, rect);
    table.setContentOffset(saved, false);
    if (!image) {
        UIGraphicsImageRenderer clear(CGSize{table.bounds().size.width, rect.size.height});
        image = clear.imageWithActions([](const UIGraphicsImageRendererContext&) {});
    }
    return image;
}

}  // namespace

std::shared_ptr<UIImage> screenshotForCroppingRect(const UIView& view, const CGRect& croppingRect) {
    UIGraphicsImageRenderer renderer(croppingRect.size);
    return renderer.imageWithActions(
        [&view](const UIGraphicsImageRendererContext& context) { view.layer()->renderInContext(context.CGContext()); });
}

std::shared_ptr<UIImage> screenshot(const UIView& view) { return screenshotForCroppingRect(view, view.bounds()); }

Task<std::shared_ptr<UIImage>> screenshotAsync(std::shared_ptr<UITableView> tableView,
                                               std::optional<std::set<int64_t>> headerSections,
                                               std::optional<std::set<int64_t>> footerSections) {
    std::vector<std::shared_ptr<UIImage>> captures;
    UITableView& table = *tableView;

    if (const auto& header = table.tableHeaderView()) {
        CGPoint saved = table.contentOffset();
        table.scrollRectToVisible(header->frame(), false);
        auto image = screenshotForCroppingRect(table, header->frame());
        table.setContentOffset(saved, false);
        appendIfVisible(captures, image);
    }

    // Counts are asked anew on every round: the screen may change the table while a chart
    // row waits, and a row that is gone is simply not captured.
    for (int64_t section = 0; section < table.numberOfSections(); ++section) {
        if (!headerSections || headerSections->count(section)) {
            appendIfVisible(captures, captureSupplementary(table, table.rectForHeaderInSection(section)));
        }
        for (int64_t row = 0; section < table.numberOfSections() && row < table.numberOfRowsInSection(section); ++row) {
            NSIndexPath indexPath{section, row};
            CGPoint saved = table.contentOffset();
            table.scrollToRowAtIndexPath(indexPath, UITableViewScrollPosition::Top, false);
            std::shared_ptr<UIImage> image;
            if (auto cell = table.cellForRowAtIndexPath(indexPath)) {
                cell->setBackgroundColor(UIColor::systemBackgroundColor());
                if (std::dynamic_pointer_cast<ChartTableViewCell>(cell)) {
                    try {
                        co_await Task<>::sleep(chartDrawingWait);
                    } catch (const std::exception& error) {
                        std::cout << "Error during delay: " << error.what() << std::endl;
                    }
                }
                cell->layoutIfNeeded();
                image = screenshot(*cell);
            }
            table.setContentOffset(saved, false);
            appendIfVisible(captures, image);
        }
        if (section < table.numberOfSections() && (!footerSections || footerSections->count(section))) {
            appendIfVisible(captures, captureSupplementary(table, table.rectForFooterInSection(section)));
        }
    }
    co_return combineImagesVertically(captures);
}

std::shared_ptr<UIImage> combineImagesVertically(const std::vector<std::shared_ptr<UIImage>>& images) {
    CGSize size;
    for (const auto& image : images) {
        if (image) {
            size.width = std::max(size.width, image->size().width);
            size.height += image->size().height;
        }
    }
    UIGraphicsBeginImageContextWithOptions(size, false, 0);
    CGFloat y = 0;
    for (const auto& image : images) {
        if (image) {
            image->drawAtPoint({0, y});
            y += image->size().height;
        }
    }
    auto combined = UIGraphicsGetImageFromCurrentImageContext();
    UIGraphicsEndImageContext();
    return combined;
}
