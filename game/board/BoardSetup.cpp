// A story day's and a Happy Hour game's set-up.
#include "game/board/Board.h"

namespace Plix {

void Board::SetUpStoryDay() {}

}  // namespace Plix
