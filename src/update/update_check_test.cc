#include "update/update_check.h"

#include <gtest/gtest.h>

namespace rondix {
namespace {

constexpr int32_t kNow = 1'700'000'000;
constexpr int32_t kDay = 86400;

TEST(UpdateIntervalTest, DaysPerRange) {
  const int expected[] = {1, 7, 30, 90, 180};
  for (int range = 0; range < 5; ++range) EXPECT_EQ(UpdateIntervalDays(range), expected[range]);
  for (int range : {5, 6, 9, -1, 1000}) EXPECT_EQ(UpdateIntervalDays(range), 30) << range;
}

TEST(ScheduledCheckTest, AsksOnlyWhenStrictlyDueAndThenStampsTheDate) {
  struct Case {
    const char* name;
    int32_t range;
    int32_t lastCheck;
    bool asks;
  } cases[] = {
      {"never", 5, 0, false},
      {"never, long ago", 5, kNow - 1000 * kDay, false},
      {"daily, exactly one day", 0, kNow - kDay, false},
      {"daily, a second more", 0, kNow - kDay - 1, true},
      {"weekly, 8 days", 1, kNow - 8 * kDay, true},
      {"weekly, 6 days", 1, kNow - 6 * kDay, false},
      {"monthly, 31 days", 2, kNow - 31 * kDay, true},
      {"quarterly, 89 days", 3, kNow - 89 * kDay, false},
      {"half-yearly, 181 days", 4, kNow - 181 * kDay, true},
      {"outside the vocabulary counts 30 days: 29", 9, kNow - 29 * kDay, false},
      {"outside the vocabulary counts 30 days: 31", 9, kNow - 31 * kDay, true},
      {"date in the future", 0, kNow + kDay, false},
      {"oldest date", 0, INT32_MIN, true},
  };
  for (const Case& c : cases) {
    SettingsStore settings;
    ResetSettings(settings, false);
    settings.SetInt("General", "Update Range", c.range);
    settings.SetInt("General", "Update Date", c.lastCheck);
    int asked = 0;
    const bool due = RunScheduledCheck(settings, [] { return kNow; }, [&] { ++asked; });
    EXPECT_EQ(due, c.asks) << c.name;
    EXPECT_EQ(asked, c.asks ? 1 : 0) << c.name;
    EXPECT_EQ(settings.Int("General", "Update Date"), c.asks ? kNow : c.lastCheck) << c.name;
  }
}

TEST(ScheduledCheckTest, AnsweredQuestionDoesNotReturnForTheInterval) {
  SettingsStore settings;
  ResetSettings(settings, false);
  settings.SetInt("General", "Update Range", 1);
  settings.SetInt("General", "Update Date", kNow - 8 * kDay);
  int32_t now = kNow;
  int asked = 0;
  auto clock = [&] { return now; };
  EXPECT_TRUE(RunScheduledCheck(settings, clock, [&] { ++asked; }));  // answered No
  for (int32_t later : {kDay, 6 * kDay, 7 * kDay}) {
    now = kNow + later;
    EXPECT_FALSE(RunScheduledCheck(settings, clock, [&] { ++asked; })) << later;
  }
  now = kNow + 7 * kDay + 1;
  EXPECT_TRUE(RunScheduledCheck(settings, clock, [&] { ++asked; }));
  EXPECT_EQ(asked, 2);
}

TEST(UpdateCheckTest, LeadingNumber) {
  struct Case {
    const char* text;
    int64_t value;
  } cases[] = {{"291", 291}, {"2.9", 2}, {"+29", 29}, {"-29", -29}, {"<ht", 0},
               {"", 0},      {" 29", 0}, {"-", 0},    {"007", 7}};
  for (const Case& c : cases) EXPECT_EQ(LeadingNumber(c.text), c.value) << c.text;
}

TEST(UpdateCheckTest, BoxForWhatWasFetched) {
  struct Case {
    const char* fetched;
    UpdateBoxKind kind;
    const char* titleKey;
    const char* textKey;
  } cases[] = {
      {"291", UpdateBoxKind::NewVersion, "New Update", "New Update Text"},
      {"300", UpdateBoxKind::NewVersion, "New Update", "New Update Text"},
      {"290", UpdateBoxKind::NoNewVersion, "No Update", "No Update Text"},
      {"2.9", UpdateBoxKind::NoNewVersion, "No Update", "No Update Text"},
      {"-5", UpdateBoxKind::NoNewVersion, "No Update", "No Update Text"},
      {"", UpdateBoxKind::Failure, "Error", "Internet connection problems"},
      {"<ht", UpdateBoxKind::Failure, "Error", "Internet connection problems"},
      {"000", UpdateBoxKind::Failure, "Error", "Internet connection problems"},
  };
  for (const Case& c : cases) {
    const UpdateBox box = InteractiveCheckBox(c.fetched, 290);
    EXPECT_EQ(box.kind, c.kind) << c.fetched;
    EXPECT_EQ(box.titleKey, c.titleKey) << c.fetched;
    EXPECT_EQ(box.textKey, c.textKey) << c.fetched;
  }
}

TEST(UpdateCheckTest, UserAgentIsTheTitleText) { EXPECT_EQ(UpdateUserAgent(), "Pelloran TGA to PNG 2.9"); }

}  // namespace
}  // namespace rondix
