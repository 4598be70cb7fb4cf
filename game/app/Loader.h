#pragma once
// The loading screen: a backdrop and a bar that fills as the loading thread
// counts resources. The thread never touches the widget: the loader's own
// update compares the progress with what it drew last and repaints.
#include "framework/widget/ButtonListener.h"
#include "framework/widget/Widget.h"

namespace Plix {

class GameScreens;
class ResourceManager;

class Loader : public Widget, public ButtonListener {
public:
  explicit Loader(GameScreens& app);
  // Frees the group "Loading": its images are only for this screen.
  ~Loader() override;

  void Update() override;
  void Draw(Graphics* g) override;

  // The width of the bar part shown for the current progress.
  int GetBarWidth();

private:
  GameScreens& mApp;
  // Kept apart: the loader may be deleted after the screens are gone.
  ResourceManager* mResources;
  int mDrawnBarWidth = -1;
};

}  // namespace Plix
