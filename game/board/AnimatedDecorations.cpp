#include "game/board/AnimatedDecorations.h"

namespace Plix {

// No slot has its animated decoration yet: the floor shows the still
// pictures the environment reader paints for three of them.
ZObject* CreateAnimatedDecoration(Board*, int, int, int, int, int) { return nullptr; }

}  // namespace Plix
