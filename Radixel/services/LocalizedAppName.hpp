#pragma once

#include <string>

// The application's name in the user's language (text key "Radixel"): the drawer's title and
// part of the introduction's texts. Looked up once and kept.
const std::string& localizedAppName();
