#pragma once

// The interface file "ManualViewController": the title at the top, the close button at its
// right, and below them the scroll view holding the picture, which zooms from 1× to 4×.
// Registering twice replaces it with the same builder; answers true.
bool registerManualViewControllerNib();
