#pragma once
// The base of the game's drawable objects that the play field keeps in a
// draw list ordered by base line.

namespace Plix {

class Graphics;
class ObjectList;

class ZObject {
public:
  virtual ~ZObject() = default;
  // The screen y at which the object stands.
  virtual int GetBaseY() { return 0; }
  virtual void Draw(Graphics& g) {}
  virtual void Update() {}
};

// Keeps a draw list ascending by base line: the object goes before the
// first one standing strictly lower, else to the end, so objects on one line
// are drawn in the order they were added.
void InsertByBaseY(ObjectList& drawList, ZObject* object);

}  // namespace Plix
