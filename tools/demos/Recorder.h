#pragma once
// Records one run: the game started with "-record" in a sandbox, on a clock
// that moves only when the main loop waits (so the same run is recorded
// every time, as fast as the machine goes), driven by the Navigator through
// SDL input. The demo, the starting players (when the run needs some) and
// the expected outcome are written into the demo folder, and the demo is
// played back once at once: it must reach the same outcome.
#include <string>

#include "tools/demos/Navigator.h"

namespace Plix::Demos {

// False, with why, when the run could not be recorded or did not replay
// to what was recorded (played back by `program`, this recorder, in a
// process of its own).
bool RecordScenario(const Scenario& scenario, const std::string& folder, const std::string& program,
                    std::string& error);

}  // namespace Plix::Demos
