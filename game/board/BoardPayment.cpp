// Money, score, trophies and the services around the belt and the machine.
#include "game/board/Board.h"

namespace Plix {

void Board::ResetIceCreamMachine() {
  mMachineState = 0;
  mMachineIngredient = 0;
  switch (mMachineLevel) {
    case 1:
      mMachineAnimation[0] = 661;
      mMachineAnimation[1] = 408;
      break;
    case 2:
      mMachineAnimation[0] = 645;
      mMachineAnimation[1] = 397;
      mMachineAnimation[2] = mMachineAnimation[3] = 300;
      break;
    case 3:
      mMachineAnimation[0] = 660;
      mMachineAnimation[1] = 390;
      mMachineAnimation[2] = mMachineAnimation[3] = 200;
      break;
    default:
      break;
  }
}

}  // namespace Plix
