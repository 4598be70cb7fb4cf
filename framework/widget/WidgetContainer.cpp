#include "framework/widget/WidgetContainer.h"

#include <algorithm>

#include "framework/graphics/Graphics.h"
#include "framework/widget/Widget.h"
#include "framework/widget/WidgetManager.h"

namespace Plix {

WidgetContainer::~WidgetContainer() {
  // Children outlive a container only by mistake; at least they do not keep
  // pointing at it.
  for (Widget* child : mWidgets) child->mParent = nullptr;
}

Rect WidgetContainer::GetRect() { return Rect(mX, mY, mWidth, mHeight); }

bool WidgetContainer::Intersects(WidgetContainer* other) {
  Rect overlap = GetRect().Intersection(other->GetRect());
  return overlap.mWidth > 0 && overlap.mHeight > 0;
}

WidgetContainer::WidgetList::iterator WidgetContainer::Find(Widget* widget) {
  return std::find(mWidgets.begin(), mWidgets.end(), widget);
}

void WidgetContainer::UnlinkChild(WidgetList::iterator it) {
  for (ChildWalk* walk = mWalks; walk != nullptr; walk = walk->mNext) {
    if (walk->mPos == it) {
      ++walk->mPos;
      walk->mModified = true;
    }
  }
  mWidgets.erase(it);
}

// Walks forward from the start to the first child of at least the widget's
// z-order. Before it when that is the first child or of equal z-order;
// otherwise after the nearest child at or below the widget's z-order, so
// that among equals the widget goes in front.
void WidgetContainer::InsertByZOrder(Widget* widget, WidgetList::iterator start) {
  auto it = start;
  while (it != mWidgets.end() && (*it)->mZOrder < widget->mZOrder) ++it;
  if (it != mWidgets.end() && (it == mWidgets.begin() || (*it)->mZOrder == widget->mZOrder)) {
    mWidgets.insert(it, widget);
    return;
  }
  while (it != mWidgets.begin()) {
    --it;
    if ((*it)->mZOrder <= widget->mZOrder) {
      mWidgets.insert(std::next(it), widget);
      return;
    }
  }
  mWidgets.push_front(widget);
}

void WidgetContainer::AddWidget(Widget* widget) {
  if (widget == nullptr || HasWidget(widget)) return;
  // One widget in two lists would corrupt both.
  if (widget->mParent != nullptr) widget->mParent->RemoveWidget(widget);
  InsertByZOrder(widget, mWidgets.end());
  widget->mWidgetManager = mWidgetManager;
  widget->mParent = this;
  if (mWidgetManager != nullptr) {
    widget->OnAddedToManager(mWidgetManager);
    widget->MarkDirtyWithOverlaps();
    mWidgetManager->RehupMouse();
  }
  MarkDirty();
}

void WidgetContainer::RemoveWidget(Widget* widget) {
  if (!HasWidget(widget)) return;
  widget->RemovedFromTree();
  widget->mParent = nullptr;
  // Leaving may have changed the list; find the widget again.
  auto it = Find(widget);
  if (it != mWidgets.end()) UnlinkChild(it);
}

bool WidgetContainer::HasWidget(Widget* widget) { return Find(widget) != mWidgets.end(); }

void WidgetContainer::RemoveAllWidgets(bool deleteWidgets, bool recursive) {
  while (!mWidgets.empty()) {
    Widget* child = mWidgets.front();
    RemoveWidget(child);
    if (recursive) child->RemoveAllWidgets(deleteWidgets, recursive);
    if (deleteWidgets) delete child;
  }
}

namespace {

// 0 neither found, 1 a first, 2 b first.
int FindFirst(WidgetContainer* node, Widget* a, Widget* b) {
  for (Widget* child : node->mWidgets) {
    if (child == a) return 1;
    if (child == b) return 2;
    int found = FindFirst(child, a, b);
    if (found != 0) return found;
  }
  return 0;
}

}  // namespace

bool WidgetContainer::IsBehind(Widget* a, Widget* b) { return FindFirst(this, a, b) == 1; }

void WidgetContainer::MarkAllDirty() {
  MarkDirty();
  ForEachChild([](Widget* child) {
    child->mDirty = true;
    child->MarkAllDirty();
  });
}

void WidgetContainer::BringToFront(Widget* child) {
  auto it = Find(child);
  if (it == mWidgets.end()) return;
  UnlinkChild(it);
  InsertByZOrder(child, mWidgets.end());
  child->OnOrderChanged();
}

void WidgetContainer::SendToBack(Widget* child) {
  auto it = Find(child);
  if (it == mWidgets.end()) return;
  UnlinkChild(it);
  InsertByZOrder(child, mWidgets.begin());
  child->OnOrderChanged();
}

void WidgetContainer::PlaceBehind(Widget* child, Widget* reference) {
  auto it = Find(child);
  if (it == mWidgets.end()) return;
  UnlinkChild(it);
  InsertByZOrder(child, Find(reference));
  child->OnOrderChanged();
}

void WidgetContainer::PlaceInFront(Widget* child, Widget* reference) {
  auto it = Find(child);
  if (it == mWidgets.end()) return;
  UnlinkChild(it);
  auto ref = Find(reference);
  InsertByZOrder(child, ref == mWidgets.end() ? ref : std::next(ref));
  child->OnOrderChanged();
}

Point WidgetContainer::GetAbsolutePosition() {
  if (mParent == nullptr) return Point(mX, mY);
  Point parent = mParent->GetAbsolutePosition();
  return Point(mX + parent.mX, mY + parent.mY);
}

// Overlap rules run only among the root's children: below the root a dirty
// mark only has to reach the top-level ancestor, which is redrawn whole.
void WidgetContainer::MarkChildAreaDirty(Widget* child) {
  if (child->mDirty) return;
  MarkDirty();
  child->mDirty = true;
  if (mParent != nullptr) return;
  if (child->mTranslucent) {
    MarkChildAreaDirtyFull(child);
    return;
  }
  auto it = Find(child);
  if (it == mWidgets.end()) return;
  for (++it; it != mWidgets.end(); ++it) {
    Widget* w = *it;
    if (w->mVisible && w->Intersects(child)) MarkChildAreaDirty(w);
  }
}

void WidgetContainer::MarkDirty() {
  if (mParent != nullptr)
    mParent->MarkChildAreaDirty(static_cast<Widget*>(this));
  else
    mDirty = true;
}

void WidgetContainer::MarkChildAreaDirtyFull(Widget* child) {
  MarkDirtyWithOverlaps();
  child->mDirty = true;
  if (mParent != nullptr) return;
  auto pos = Find(child);
  if (pos == mWidgets.end()) return;

  // Behind it: an opaque widget that covers the visible part of the child
  // hides everything further back.
  auto it = pos;
  while (it != mWidgets.begin()) {
    --it;
    Widget* w = *it;
    if (!w->mVisible) continue;
    if (!w->mTranslucent && !w->mHasTransparentParts) {
      Rect area = Rect(0, 0, mWidth, mHeight).Intersection(child->GetRect());
      if (w->Contains(area.mX, area.mY) && w->Contains(area.mX + area.mWidth - 1, area.mY + area.mHeight - 1)) {
        w->MarkDirty();
        break;
      }
    }
    if (w->Intersects(child)) MarkChildAreaDirty(w);
  }

  for (it = pos; it != mWidgets.end(); ++it) {
    Widget* w = *it;
    if (w->mVisible && w->Intersects(child)) MarkChildAreaDirty(w);
  }
}

void WidgetContainer::MarkDirtyWithOverlaps() {
  if (mParent != nullptr)
    mParent->MarkChildAreaDirtyFull(static_cast<Widget*>(this));
  else
    mDirty = true;
}

void WidgetContainer::OnAddedToManager(WidgetManager* manager) {
  ForEachChild([&](Widget* child) {
    child->mWidgetManager = manager;
    child->OnAddedToManager(manager);
    MarkDirty();
  });
}

void WidgetContainer::OnRemovedFromManager(WidgetManager* manager) {
  ForEachChild([&](Widget* child) {
    manager->DisableWidget(child);
    child->OnRemovedFromManager(manager);
    child->mWidgetManager = nullptr;
  });
  if (manager->mPopupCommandWidget == this) manager->mPopupCommandWidget = nullptr;
}

void WidgetContainer::Update() { ++mUpdateCnt; }

void WidgetContainer::UpdateTree(ModalFlags* modalFlags) {
  ModalFlags saved = *modalFlags;
  modalFlags->mOverFlags = mWidgetFlagsMod.Apply(modalFlags->mOverFlags);
  modalFlags->mUnderFlags = mWidgetFlagsMod.Apply(modalFlags->mUnderFlags);
  int32_t flags = modalFlags->GetFlags();
  if (flags & FlagMarkDirtyEachUpdate) MarkDirty();

  WidgetManager* manager = mWidgetManager;
  if (manager != nullptr) {
    // At most once per manager tick, however often the node is visited.
    if ((flags & FlagUpdate) && mLastWMUpdateCount != manager->mUpdateCnt) {
      mLastWMUpdateCount = manager->mUpdateCnt;
      Update();
    }
    ForEachChild([&](Widget* child) {
      if (child == manager->mBaseModalWidget) modalFlags->mIsOver = true;
      child->UpdateTree(modalFlags);
    });
  }
  modalFlags->mOverFlags = saved.mOverFlags;
  modalFlags->mUnderFlags = saved.mUnderFlags;
}

void WidgetContainer::UpdateSmoothTree(ModalFlags* modalFlags, double fraction) {
  ModalFlags saved = *modalFlags;
  modalFlags->mOverFlags = mWidgetFlagsMod.Apply(modalFlags->mOverFlags);
  modalFlags->mUnderFlags = mWidgetFlagsMod.Apply(modalFlags->mUnderFlags);
  int32_t flags = modalFlags->GetFlags();

  WidgetManager* manager = mWidgetManager;
  if (manager != nullptr) {
    if (flags & FlagUpdate) UpdateSmooth(fraction);
    ForEachChild([&](Widget* child) {
      if (child == manager->mBaseModalWidget) modalFlags->mIsOver = true;
      child->UpdateSmoothTree(modalFlags, fraction);
    });
  }
  modalFlags->mOverFlags = saved.mOverFlags;
  modalFlags->mUnderFlags = saved.mUnderFlags;
}

void WidgetContainer::DrawTree(ModalFlags* modalFlags, Graphics* g) {
  WidgetManager* manager = mWidgetManager;
  if (manager != nullptr && mPriority > manager->mMinDeferredOverlayPriority)
    manager->FlushDeferredOverlayWidgets(mPriority);

  ModalFlags saved = *modalFlags;
  modalFlags->mOverFlags = mWidgetFlagsMod.Apply(modalFlags->mOverFlags);
  modalFlags->mUnderFlags = mWidgetFlagsMod.Apply(modalFlags->mUnderFlags);
  int32_t flags = modalFlags->GetFlags();
  if (mClip && (flags & FlagClip)) g->ClipRect(0, 0, mWidth, mHeight);

  if (mWidgets.empty()) {
    if (flags & FlagDraw) Draw(g);
  } else {
    if (flags & FlagDraw) {
      g->PushState();
      Draw(g);
      g->PopState();
    }
    ForEachChild([&](Widget* child) {
      if (!child->mVisible) return;
      if (manager != nullptr && child == manager->mBaseModalWidget) modalFlags->mIsOver = true;
      Graphics childG(*g);
      childG.Translate(child->mX, child->mY);
      child->DrawTree(modalFlags, &childG);
      child->mDirty = false;
    });
  }
  modalFlags->mOverFlags = saved.mOverFlags;
  modalFlags->mUnderFlags = saved.mUnderFlags;
}

void WidgetContainer::NotifySysColorChangedTree() {
  OnSysColorChanged();
  ForEachChild([](Widget* child) { child->NotifySysColorChangedTree(); });
}

}  // namespace Plix
