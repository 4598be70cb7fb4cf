#pragma once
// The shop floor of one day: the widget that runs a story day (mode 0) or a
// Happy Hour game (modes 1 to 3, easy, normal, hard). It owns everything on
// the floor (the heroine, the monkeys, the customers, the belt, the
// counter, the tables, the station buttons, the walk network, the day's
// stocks, the tutorials and the uncle) and drives them from its tick in one
// fixed order. Characters and stations never call each other: they go
// through the board's services below.
#include <memory>

#include "framework/graphics/Color.h"
#include "framework/widget/ButtonListener.h"
#include "game/app/Animation.h"
#include "game/app/Curve.h"
#include "game/app/FlyingItems.h"
#include "game/app/GameScreen.h"
#include "game/app/ObjectList.h"
#include "game/board/IceCream.h"
#include "game/board/BarMovementNode.h"
#include "game/board/EnvironmentFile.h"
#include "game/board/ItemHolder.h"

namespace Plix {

class AlphaButton;
class Board;
class ArrivalOrder;
class ArrivalSchedule;
class CookiesButton;
class Conveyor;
class Customer;
class CustomerFlow;
class CustomerManager;
class DDImage;
class EventSchedule;
class FlowCustomer;
class GameApp;
class Girl;
class Graphics;
class ICBoxButton;
class Image;
class InfoBalloon;
struct LevelRecord;
class LemonadeButton;
class Monkey;
class ServingMonkey;
class SoundInstance;
class Table;
class TrashStationButton;
class Tutorial;
class Uncle;
class WalkPath;
class ZObject;

// A banner over the floor: the goal, the expert goal, Happy Hour's game
// over.
struct BoardBanner {
  int mState = 0;  // 0 none, 1 growing, 2 holding, 3 fading, 4 done
  float mScale = 0;
  int mYOffset = 0;
  int mAlpha = 0;
  int mCounter = 0;

  // One tick of state 1: it fades in and grows to full size, moving down,
  // then holds.
  void Grow();
  // One tick of state 3: it fades out; true once it is done (state 4).
  bool FadeOut();
};

// A picture flashed over the floor, four slots taken in turn.
struct BoardNotice {
  Image* mImage = nullptr;
  int mCenterX = 0;
  float mTopY = 0;
  float mRiseSpeed = 0;
  int mCounter = 0;
  int mState = 0;  // 0 off, 1 fading in, 2 holding, 3 fading out
  int mAlpha = 0;
  Board* mBoard = nullptr;
  bool mRising = false;

  // One tick of the fade and rise.
  void Update();
  void Draw(Graphics& g);
};

// The reputation star or the golden ice cream flying into the HUD. The
// star keeps an alpha, the ice cream a speed.
struct BoardFlight {
  int mPhase = 0;  // 0 first leg, 1 second leg
  std::unique_ptr<Curve3D> mPath;
  float mT = 0;
  int mAlpha = 0;
  float mSpeed = 0;
};

// One of the six ice-cream boxes behind the counter.
struct IceCreamBox {
  int mFlavor = 0;  // 0 empty, else the scoop code 13..18
  float mX = 0;     // where the heroine stands for it on the bench path
  int mPortions = 0;
};

using FlyingIceCream = FlyingIceCreamOf<IceCream>;

class Board : public GameScreen, public ButtonListener, public SparklerCount {
public:
    static constexpr int kMoneyPopupCount = 16;
  static constexpr int kNoticeCount = 4;
  static constexpr int kAreaImageCount = 17;
  static constexpr int kOverlayCount = 15;

  // ---- Life, tick, pause and exit (Board.cpp) ----
  // Mode 0 story, 1..3 Happy Hour; day -1 is the profile's current day.
  Board(GameApp& app, int mode, int day);
  // Frees what it owns in a fixed order (the counter before the sounds).
  ~Board() override;
  Board(const Board&) = delete;
  Board& operator=(const Board&) = delete;

  // The day's set-up, then the fade-in.
  void OnAddedToManager(WidgetManager* manager) override;
  // One tick of the day, 100 a second.
  void Update() override;
  // Once a frame: the belt, things in the air and the characters' steps.
  void UpdateSmooth(double fraction) override;
  // Nesting: the day runs only while no pause is unmatched.
  void Pause() override;
  void Resume() override;
  // Looping sounds off, fade out to black with the result, music out.
  void ExitLevel(int result) override;
  // Once the fade-out is over: leaves the widget manager, books the day
  // into the profile and moves on to the next screen.
  void HandleFadeResult();
  int GetDay() const { return mDay; }
  int GetLevelIndex() const override { return mDay; }
  int GetMode() const { return mMode; }
  bool IsPaused() const { return mPauseDepth > 0; }

  // ---- Input (BoardInput.cpp) ----
  // Hover tracking over the stations, customers, tables and belt.
  void MouseMove(int x, int y) override;
  // Records the position and passes the drag to the balloon.
  void MouseDrag(int x, int y) override;
  // The click dispatch.
  void MouseDownButton(int x, int y, int button, int clickCount) override;
  // Balloon buttons, the game-menu button, then the hover again.
  void MouseUpButton(int x, int y, int button, int clickCount) override;
  // Balloon keys; Escape and "p" open the game menu.
  void KeyChar(wchar_t ch) override;
  // What a click at (x, y) does: balloon, stations, customers, belt. The
  // click count is signed, negative for the right button.
  void ClickAt(int x, int y, int clickCount);
  // A balloon button or key: closes it and advances the tutorial; true
  // when the input was used.
  bool HandleBalloonResult(int result);
  // The heroine has a fast-forward errand queued.
  bool IsFFButtonActionQueued();

  // ---- Station stocks and pictures (BoardStations.cpp) ----
  int GetBananaStock() const { return mBananas; }
  int GetAppleStock() const { return mApples; }
  int GetPearStock() const { return mPears; }
  int GetSuperBananaStock() const { return mSuperBananas; }
  // One fewer, not below 0, and the station's picture.
  void TakeBanana();
  void TakeApple();
  void TakePear();
  void TakeSuperBanana();
  // One more, and the station's picture.
  void ReturnApple();
  void ReturnPear();
  void ReturnSuperBanana();
  // The three cookie or lemonade stocks together.
  int GetCookieCount() const;
  int GetLemonadeCount() const;
  // One from the last non-empty stock: its product kind (cookies 9, 8, 7;
  // lemonade 6, 5, 4), 0 when all are empty.
  int TakeCookie();
  int TakeLemonade();
  int GetUmbrellaStock() const { return mUmbrellas; }
  int GetCocktailStickStock() const { return mCocktailSticks; }
  int GetStrawStock() const { return mStraws; }
  int GetSparklerStock() const { return mSparklers; }
  void TakeUmbrella();
  void TakeCocktailStick();
  void TakeStraw();
  void TakeSparkler();
  void ReturnUmbrella();
  void ReturnCocktailStick();
  void ReturnStraw();
  void ReturnSparkler();
  // The box button's picture from its record's flavour and portions.
  void UpdateIceCreamBoxButton(int index);
  void RefreshIceCreamBox(IceCreamBox* box);
  IceCreamBox* GetIceCreamBox(int index) { return &mIceCreamBoxes[index]; }
  // One more load on the trash station (at most 10); the new load.
  int FillTrashStation();
  // Story mode's next arrival, none once the schedule is used up.
  ArrivalOrder* GetCurrentArrivalOrder();
  void MarkNapkinHintSeen();
  // Builds every station button (once, from the constructor).
  void CreateStationButtons();

  // ---- Events, balloons and tutorial hooks (BoardEvents.cpp) ----
  // Speaker 0 the heroine, 1 the uncle; an owned balloon is deleted on
  // closing.
  void ShowBalloon(int speaker, InfoBalloon* balloon, bool owned, bool raised);
  void CloseBalloon();
  InfoBalloon* GetBalloon() const { return mBalloon; }
  // A character reports finished work to a waiting tutorial step.
  void OnTutorialGirlEvent(int kind, bool showOnly);
  void OnTutorialMonkeyEvent(int kind, bool showOnly);
  // Advances a customer step only for the customer it waits for.
  void OnTutorialCustomerEvent(Customer* customer);
  void ResetTutorialWait() { mTutorialWaitTicks = 0; }
  // Lessons queued on their occasion (or marked seen when tutorials are
  // off).
  void StartIGSpeedButtonTutorial();
  void StartIceCreamMachineTutorial(AlphaButton* boxButton);
  void StartGoldenIceCreamTutorial();
  void StartBonusTutorial(int x, int y);
  void SetTrashTutorialTable(Table* table);
  void RearmTrashHint(Table* table);
  void OnNapkinsNeeded(Table* table);
  void RearmNapkinHint(Table* table);
  void MarkProfileFlag(int flag);
  // Queues the new lesson unless its seen flag is set; with tutorials off
  // it only sets the flag. The board takes the lesson over either way.
  void OfferTutorial(Tutorial* tutorial);
  void DeleteTutorial(Tutorial* tutorial);
  Tutorial* GetTutorial() const { return mTutorial; }
  // A reputation star starts its flight into the HUD.
  void LaunchReputationStar();

  // ---- Day logic (BoardDayLogic.cpp) ----
  // The story and Happy Hour parts of the tick.
  void UpdateStoryLogic();
  void UpdateHappyHourLogic();
  // Once a second: the crowd schedule's next unlock.
  void UpdateHappyHourUnlocks();
  // The end of the day once the shop is empty.
  void CheckDayEnd();
  // The running machine counts down to finished.
  void UpdateIceCreamMachine();
  void AddArrivalDelay(int seconds);
  // A Happy Hour customer left angry: one life fewer.
  void LoseHappyHourCustomer();
  void CollectHappyHourPayment(IceCream* item, FlowCustomer* customer);
  // Sparkles burst from a station that has just been unlocked.
  void SparkleButton(AlphaButton* button);
  // Portions of one machine run.
  int GetIceCreamBatchSize();

  // ---- Story and Happy Hour set-up (BoardSetup.cpp) ----
  void SetUpStoryDay();
  // The day's lessons the player has not seen, in the order they run.
  void QueueStoryLessons(const LevelRecord& level);
  void SetUpHappyHour();

  // ---- Environment (BoardEnvironment.cpp) ----
  static constexpr const char* kCouldNotLoadEnvironment = "Could not load environment!";
  // A floor layout that cannot be used: the player is told, and the day is
  // left once it has started.
  void RefuseFloor(const std::string& file, const std::string& why);
  // Reads a floor layout and builds it. False, after the popup "Could not
  // load environment!", when the file cannot be opened or breaks a limit of
  // the layout: nothing on the board changes, and once the day has started
  // it is left again (IsFloorMissing).
  bool LoadEnvironment(const char* fileName);
  // The area's resource group and pictures.
  void LoadAreaResources();
  // The picture sizes the walk nodes are placed by.
  EnvironmentSizes GetEnvironmentSizes() const;
  // The day's floor could not be loaded: the set-up leaves the day at once,
  // through the game menu's quit, so the profile keeps everything.
  bool IsFloorMissing() const { return mFloorMissing; }

  // ---- Floor paths and draw list (BoardFloor.cpp) ----
  // The fixed counter and bench paths (once, from the constructor).
  void BuildWalkPaths();
  // Keeps the draw list ascending by base line; equal lines keep their
  // order.
  void AddToDrawList(ZObject* object);
  void RemoveFromDrawList(ZObject* object);
  void DrawDrawList(Graphics& g);
  // Walk nodes, draw list, tables and area pictures go before a layout is
  // loaded.
  void ClearFloor();
  void DeleteWalkNodes();
  Color GetShadowColor() const { return mShadowColor; }
  // After a display-mode change: the back image drops or takes its
  // display surface.
  void UpdateBackImageSurface() override;
  WalkPath* GetCounterWalkPath() const { return mCounterPath.get(); }
  WalkPath* GetBenchWalkPath() const { return mBenchPath.get(); }

  // ---- Walk network (BoardWalk.cpp) ----
  // The first node of that kind in table order; none after an empty slot.
  BarMovementNode* FindNodeByKind(int kind);
  BarMovementNode* FindNodeForObject(void* object);
  // A new path over the shortest route, owned by the caller; none when
  // there is no route.
  WalkPath* BuildWalkPath(BarMovementNode* from, BarMovementNode* to);

  // ---- Orders (BoardOrders.cpp) ----
  // A story customer's wish from the day's level record and the table's
  // appeal.
  IceCream ChooseOrder(int value, Table* table, bool pickSize);
  // The Happy Hour twin, from the game's progress.
  IceCream ChooseHappyHourOrder();

  // ---- Payment, score, trophies, belt and machine services
  // (BoardPayment.cpp) ----
  void AddScore(int points);
  void AddMoney(int amount);
  void AddTableMoney(int amount);
  void CollectPayment(Customer* customer);
  void CheckHappyMonkeysTrophy();
  void CheckEntertainmentTrophy(int tier);
  void CheckWonderfulIceCreamsTrophy();
  void CheckSpecialServingsTrophy(int tier);
  void CheckFastDeliveryTrophy(int seconds);
  void AddTrashUse() { ++mTrashUses; }
  Girl* GetGirl() const { return mGirl.get(); }
  CustomerManager* GetCustomerManager() const { return mCustomerManager.get(); }
  CustomerFlow* GetCustomerFlow() const { return mCustomerFlow.get(); }
  Monkey* GetMonkey() const { return mMonkey.get(); }
  ServingMonkey* GetServingMonkey() const { return mServingMonkey.get(); }
  Conveyor* GetConveyor() const { return mConveyor.get(); }
  ItemHolder* GetCounter() { return &mCounter; }
  ObjectList& GetTables() { return mTables; }
  double GetCherriesStationX() const;
  double GetSprinklesStationX() const;
  double GetChocolateSauceStationX() const;
  // 0 in story mode, else 1..3.
  int GetHappyHourDifficulty() const { return mMode; }
  // The day's napkin level.
  int GetLevelWMode() const { return mLevelModeWord; }
  // A running tutorial holds the customers' waiting time.
  bool AreCustomersHeld() const;
  void SetServingMonkeyDone() { mServingMonkeyDone = true; }
  bool ServingMonkeyNotWaiting();
  bool CanTakeCounterTray();
  bool IsTreatFlying() const { return mThrownTreat != nullptr; }
  // Marks the customers whose order waits on the counter or the tray.
  void MarkCustomersWithReadyOrders();
  // Throws a monkey treat (31..34) from (x, y), one at a time.
  void ThrowTreat(int code, int x, int y);
  int GetIceCreamMachineState() const { return mMachineState; }
  int GetIceCreamMachineIngredient() const { return mMachineIngredient; }
  void SetIceCreamMachineIngredient(int code) { mMachineIngredient = code; }
  void SetIceCreamMachineLoaded() { mMachineState = 1; }
  void StartIceCreamMachine();
  void ResetIceCreamMachine();
  // An item leaving the belt for the serving monkey; true once when his
  // errand is done.
  bool OfferToServingMonkey(IceCream* item, int x, int y, int serial);
  // A flying copy of the item to the trash station or to a customer.
  void ThrowToTrash(IceCream* item, float x, float y);
  void ThrowItem(IceCream* item, FlightTarget* target, float x, float y);
  // The heroine picked up a bonus item (8..12).
  void ApplyBonusItem(int kind);

  // ---- Drawing (BoardDraw.cpp) ----
  void Draw(Graphics* g) override;
  // "Paused" and the darkening while the application is inactive.
  void DrawOverlay(Graphics* g) override;
  void DrawButtonList0(Graphics& g);
  void DrawButtonList1(Graphics& g);
  void DrawThrownTreat(Graphics& g);
  void DrawFlyingIceCreams(Graphics& g);
  void DrawCustomerFlow(Graphics& g);
  void DrawOverlayDecorations(Graphics& g);
  void DrawIceCreamMachine(Graphics& g);
  void DrawBanner(Graphics& g, const BoardBanner& banner, Image* image);

  // ---- HUD and station indicators (BoardHud.cpp) ----
  void UpdateStoryHud();
  void UpdateHappyHourHud();
  void DrawStoryHud(Graphics& g);
  void DrawHappyHourHud(Graphics& g);
  // The topping stations look active while the heroine holds the topping.
  void ActivateCherriesButton();
  void DeactivateCherriesButton();
  void ActivateChocolateSauceButton();
  void DeactivateChocolateSauceButton();
  void ActivateSprinklesButton();
  void DeactivateSprinklesButton();
  void HideJugglingButton();
  void ShowJugglingButton();
  void HideBarrelOrganButton();
  void ShowBarrelOrganButton();
  // One pending click fewer at the station a finished errand served.
  void DecrementGirlPendingClicks(int kind, void* target);
  void DecrementMonkeyPendingClicks(int kind, Table* table);

  // ---- Flights and notices (BoardFlights.cpp) ----
  void UpdateThrownTreat(float dt);
  void UpdateFlyingIceCreams(float dt);
  void UpdateFlyingStar();
  void StartGoldenIceCreamFlight(float x, float y);
  void LandGoldenIceCream();
  // A passed day is booked: what the helpers still hold out of a stock goes
  // back to it.
  void ReturnHeldStock();
  // Books a reputation star and a golden ice cream still in the air into
  // the profile; whether there was any.
  bool BookFlightsUnderWay();
  void UpdateGoldenIceCreamFlight();
  void DrawFlyingStar(Graphics& g);
  void DrawGoldenIceCreamFlight(Graphics& g);
  void ShowNotice(Image* image, int centerX, int centerY, bool rising);
  // The looping sparkler sound plays while a sparkler is in play.
  void OnSparklerAdded() override;
  void OnSparklerRemoved() override;
  int GetSparklersInPlay() const { return mSparklersInPlay; }
  // Six smoke particles at the trash station.
  void SpawnTrashPuff();

  // The station buttons, for the set-ups, the input and the tests.
  AlphaButton* GetMenuButton() const { return mMenuButton.get(); }
  AlphaButton* GetMachineButton() const { return mMachineButton.get(); }
  TrashStationButton* GetTrashStationButton() const { return mTrashStationButton.get(); }
  ObjectList& GetButtonList(int i) { return mButtonLists[i]; }

  // ---- Fields, in the order of the board's record ----
  float mIntroCountdown = 100.0f;
  float mMenuSlideX = -100.0f;
  float mMenuSlideY = -25.0f;
  int mShakeCount = 0;
  float mShakeAngle = 0;
  float mShakeTimer = 0;
  int mClosedSignPos = 0;
  BoardBanner mGoalBanner;
  BoardBanner mExpertBanner;
  BoardBanner mGameOverBanner;
  Animation mBigStar;
  Animation mMediumStar;
  Animation mSmallStar;
  BoardNotice mNotices[kNoticeCount];
  int mNextNotice = 0;
  BoardFlight mFlyingStar;
  BoardFlight mFlyingGoldenIceCream;
  int mPauseDepth = 0;
  InfoBalloon* mBalloon = nullptr;
  int mBalloonSpeaker = 0;
  bool mBalloonOwned = false;
  Tutorial* mTutorial = nullptr;        // owned
  ObjectList mQueuedTutorials;          // of owned Tutorial
  Table* mTrashTutorialTable = nullptr;
  Table* mNapkinTutorialTable = nullptr;
  int mTutorialWaitTicks = 0;
  float mTutorialClock = 0;
  int mFastForwardClicks = 0;
  std::unique_ptr<Uncle> mUncle;
  int mMode;
  GameApp& mApp;
  std::unique_ptr<CustomerManager> mCustomerManager;
  std::unique_ptr<CustomerFlow> mCustomerFlow;
  std::unique_ptr<Girl> mGirl;
  std::unique_ptr<Monkey> mMonkey;
  std::unique_ptr<ServingMonkey> mServingMonkey;
  ObjectList mTables;  // of owned Table
  std::unique_ptr<Conveyor> mConveyor;
  ItemHolder mCounter;
  std::unique_ptr<WalkPath> mCounterPath;
  std::unique_ptr<WalkPath> mBenchPath;
  IceCreamBox mIceCreamBoxes[6];
  BarMovementNode* mWalkNodes[kMaxWalkNodes] = {};  // owned
  std::unique_ptr<FlyingFruit> mThrownTreat;
  ObjectList mFlyingIceCreams;  // of owned FlyingIceCream
  int mArea = 0;
  std::unique_ptr<DDImage> mBackImage;
  Color mShadowColor{0, 0, 0, 64};
  float mPatienceFactor = 1.0f;
  Image* mAreaBackground = nullptr;
  Image* mAreaImages[kAreaImageCount] = {};
  int mAreaImageModes[kAreaImageCount] = {};
  BarMovementNode* mOverlayDecorations[kOverlayCount] = {};
  int mOverlayCount = 0;
  MoneyPopup mMoneyPopups[kMoneyPopupCount];
  int mNextMoneyPopup = 0;
  SoundInstance* mSparklerSound = nullptr;
  int mSparklersInPlay = 0;
  SoundInstance* mMachineSound = nullptr;
  int mMachineState = 0;
  int mMachineIngredient = 0;
  int mMachineTicksLeft = 0;
  int mMachineAnimation[4] = {};  // x, y, ticks, length
  Image* mMachineHandleImage = nullptr;
  Image* mMachineBoxImage = nullptr;
  Image* mMachineLampImage = nullptr;
  int mMachinePartPoints[2][2] = {};  // handle-and-box (x, y), lamp (x, y)
  int mMachineLampAlpha = 0;
  int mMachineLampStep = 0;
  int mBananas = 0;
  int mApples = 0;
  int mPears = 0;
  int mSuperBananas = 0;
  int mCookies[3] = {};
  int mLemonades[3] = {};
  int mJugglingLevel = 0;
  int mOrganLevel = 0;
  int mMachineLevel = 0;
  std::unique_ptr<EventSchedule> mCrowdSchedule;
  int mFlavorsUnlocked = 0;
  int mValueLevel = 0;
  int mToppingsUnlocked = 0;
  int mArrivalSpacing = 0;
  int mCustomerKinds = 0;
  int mTicksToNextArrival = 0;
  int mSpecialsUnlocked = 0;
  int mHoldersUnlocked = 0;
  int mUmbrellas = 0;
  int mCocktailSticks = 0;
  int mStraws = 0;
  int mSparklers = 0;
  std::unique_ptr<ArrivalSchedule> mArrivalSchedule;
  int mSeconds = 0;
  int mSecondTicks = 0;
  int mTickCount = 0;
  int mLevelModeWord = 0;
  int mDay = 0;
  bool mReplay = false;
  int mMoney = 0;
  int mTips = 0;
  int mGoal = 0;
  int mExpertGoal = 0;
  int mShownMoney = 0;
  int mShownMoneyTarget = 0;
  int mMoneyCountDelay = 0;
  int mGoldenIceCreams = 0;
  int mTrashUses = 0;
  int mGoldenIceCreamProgress = 0;
  int mNapkinNeeds = 0;
  int mTrashStationX = 0;
  int mTrashStationY = 0;
  ObjectList mDecorations;  // of owned ZObject
  ObjectList mDrawList;
  std::unique_ptr<ICBoxButton> mIceCreamBoxButtons[6];
  std::unique_ptr<AlphaButton> mTrashcanButton;
  std::unique_ptr<TrashStationButton> mTrashStationButton;
  bool mServingMonkeyCalled = false;
  bool mServingMonkeyDone = false;
  std::unique_ptr<AlphaButton> mDishButton;
  std::unique_ptr<AlphaButton> mMachineButton;
  std::unique_ptr<AlphaButton> mFastForwardButton;
  std::unique_ptr<AlphaButton> mFreezerButtons[4];
  std::unique_ptr<AlphaButton> mConeMachineButton;
  std::unique_ptr<AlphaButton> mCupMachineButton;
  std::unique_ptr<AlphaButton> mPlateMachineButton;
  std::unique_ptr<AlphaButton> mFlavorButtons[5];
  std::unique_ptr<AlphaButton> mCherriesButton;
  std::unique_ptr<AlphaButton> mSprinklesButton;
  std::unique_ptr<AlphaButton> mChocolateSauceButton;
  std::unique_ptr<AlphaButton> mUmbrellaButton;
  std::unique_ptr<AlphaButton> mCocktailStickButton;
  std::unique_ptr<AlphaButton> mStrawButton;
  std::unique_ptr<AlphaButton> mSparklerButton;
  std::unique_ptr<AlphaButton> mBananaButton;
  std::unique_ptr<AlphaButton> mAppleButton;
  std::unique_ptr<AlphaButton> mPearButton;
  std::unique_ptr<AlphaButton> mSuperBananaButton;
  std::unique_ptr<AlphaButton> mNapkinsButton;
  std::unique_ptr<CookiesButton> mCookiesButton;
  std::unique_ptr<LemonadeButton> mLemonadeButtons[3];
  std::unique_ptr<AlphaButton> mJugglingButton;
  std::unique_ptr<AlphaButton> mOrganButton;
  std::unique_ptr<AlphaButton> mMenuButton;
  ObjectList mButtonLists[3];  // of AlphaButton, not owned
  AlphaButton* mHoverButton = nullptr;
  void* mHoverTarget = nullptr;  // a customer or a table
  // The belt item under the mouse, by its container's serial: the belt
  // deletes containers in the frame step, between two looks by the tick.
  int mHoverConveyorSerial = 0;
  IceCream* GetHoverConveyorItem() const;
  int mMouseX = 0;
  int mMouseY = 0;
  int mStoryDayFlags[12] = {};
  int mPendingTrophy2Grade = 0;
  int mPendingTrophy6Grade = 0;
  // Set once ExitLevel has started the day's fade-out.
  bool mDayClosed = false;
  int mNextHiscore = 0;
  int mHiscorePlace = 0;
  int mLivesLeft = 0;
  bool mAwardGiven = false;
  bool mTrashHintRearmedToday = false;
  bool mNapkinHintRearmedToday = false;

private:
  // The current player's profile.
  PlayerProfile& Profile();
  // The hovered button loses its highlight and is forgotten.
  void DropHoverButton();
  bool TutorialHoldsFloor() const;
  // The running tutorial's next step; a finished one is deleted.
  void AdvanceTutorial();
  void DestroyStationButtons();
  // The story day's arrival schedule is not used up.
  bool ScheduleRunning() const;
  // A trophy grade just counted: the award visit when it beats the
  // recorded grade and no lesson runs or waits.
  void AwardTrophy(int trophy, int grade);
  // The cookie jar and the lemonade bottles show the last non-empty stock.
  void ShowCookies();
  void ShowLemonade();
  // The treat stations and the decoration mugs show their stocks; an empty
  // mug is put away.
  void ShowTreats();
  void ShowMugs();
  void UpdateEntrance();
  void UpdateShake();
  void StartQueuedTutorial();
  void UpdateBalloon();
  void UpdateRunningTutorial();
  void UpdateConveyorHover();
  void UpdateTrophyHandOver(int& pendingGrade, int trophy, float dayShare);
  // The story logic's steps: the two goal banners with their stars, and
  // the trash and napkin hints once both helpers are free.
  void UpdateGoalBanner();
  void UpdateExpertBanner();
  void UpdateHintTriggers();
  void AddStar(Animation& star, int x, int y);
  // The day's books for results 1 and 2.
  void CloseSucceededDay(PlayerProfile& profile);
  void CloseFailedDay(PlayerProfile& profile);
  // Top score and stored score rise with today's money; the stored score
  // before.
  int RaiseDayScores(PlayerProfile& profile);
  void WriteStocksBack(PlayerProfile& profile);
  // Circus offers and the store's new-item marks after a story day.
  void RefreshShopsAfterDay(PlayerProfile& profile);

  // The environment reader's steps: the records on the floor, one
  // decoration, the tables dressed from the player's purchases.
  void BuildFloor(const EnvironmentLayout& layout);
  void PlaceDecoration(int area, const EnvironmentRecord& record, BarMovementNode* node, Graphics& g);
  void DressTables();

  // Set once the fade-out's result has been acted on: the board has left
  // the screen and waits for its deletion.
  bool mHandedOver = false;
  // The day's trash and napkin trophies, counted on the first pass of the
  // day's end and handed over one visit at a time.
  bool mDayEndTrophiesCounted = false;
  int mDayEndTrashGrade = 0;
  int mDayEndNapkinGrade = 0;
  bool mFloorMissing = false;
  // Only when there is no current player.
  std::unique_ptr<PlayerProfile> mNoPlayer;
};

}  // namespace Plix
