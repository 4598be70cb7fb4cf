#pragma once
// The resource groups that screens and dialogs own: loaded and bound when
// they are made, freed when they go. A group that fails to load or bind is
// reported with a message, freed, and its handles cleared, so that nothing
// draws from half-loaded or deleted resources; freeing clears them too.
#include <span>
#include <string>

#include "game/app/ResourceBinding.h"

namespace Plix {

class PlixAppBase;

// Loads the group through the application's resource manager and binds the
// table; false after the message.
bool LoadAndBindGroup(PlixAppBase& app, const std::string& group, std::span<const ResourceBinding> table);
// The same with the group's generated table.
bool LoadAndBindGroup(PlixAppBase& app, const std::string& group);
// Frees the group when it is loaded; its handles are cleared by the
// resource manager's group-freed handler.
void FreeGroupAndHandles(PlixAppBase& app, const std::string& group);

}  // namespace Plix
