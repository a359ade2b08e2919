#include "ui/update_prompts.h"

#include <gtest/gtest.h>

#include "core/web_links.h"
#include "support/qt_app.h"

namespace rondix {
namespace {

constexpr int32_t kNow = 1'700'000'000;
constexpr int32_t kDay = 86400;

// Every box the check shows, as "kind|title|text", and what it opened.
class UpdatePromptsTest : public ::testing::Test {
 protected:
  UpdatePromptsTest() {
    fixture::TestApplication();
    ResetSettings(settings, false);
    prompts.ask = [this](QWidget*, const std::string& title, const std::string& text) {
      boxes.push_back("ask|" + title + "|" + text);
      const bool yes = answers.empty() ? false : answers.front();
      if (!answers.empty()) answers.erase(answers.begin());
      return yes;
    };
    prompts.info = [this](QWidget*, const std::string& title, const std::string& text) {
      boxes.push_back("info|" + title + "|" + text);
    };
    prompts.error = [this](QWidget*, const std::string& title, const std::string& text) {
      boxes.push_back("error|" + title + "|" + text);
    };
    prompts.openExternal = [this](const std::string& target) { opened.push_back(target); };
    prompts.fetch = [this] {
      ++fetches;
      return fetched;
    };
  }

  SettingsStore settings;
  StringTable strings;
  UpdatePrompts prompts;
  std::string fetched;
  std::vector<bool> answers;
  std::vector<std::string> boxes;
  std::vector<std::string> opened;
  int fetches = 0;
};

const std::string kNewBox =
    "ask|New Update|A new version of Pelloran TGA to PNG is available! Are you ready to download "
    "it right now?";
const std::string kNoBox =
    "info|No Update|There is no update of Pelloran TGA to PNG yet. You're using the most recent "
    "version.";
const std::string kFailBox = "error|Error|Internet connection problems!";
const std::string kAskBox = "ask|Check for Updates|Do you want to check for updates?";

TEST_F(UpdatePromptsTest, InteractiveCheckShowsOneBoxForWhatWasFetched) {
  struct Case {
    const char* fetched;
    std::vector<bool> answers;
    std::string box;
    bool opensHomePage;
  } cases[] = {
      {"291", {true}, kNewBox, true},
      {"291", {false}, kNewBox, false},
      {"290", {}, kNoBox, false},
      {"2.9", {}, kNoBox, false},
      {"", {}, kFailBox, false},
      {"<ht", {}, kFailBox, false},
  };
  for (const Case& c : cases) {
    fetched = c.fetched;
    answers = c.answers;
    boxes.clear();
    opened.clear();
    RunInteractiveUpdateCheck(nullptr, strings, prompts);
    EXPECT_EQ(boxes, std::vector<std::string>{c.box}) << c.fetched;
    EXPECT_EQ(opened, c.opensHomePage ? std::vector<std::string>{HomePageAddress()}
                                      : std::vector<std::string>{})
        << c.fetched;
  }
}

TEST_F(UpdatePromptsTest, ScheduledCheckAsksWhenDueAndStampsTheDateWhateverTheAnswer) {
  settings.SetInt("General", "Update Range", 1);

  // Due, answered No: no fetch, the date moves to now.
  settings.SetInt("General", "Update Date", kNow - 8 * kDay);
  answers = {false};
  EXPECT_TRUE(RunScheduledUpdateCheck(nullptr, settings, strings, prompts, [] { return kNow; }));
  EXPECT_EQ(boxes, std::vector<std::string>{kAskBox});
  EXPECT_EQ(fetches, 0);
  EXPECT_EQ(settings.Int("General", "Update Date"), kNow);

  // Not due again within the week.
  boxes.clear();
  EXPECT_FALSE(RunScheduledUpdateCheck(nullptr, settings, strings, prompts,
                                       [] { return kNow + 7 * kDay; }));
  EXPECT_TRUE(boxes.empty());

  // Due, answered Yes: the interactive check runs; a failed fetch also moves the date.
  fetched = "";
  answers = {true};
  EXPECT_TRUE(RunScheduledUpdateCheck(nullptr, settings, strings, prompts,
                                      [] { return kNow + 7 * kDay + 1; }));
  EXPECT_EQ(boxes, (std::vector<std::string>{kAskBox, kFailBox}));
  EXPECT_EQ(fetches, 1);
  EXPECT_EQ(settings.Int("General", "Update Date"), kNow + 7 * kDay + 1);
}

TEST_F(UpdatePromptsTest, NeverMeansNoQuestionAndTheDateStays) {
  settings.SetInt("General", "Update Range", 5);
  settings.SetInt("General", "Update Date", 1000);
  EXPECT_FALSE(RunScheduledUpdateCheck(nullptr, settings, strings, prompts, [] { return kNow; }));
  EXPECT_TRUE(boxes.empty());
  EXPECT_EQ(settings.Int("General", "Update Date"), 1000);
}

}  // namespace
}  // namespace rondix
