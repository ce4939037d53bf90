#pragma once

// The interface files of the video row: "VideoCollectionTableViewCell" (title, lock and
// introduction buttons, the horizontal collection and the lock overlay over it) and
// "VideoCollectionViewCell" (the player with its poster, under the loading cover). Registering
// twice replaces them with the same builders; answers true.
bool registerVideoNibs();
