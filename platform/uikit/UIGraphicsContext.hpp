#pragma once

#include <cairo.h>

// The current graphics context: the top of a per-thread stack of Cairo contexts. Image
// contexts, image renderers and the view drawing push theirs while they draw, so views' drawRect
// and UIImage's drawInRect find it without being handed one.
cairo_t* UIGraphicsGetCurrentContext();
// Pushes and pops come in pairs; popping an empty stack does nothing.
void UIGraphicsPushContext(cairo_t* context);
void UIGraphicsPopContext();
