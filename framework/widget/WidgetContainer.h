#pragma once
// A node of the widget tree: the ordered child list (drawing order, back to
// front), the rectangle, the dirty flag, the z-order and the flag modifiers.
// Widget and WidgetManager derive from it.
#include <cstdint>
#include <list>

#include "framework/graphics/Rect.h"

namespace Plix {

class Graphics;
class Widget;
class WidgetManager;

// The flag word handed down the tree in the update and draw passes.
enum WidgetFlags : int32_t {
  FlagUpdate = 0x01,
  FlagMarkDirtyEachUpdate = 0x02,
  FlagDraw = 0x04,
  FlagClip = 0x08,
  FlagAllowMouse = 0x10,
  FlagAllowFocus = 0x20,
};

// Applied to the flags at a node: (flags | add) & ~remove.
struct FlagsMod {
  int32_t mAddFlags = 0;
  int32_t mRemoveFlags = 0;

  constexpr int32_t Apply(int32_t flags) const { return (flags | mAddFlags) & ~mRemoveFlags; }
};

// The flags of one pass: widgets from the modal base on (in front of it)
// use the over flags, those behind it the under flags.
struct ModalFlags {
  int32_t mOverFlags = 0;
  int32_t mUnderFlags = 0;
  bool mIsOver = false;

  int32_t GetFlags() const { return mIsOver ? mOverFlags : mUnderFlags; }
};

class WidgetContainer {
public:
  using WidgetList = std::list<Widget*>;

  WidgetList mWidgets;  // not owned
  WidgetManager* mWidgetManager = nullptr;
  WidgetContainer* mParent = nullptr;
  int32_t mLastWMUpdateCount = 0;
  int32_t mUpdateCnt = 0;
  bool mDirty = false;
  int32_t mX = 0;
  int32_t mY = 0;
  int32_t mWidth = 0;
  int32_t mHeight = 0;
  // Marking it dirty also marks what lies behind it.
  bool mTranslucent = false;
  bool mClip = true;
  FlagsMod mWidgetFlagsMod;
  // Deferred overlays of lower priority are drawn before this node.
  int32_t mPriority = 0;
  int32_t mZOrder = 0;

  WidgetContainer() = default;
  virtual ~WidgetContainer();
  WidgetContainer(const WidgetContainer&) = delete;
  WidgetContainer& operator=(const WidgetContainer&) = delete;

  virtual Rect GetRect();
  // Half-open rectangles: touching edges do not overlap.
  virtual bool Intersects(WidgetContainer* other);
  virtual void AddWidget(Widget* widget);
  virtual void RemoveWidget(Widget* widget);
  virtual bool HasWidget(Widget* widget);
  virtual void DisableWidget(Widget* widget) {}
  virtual void RemoveAllWidgets(bool deleteWidgets = false, bool recursive = false);
  virtual void SetFocus(Widget* widget) {}
  // Whether a is met before b in a depth-first walk in child order.
  virtual bool IsBehind(Widget* a, Widget* b);
  virtual void MarkAllDirty();
  virtual void BringToFront(Widget* child);
  virtual void SendToBack(Widget* child);
  virtual void PlaceBehind(Widget* child, Widget* reference);
  virtual void PlaceInFront(Widget* child, Widget* reference);
  virtual Point GetAbsolutePosition();
  virtual void MarkChildAreaDirty(Widget* child);
  virtual void MarkDirty();
  virtual void MarkChildAreaDirtyFull(Widget* child);
  virtual void MarkDirtyWithOverlaps();
  virtual void OnAddedToManager(WidgetManager* manager);
  virtual void OnRemovedFromManager(WidgetManager* manager);
  virtual void Update();
  virtual void UpdateTree(ModalFlags* modalFlags);
  virtual void UpdateSmooth(double fraction) {}
  virtual void UpdateSmoothTree(ModalFlags* modalFlags, double fraction);
  virtual void Draw(Graphics* g) {}
  // Draws this node and its whole subtree, whatever the children's dirty flags.
  virtual void DrawTree(ModalFlags* modalFlags, Graphics* g);
  virtual void NotifySysColorChangedTree();
  virtual void OnSysColorChanged() {}

protected:
  // A walk over the children that survives children being removed or
  // reordered while it runs (a removal at the walk's position moves it on).
  // Every pass registers one; passes may nest.
  struct ChildWalk {
    WidgetList::iterator mPos;
    bool mModified = false;
    ChildWalk* mNext = nullptr;
  };
  ChildWalk* mWalks = nullptr;

  // Calls f on every child in list order through a registered walk.
  template <typename F>
  void ForEachChild(F f) {
    ChildWalk walk;
    walk.mPos = mWidgets.begin();
    WalkGuard guard(this, &walk);
    while (walk.mPos != mWidgets.end()) {
      walk.mModified = false;
      f(*walk.mPos);
      if (!walk.mModified) ++walk.mPos;
    }
  }

  struct WalkGuard {
    WidgetContainer* mOwner;
    ChildWalk* mWalk;
    WalkGuard(WidgetContainer* owner, ChildWalk* walk) : mOwner(owner), mWalk(walk) {
      walk->mNext = owner->mWalks;
      owner->mWalks = walk;
    }
    ~WalkGuard() { mOwner->mWalks = mWalk->mNext; }
  };

  // Moves every walk standing on the child past it, then unlinks it.
  void UnlinkChild(WidgetList::iterator it);
  // Insertion by z-order starting at a position (see the .cpp).
  void InsertByZOrder(Widget* widget, WidgetList::iterator start);
  WidgetList::iterator Find(Widget* widget);
};

}  // namespace Plix
