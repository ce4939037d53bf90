#include "platform/uikit/CellTiler.hpp"

#include <iostream>

namespace {

// A data source that reloads from every cell request would never settle; a few rounds do.
constexpr int maximumRounds = 8;

} // namespace

void CellTilerBase::tile(const std::function<void()>& pass)
{
    if (tiling_) {
        retile_ = true;
        return;
    }
    tiling_ = true;
    for (int round = 0; round < maximumRounds; ++round) {
        retile_ = false;
        pass();
        if (!retile_) {
            break;
        }
    }
    tiling_ = false;
}

void CellTilerBase::layOut(const std::function<void()>& pass)
{
    if (!tiling_) {
        tile(pass);
    }
}

void CellTilerBase::reportMissingCell(const NSIndexPath& indexPath) const
{
    std::cerr << viewClass_ << ": the data source returned no cell for " << element_ << " " << indexPath.description() << "\n";
}
