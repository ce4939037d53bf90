#pragma once

// Device screen classes, from the smallest phone to the largest tablet. Nothing in the
// application chooses by them; a plain enumeration compares and hashes by case.
enum class DisplayType { unknown, iphone4, iphone5, iphone6, iphone6plus, iPadNonRetina, iPad, iPadProBig };

// Kept beside DisplayType for callers that name it; it holds nothing and does nothing.
class Display {};
