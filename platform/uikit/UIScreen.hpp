#pragma once

#include "platform/uikit/CGGeometry.hpp"

// The display. Headless it is a phone of 390 × 844 points at scale 3 unless configured.
class UIScreen {
public:
    static UIScreen& mainScreen();

    CGRect bounds() const { return bounds_; }
    CGFloat scale() const { return scale_; }

    // The safe-area insets windows have unless they set their own.
    UIEdgeInsets defaultSafeAreaInsets() const { return safeAreaInsets_; }

    // For the window host and tests.
    void configure(CGSize size, CGFloat scale);
    void setDefaultSafeAreaInsets(const UIEdgeInsets& insets) { safeAreaInsets_ = insets; }

private:
    CGRect bounds_{0, 0, 390, 844};
    CGFloat scale_ = 3;
    UIEdgeInsets safeAreaInsets_;
};
