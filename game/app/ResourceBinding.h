#pragma once
// Binding a loaded resource group: every IMAGE_, SOUND_ and FONT_ variable
// of the game is filled from the resource manager right after its group
// has loaded. The variables and the twenty Bind<Group>Resources functions
// are generated from the manifest into "game/app/GameResources.h"; this is
// the one routine they all share.
#include <cstddef>
#include <span>
#include <string>

namespace Plix {

class Font;
class Image;
class ResourceManager;

// One resource of a group and the variable it goes to: exactly one of the
// three variable pointers is set.
struct ResourceBinding {
  const char* mId;
  Image** mImage;
  int* mSound;
  Font** mFont;
};

// Takes the resources in table order and stores each in its variable; stops
// at the first one the manager cannot deliver and returns false (the
// manager's error text then names it, unless an earlier error is still
// recorded). Loads nothing.
bool BindResources(ResourceManager* manager, std::span<const ResourceBinding> table);

// Sets every variable of the table back to null (sounds to 0): for a group
// that is freed or failed, so that no handle points at a deleted resource.
void ClearResources(std::span<const ResourceBinding> table);

// The table of a group, in binding order; empty for a group the game does
// not bind.
std::span<const ResourceBinding> GetGroupBindings(const std::string& group);
// Every group the game binds, by name.
std::span<const char* const> GetBoundGroups();

// Clears the variables of a group that has just been freed; an empty name
// (every group freed at once) clears them all. The resource manager calls
// it on every free, so no handle outlives what it points at.
void ClearFreedGroupHandles(const std::string& group);

}  // namespace Plix
