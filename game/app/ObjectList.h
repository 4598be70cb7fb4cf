#pragma once
// The game's own small lists: a singly linked list of untyped pointers that
// never owns its items, a list of points held by value, and one forward
// iterator for both. Lists are short, so the two-word header matters more
// than speed: no tail pointer, positional access walks from the head.

namespace Plix {

class ObjectList {
public:
  ObjectList() = default;
  ~ObjectList() { Clear(); }
  ObjectList(const ObjectList&) = delete;
  ObjectList& operator=(const ObjectList&) = delete;

  void PushBack(void* item);
  void PushFront(void* item);
  // Link a new item after / before the first node holding `reference`.
  // False, with nothing changed, on an empty list, a null item or
  // reference, or a reference that is not in the list.
  bool InsertAfter(void* item, void* reference);
  bool InsertBefore(void* item, void* reference);
  // Unlinks the first node holding the item; false when there is none.
  bool Remove(void* item);
  bool RemoveAt(int index);
  // The position from the head of the first node holding the item; -1
  // when none does.
  int IndexOf(const void* item) const;
  bool Contains(const void* item) const { return IndexOf(item) != -1; }
  // Takes the head's item; false (and `item` untouched) on an empty list.
  bool PopFront(void*& item);
  // The item at a position from 0 to count - 1; 0 or below gives the first.
  void* GetAt(int index) const;
  int GetCount() const { return mCount; }
  bool IsEmpty() const { return mCount == 0; }
  // Frees the nodes, never the items.
  void Clear();

private:
  friend class ObjectListIterator;
  struct Node {
    void* item;
    Node* next;
  };
  Node* mHead = nullptr;
  int mCount = 0;
};

class PointList {
public:
  PointList() = default;
  ~PointList() { Clear(); }
  PointList(const PointList&) = delete;
  PointList& operator=(const PointList&) = delete;

  void PushFront(float x, float y);
  int GetCount() const { return mCount; }
  bool IsEmpty() const { return mCount == 0; }
  void Clear();

private:
  friend class ObjectListIterator;
  struct Node {
    float x;
    float y;
    Node* next;
  };
  Node* mHead = nullptr;
  int mCount = 0;
};

// Holds raw node pointers: removing the node it stands on invalidates it,
// so a walk that removes items starts again with Begin.
class ObjectListIterator {
public:
  ObjectListIterator& Begin(const ObjectList& list);
  ObjectListIterator& Begin(const PointList& list);
  // The item of the current node; the iterator must stand on one.
  void* Get() const { return static_cast<ObjectList::Node*>(mCurrent)->item; }
  // One step; true when it landed on a node.
  bool Next();
  bool NextPoint();
  // Back to the node at which Begin started.
  void Rewind();
  // Object lists only: to the index-th node counting from the one Begin
  // started at; false, with the iterator unchanged, for a negative index or
  // one past the end.
  bool SeekTo(int index);
  void GetPoint(float& x, float& y) const;
  int GetIndex() const { return mIndex; }
  bool AtEnd() const { return mCurrent == nullptr; }

private:
  void* mFirst = nullptr;
  void* mCurrent = nullptr;
  int mIndex = 0;
};

}  // namespace Plix
