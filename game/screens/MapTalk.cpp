// Who speaks to Pemi when the map comes up, and what follows a balloon.
#include <iterator>

#include "framework/sound/MusicInterface.h"
#include "game/app/GameApp.h"
#include "game/app/InfoBalloon.h"
#include "game/screens/Map.h"

namespace Plix {

namespace {

enum Speaker { kPemi = 1, kSalesPerson = 2, kUncle = 3, kCircusKeeper = 4 };

struct Talk {
  int flag;  // -1: remembered by no flag
  int speaker;
  const wchar_t* pages[2];
  const wchar_t* button;
};

const Talk kArrivalTalk{-1, kPemi,
                    {L"Ah, I'm finally here, at the most beautiful place in the whole world!",
                     L"My uncle owns this entire island, and it's a paradise for ice cream lovers."},
                    L"OK"};
const Talk kInvitationTalk{-1, kUncle,
                       {L"So, Pemi, you've arrived for your vacation at last? How wonderful, how wonderful ...",
                        L"But before you make up any big holiday plans, could you please pay me a little visit?"},
                       L"Sure"};
const Talk kDay7{37, kUncle,
                 {L"I hope you've enjoyed working in the calm park, dearest Pemi!",
                  L"The customers at the zoo may be a bit more demanding, I'm afraid!"},
                 L"No problem"};
const Talk kDay14{38, kUncle,
                  {L"It's time for you to move on to the ancient ruins of Zad Arivi Davezo, Pemi!",
                   L"The weather is warmer now, but you'll be fine, right?"},
                  L"Sure"};
const Talk kDay22{39, kUncle,
                  {L"I'm sure you've had enough of dust and old statues, dear Pemi!",
                   L"The amusement park is waiting for you, so ... watch out for the kids!"},
                  L"Alright"};
const Talk kDay31{40, kUncle,
                  {L"The temperature is rising, Pemi, and many tourists spend hours upon hours by the sea!",
                   L"The beach awaits you, and it'll be your biggest challenge so far, trust me!"},
                  L"OK"};
const Talk kDay41{41, kUncle,
                  {L"Excellent, Pemi, excellent! But I'm afraid the REAL work begins here and now!",
                   L"Even I can get fed up with the tourists at my hotel sometimes!"},
                  L"No problem"};
const Talk kHotelOpen{36, kUncle, {L"Pemi! My hotel is open whenever you want to come and see your trophies!"}, L"OK"};
const Talk kSaveHintTalk{33, kUncle,
                         {L"Your progress is saved whenever you leave the game.",
                          L"Click on the Story Mode button in the main menu to continue the game next time."},
                         L"Great"};
const Talk kStoreOpen{
    34, kSalesPerson, {L"Pemi, my store is finally open! Click on the store if there's anything you need!"}, L"OK"};
const Talk kCircusOpen{
    35, kCircusKeeper, {L"Hello there, Pemi! The circus training center for your monkeys is open now!"}, L"Great"};
const Talk kMelody{61, kCircusKeeper, {L"Hello, I can teach Vurez a new melody if you like!"}, L"OK"};
const Talk kJuggling{62, kCircusKeeper, {L"Hi Pemi, I've got a new set of juggling balls for Vurez!"}, L"OK"};
const Talk kFourBalls{
    63, kCircusKeeper, {L"Pemi, I can finally teach Vurez to juggle with four balls, if you like!"}, L"OK"};
const Talk kOutstandingMelody{
    64, kCircusKeeper, {L"Hey Pemi, I've got a new outstanding melody to teach Vurez!"}, L"OK"};

// The news by day: the talk and the rule to go on at when it was shown.
struct News {
  int day;
  Talk talk;
  int next;
};
const News kNews[] = {
    {8, {51, kSalesPerson, {L"Hi, Pemi! If you're tired of napkins, I think I've got a solution for you!"}, L"OK"}, 8},
    {11, {52, kSalesPerson, {L"Pemi, I now sell bigger ice cream boxes! Drop by any time!"}, L"OK"}, 8},
    {10, {53, kSalesPerson, {L"Hey Pemi, how about some nice lemonade for your customers?"}, L"OK"}, 8},
    {13, {54, kSalesPerson, {L"Good news! I've got some new flowers for your tables!"}, L"OK"}, 8},
    {27, {55, kSalesPerson, {L"Pemi, I just received some outstanding cookies!"}, L"OK"}, 6},
    {24, {57, kSalesPerson, {L"Wow, this new ice cream machine ... you've got to see it, Pemi!"}, L"OK"}, 6},
    {41, {56, kSalesPerson, {L"Have you heard about Tropical Lemonade? Come in and see!"}, L"OK"}, 5},
    {12, {59, kCircusKeeper, {L"Pemi, I've got perfect apples for your monkeys now!"}, L"OK"}, 8},
    {16, {58, kCircusKeeper, {L"Hi Pemi! I just received a barrel organ made for monkeys!"}, L"OK"}, 8},
    {26, {60, kCircusKeeper, {L"Pemi, you'd better drop by and have a look at this new fruit!"}, L"OK"}, 6},
};

// Days whose new goods only make the store glow, and their flags.
constexpr int kGlowDays[][2] = {{5, 42}, {9, 43}, {14, 44}, {17, 45}, {21, 46}, {25, 47}, {31, 48}, {32, 49}, {35, 50}};

int PageCount(const Talk& talk) { return talk.pages[1] ? 2 : 1; }

}  // namespace

void Map::Say(int id, int speaker, const wchar_t* const* pages, int pageCount, const wchar_t* button, int delay) {
  delete mBalloon;
  mBalloon = new InfoBalloon(id, InfoBalloon::kWide);
  for (int i = 0; i < pageCount; ++i) mBalloon->AddPage(pages[i]);
  mBalloon->SetYesText(button);
  mBalloon->UseNewFeatureSound();
  if (delay > 0) mBalloon->SetDelay(delay);
  mBalloon->SetSpeaker(speaker);
  static constexpr int kPlaces[5][3] = {{0, 0, 0}, {2, 252, 469}, {2, 132, 376}, {2, 442, 256}, {3, 647, 191}};
  mBalloon->Place(kPlaces[speaker][0], kPlaces[speaker][1], kPlaces[speaker][2]);
  mBalloon->LayoutPage();
}

void Map::DecideTalk() {
  PlayerProfile& player = Player();
  const int day = GetDaysCompleted() + 1;
  // Shows the talk once: false when its flag says it was shown.
  auto say = [&](const Talk& talk, int id = 0, int delay = 50) {
    if (talk.flag >= 0) {
      if (player.GetFlag(talk.flag)) return false;
      player.SetFlag(talk.flag, true);
    }
    Say(id, talk.speaker, talk.pages, PageCount(talk), talk.button, delay);
    if (talk.speaker == kSalesPerson) mStoreNews = true;
    if (talk.speaker == kCircusKeeper) mCircusNews = true;
    return true;
  };

  int rule = 0;
  bool glowDay = false;
  for (const auto& [glow, flag] : kGlowDays) {
    if (day != glow) continue;
    glowDay = true;
    if (!player.GetFlag(flag)) {
      player.SetFlag(flag, true);
      mStoreNews = true;
    }
  }
  if (glowDay) {
    if (day == 14 && say(kDay14)) return;
    if (day == 31 && say(kDay31)) return;
    rule = 2;
  } else if (day == 1) {
    if (!player.GetFlag(65)) {
      say(kArrivalTalk, kArrival);
      return;
    }
    rule = 8;
  } else if (day == 7 || day == 22 || day == 41) {
    if (say(day == 7 ? kDay7 : day == 22 ? kDay22 : kDay41)) return;
    rule = 2;
  } else {
    rule = day >= 4 ? 2 : 3;
  }

  if (rule == 2) {
    if (say(kStoreOpen)) return;
    rule = 3;
  }
  if (rule == 3) {
    if (day >= 9 && say(kCircusOpen)) return;
    rule = 4;
  }
  if (rule == 4) {
    rule = day >= 30 ? 5 : day >= 23 ? 6 : 7;
    for (const News& news : kNews) {
      if (news.day != day) continue;
      if (say(news.talk)) return;
      rule = news.next;
    }
  }
  if (rule == 5) {
    if (player.GetMelodyLevel() == 1 && say(kMelody)) return;
    rule = day >= 23 ? 6 : 7;
  }
  if (rule == 6) {
    if (player.GetJugglingLevel() == 1 && say(kJuggling)) return;
    rule = 7;
  }
  if (rule == 7) {
    if (day >= 36 && player.GetJugglingLevel() == 2 && say(kFourBalls)) return;
    if (day == 44 && say(kOutstandingMelody)) return;
  }
  if (mHotelOpen && say(kHotelOpen)) mHotelNews = true;
}

void Map::ShowSaveHint() {
  Player().SetFlag(kSaveHintTalk.flag, true);
  Say(kSaveHint, kSaveHintTalk.speaker, kSaveHintTalk.pages, PageCount(kSaveHintTalk), kSaveHintTalk.button, 0);
}

bool Map::OnBalloonResult(int result) {
  if (result <= 1 || !mBalloon) return false;
  const int id = mBalloon->GetId();
  delete mBalloon;
  mBalloon = nullptr;
  if (id == kArrival) {
    Say(kInvitation, kInvitationTalk.speaker, kInvitationTalk.pages, 2, kInvitationTalk.button, 100);
  } else if (id == kSaveHint) {
    LeaveWith(kResultMainMenu);
  } else if (id == kInvitation) {
    mApp.StartFadeOut(kResultHotel, 0, 0, 0, 255, 10, 5);
    if (mApp.mMusicOutput) mApp.mMusicOutput->FadeOut(0, true, 0.02);
    StartZoomIn(378, 306);
  }
  return false;
}

}  // namespace Plix
