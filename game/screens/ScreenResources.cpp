#include "game/screens/ScreenResources.h"

#include "framework/app/PlixAppBase.h"
#include "framework/platform/DebugOutput.h"
#include "framework/platform/WinMessages.h"
#include "framework/resources/ResourceManager.h"

namespace Plix {

bool LoadAndBindGroup(PlixAppBase& app, const std::string& group, std::span<const ResourceBinding> table) {
  ResourceManager* resources = app.mAppResources;
  if (!resources) return false;
  if (resources->LoadResources(group) && BindResources(resources, table)) return true;
  std::string why = resources->GetErrorText();
  if (why.empty()) why = "a resource could not be delivered";
  const std::string text = "The resources \"" + group + "\" could not be loaded: " + why;
  TellPlayer(text);
  // What did load goes again; nothing keeps pointing at it.
  resources->FreeGroup(group);
  ClearResources(table);
  app.ShowMessageBox(text, app.mProductTitle, MB_OK | MB_ICONERROR);
  return false;
}

bool LoadAndBindGroup(PlixAppBase& app, const std::string& group) {
  return LoadAndBindGroup(app, group, GetGroupBindings(group));
}

void FreeGroupAndHandles(PlixAppBase& app, const std::string& group) {
  // The manager's handler (installed by the game) clears the group's
  // handles as it frees it.
  ResourceManager* resources = app.mAppResources;
  if (resources && resources->IsGroupReady(group)) resources->FreeGroup(group);
}

}  // namespace Plix
