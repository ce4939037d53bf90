#pragma once

// The quadrant of the unit circle a unit-circle chart starts in.
enum class Quadrant { first, second, third, fourth };
