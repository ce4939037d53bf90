#pragma once

// The interface file "RatingViewController": a dimmed background over the whole window and,
// in its middle, the card with the text, five stars (each star also a touch area that sets the
// rating to it, "ratingStar1" to "ratingStar5") and the "cancel" and "send" buttons.
// Registering twice replaces it with the same builder; answers true.
bool registerRatingViewControllerNib();
