#pragma once
// A table on the shop floor with its seats, the customers at it and the
// dishes left on it. The environment file places the tables; the board
// owns them.
#include "game/app/ZObject.h"

namespace Plix {

class Table : public ZObject {
public:
  Table() = default;
  Table(const Table&) = delete;
  Table& operator=(const Table&) = delete;
};

}  // namespace Plix
