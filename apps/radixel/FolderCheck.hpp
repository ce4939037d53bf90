#pragma once

// Says on standard error, one line each, when the resource folder is missing (no texts,
// pictures or app list) or the data folder cannot be written (history, consents and the rating
// countdown will not outlast the run). The program runs on either way.
void reportUnusableFolders();
