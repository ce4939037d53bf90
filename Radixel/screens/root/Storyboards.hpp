#pragma once

// The application's storyboards, built in code: each maps its scene identifiers to the scene
// builders that live beside their controllers.
//
//     "Main":                   "CalculateViewController", "LeftViewController",
//                               "HistoryTableViewController"
//     "SolutionViewController": "SolutionViewController"
//
// Registering again replaces the same builders, so every application delegate may call it.
void registerStoryboards();
