#pragma once
// The floor's animated decorations (the fountain, the zoo's panda, rabbit
// and giraffe, the fair's rising balloons, the sea and the pool): the
// environment reader asks for the one an area's slot stands for.
namespace Plix {

class Board;
class ZObject;

// The decoration of area `area`, slot `slot` at (x, y), owned by the caller;
// null when that slot has none yet. dayLength: the story day's length in
// seconds (0 in Happy Hour), which the rising balloons keep time by.
ZObject* CreateAnimatedDecoration(Board* board, int area, int slot, int x, int y, int dayLength);

}  // namespace Plix
