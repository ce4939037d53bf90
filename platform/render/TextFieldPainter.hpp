#pragma once

#include <cairo.h>

#include "platform/uikit/UITextField.hpp"

namespace render {

// A text field: its border style, the text (or the placeholder in grey while empty), and while
// editing the selection behind the text and the cursor in the tint colour. Colours of error
// marking come through the layer's border, which the view renderer draws.
void paintTextField(const UITextField& field, cairo_t* cr);

// The box the text sits in, inside the border style's margins.
CGRect textFieldTextRect(const UITextField& field);

} // namespace render
