#pragma once

// Says on standard error, one line each, when the resource folder is missing (no texts,
// pictures or app list) or the data folder cannot be written (history, consents and the rating
// countdown will not outlast the run). The program runs on either way.
void reportUnusableFolders();

// Claims the data folder for this run. Each run saves the whole defaults file from its own
// memory, so a second window on the same folder would drop the first one's entries at its next
// save: when another run has the folder, this says so (on standard error, and in a small window
// when there is a display) and answers false. A folder that cannot be claimed at all (one that
// cannot be written) is reported by reportUnusableFolders instead, and the run goes on.
bool claimDataFolder();
