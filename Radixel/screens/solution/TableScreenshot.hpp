#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <set>
#include <vector>

#include "platform/uikit/CGGeometry.hpp"
#include "platform/uikit/MainActorTask.hpp"
#include "platform/uikit/UIImage.hpp"

class UITableView;
class UIView;

// Pictures of views for sharing, at the main screen's scale.

// What the view's layer draws from its top left, cut to the rectangle's size (its origin is
// not used). None for a rectangle without area.
std::shared_ptr<UIImage> screenshotForCroppingRect(const UIView& view, const CGRect& croppingRect);
// The whole view.
std::shared_ptr<UIImage> screenshot(const UIView& view);

// The full length of a table as one picture: the table header, then per section its header,
// each row's cell captured on its own after scrolling it into view, and its footer, stacked
// top to bottom (the table footer is left out). A filter names the sections whose header
// (footer) is taken; none takes all. Chart rows wait two seconds first so their drawing has
// finished; the task suspends meanwhile and the main loop goes on. Every capture puts the
// content offset back, so the table ends where it started. None when nothing was captured.
Task<std::shared_ptr<UIImage>> screenshotAsync(std::shared_ptr<UITableView> tableView,
                                               std::optional<std::set<int64_t>> headerSections = std::nullopt,
                                               std::optional<std::set<int64_t>> footerSections = std::nullopt);

// The images one below the other, left aligned: as wide as the widest, as high as all together;
// what a narrower image leaves free stays transparent. None for no images (or no pixels).
std::shared_ptr<UIImage> combineImagesVertically(const std::vector<std::shared_ptr<UIImage>>& images);
