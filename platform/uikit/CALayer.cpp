#include "platform/uikit/CALayer.hpp"

#include <algorithm>
#include <atomic>

void CALayer::addSublayer(const std::shared_ptr<CALayer>& layer)
{
    insertSublayer(layer, sublayers_.size());
    if (layer && layer->superlayer().get() == this) {
        layer->takeNextStackingOrder();  // on top, even when it is the first sublayer
    }
}

void CALayer::insertSublayer(const std::shared_ptr<CALayer>& layer, size_t index)
{
    if (!layer || layer.get() == this) {
        return;
    }
    // Refuse cycles: a layer cannot become a sublayer of its own descendant.
    for (auto ancestor = superlayer(); ancestor; ancestor = ancestor->superlayer()) {
        if (ancestor == layer) {
            return;
        }
    }
    auto keep = layer;
    keep->removeFromSuperlayer();
    if (index == 0) {
        keep->stackingOrder_ = 0;  // below every subview
    } else {
        keep->takeNextStackingOrder();
    }
    index = std::min(index, sublayers_.size());
    sublayers_.insert(sublayers_.begin() + static_cast<std::ptrdiff_t>(index), keep);
    keep->superlayer_ = weak_from_this();
}

void CALayer::takeNextStackingOrder()
{
    static std::atomic<uint64_t> next{1};
    stackingOrder_ = next.fetch_add(1, std::memory_order_relaxed);
}

void CALayer::removeFromSuperlayer()
{
    auto parent = superlayer_.lock();
    superlayer_.reset();
    if (!parent) {
        return;
    }
    auto& siblings = parent->sublayers_;
    siblings.erase(std::remove_if(siblings.begin(), siblings.end(), [this](const auto& l) { return l.get() == this; }), siblings.end());
}
