#pragma once

// The storyboard "SolutionViewController": its scene "SolutionViewController" (the table, the
// share and manual buttons, the banner area and their constraints) with the table's prototype
// cell "solutionStepCell", and the interface files of the chart and video rows that the scene's
// table registers. Call once at start-up, before the storyboard is asked for the scene;
// calling again replaces the registrations.
void registerSolutionStoryboard();
