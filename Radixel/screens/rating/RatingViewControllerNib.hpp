#pragma once

// The interface file "RatingViewController": a dimmed background over the whole window and,
// in its middle, the card with the text, five stars ("ratingStars", none set at first) and the
// "cancel" and "send" buttons.
// Registering twice replaces it with the same builder; answers true.
bool registerRatingViewControllerNib();
