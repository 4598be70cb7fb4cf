#include "game/app/ObjectList.h"

namespace Plix {

void ObjectList::PushBack(void* item) {
  Node* node = new Node{item, nullptr};
  if (!mHead) {
    mHead = node;
  } else {
    Node* last = mHead;
    while (last->next) last = last->next;
    last->next = node;
  }
  ++mCount;
}

void ObjectList::PushFront(void* item) {
  mHead = new Node{item, mHead};
  ++mCount;
}

bool ObjectList::InsertAfter(void* item, void* reference) {
  if (!mHead || !item || !reference) return false;
  for (Node* n = mHead; n; n = n->next) {
    if (n->item == reference) {
      n->next = new Node{item, n->next};
      ++mCount;
      return true;
    }
  }
  return false;
}

bool ObjectList::InsertBefore(void* item, void* reference) {
  if (!mHead || !item || !reference) return false;
  for (Node** link = &mHead; *link; link = &(*link)->next) {
    if ((*link)->item == reference) {
      *link = new Node{item, *link};
      ++mCount;
      return true;
    }
  }
  return false;
}

bool ObjectList::Remove(void* item) {
  for (Node** link = &mHead; *link; link = &(*link)->next) {
    if ((*link)->item == item) {
      Node* gone = *link;
      *link = gone->next;
      delete gone;
      --mCount;
      return true;
    }
  }
  return false;
}

int ObjectList::IndexOf(const void* item) const {
  int index = 0;
  for (const Node* node = mHead; node; node = node->next, ++index)
    if (node->item == item) return index;
  return -1;
}

bool ObjectList::RemoveAt(int index) {
  if (index < 0 || index >= mCount) return false;
  Node** link = &mHead;
  for (int i = 0; i < index; ++i) link = &(*link)->next;
  Node* gone = *link;
  *link = gone->next;
  delete gone;
  --mCount;
  return true;
}

bool ObjectList::PopFront(void*& item) {
  if (mCount == 0) return false;
  Node* gone = mHead;
  item = gone->item;
  mHead = gone->next;
  delete gone;
  --mCount;
  return true;
}

void* ObjectList::GetAt(int index) const {
  Node* n = mHead;
  for (int i = 0; i < index && n; ++i) n = n->next;
  return n ? n->item : nullptr;
}

void ObjectList::Clear() {
  while (mHead) {
    Node* gone = mHead;
    mHead = gone->next;
    delete gone;
  }
  mCount = 0;
}

void PointList::PushFront(float x, float y) {
  mHead = new Node{x, y, mHead};
  ++mCount;
}

void PointList::Clear() {
  while (mHead) {
    Node* gone = mHead;
    mHead = gone->next;
    delete gone;
  }
  mCount = 0;
}

ObjectListIterator& ObjectListIterator::Begin(const ObjectList& list) {
  mFirst = mCurrent = list.mHead;
  mIndex = 0;
  return *this;
}

ObjectListIterator& ObjectListIterator::Begin(const PointList& list) {
  mFirst = mCurrent = list.mHead;
  mIndex = 0;
  return *this;
}

bool ObjectListIterator::Next() {
  if (!mCurrent || !mFirst) return false;
  mCurrent = static_cast<ObjectList::Node*>(mCurrent)->next;
  ++mIndex;
  return mCurrent != nullptr;
}

bool ObjectListIterator::NextPoint() {
  if (!mCurrent || !mFirst) return false;
  mCurrent = static_cast<PointList::Node*>(mCurrent)->next;
  ++mIndex;
  return mCurrent != nullptr;
}

void ObjectListIterator::Rewind() {
  mCurrent = mFirst;
  mIndex = 0;
}

bool ObjectListIterator::SeekTo(int index) {
  if (index < 0) return false;
  auto* n = static_cast<ObjectList::Node*>(mFirst);
  for (int i = 0; i < index && n; ++i) n = n->next;
  if (!n) return false;
  mCurrent = n;
  mIndex = index;
  return true;
}

void ObjectListIterator::GetPoint(float& x, float& y) const {
  auto* n = static_cast<PointList::Node*>(mCurrent);
  x = n->x;
  y = n->y;
}

}  // namespace Plix
