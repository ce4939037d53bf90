#pragma once

#include <memory>

#include "platform/uikit/MainActorTask.hpp"

class SolutionViewController;

// The share action's work, as a task on the main actor: with steps on the page it sets the
// screenshot flag, covers the window with the busy overlay, shows the note on image quality,
// captures the table (suspending only while chart rows wait) and offers the picture once both
// the note is answered and the picture is ready. Overlay and flag are reset however the
// capture ends; the task does not keep the page alive.
Task<> shareSolution(std::weak_ptr<SolutionViewController> page);
