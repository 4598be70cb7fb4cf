#include "game/app/ZObject.h"

#include "game/app/ObjectList.h"

namespace Plix {

void InsertByBaseY(ObjectList& drawList, ZObject* object) {
  int base = object->GetBaseY();
  ObjectListIterator it;
  if (!drawList.IsEmpty()) {
    it.Begin(drawList);
    do {
      auto* other = static_cast<ZObject*>(it.Get());
      if (other->GetBaseY() > base) {
        drawList.InsertBefore(object, other);
        return;
      }
    } while (it.Next());
  }
  drawList.PushBack(object);
}

}  // namespace Plix
