#include "core/project.h"

#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <set>
#include <string>

#include <gtest/gtest.h>

#include "platform/paths.h"

namespace rondix {
namespace {

class ProjectTest : public ::testing::Test {
 protected:
  void SetUp() override {
    char pattern[] = "/tmp/rondix-project-XXXXXX";
    ASSERT_NE(mkdtemp(pattern), nullptr);
    dir_ = std::string(pattern) + "/";
    for (const char* name : {"photo.TGA", "photo.png", "second.targa", "noext", "a.tga.png"}) {
      std::ofstream(dir_ + name) << "data";
    }
    std::ofstream(dir_ + "empty.tga");
    std::filesystem::create_directory(dir_ + "dir.tga");
    std::ofstream(dir_ + "dir.tga/inside.tga") << "data";
    ResetProject(project_);
    project_.desktopInputHook = [this](ProjectState&, const std::string& path) {
      hookPaths_.push_back(path);
    };
  }
  void TearDown() override { std::filesystem::remove_all(dir_); }

  std::set<std::string> Inputs() const {
    std::set<std::string> keys;
    for (const auto& [path, entry] : project_.inputs) keys.insert(path);
    return keys;
  }

  std::string dir_;
  Project project_;
  std::vector<std::string> hookPaths_;
};

TEST_F(ProjectTest, AddInputFileAcceptsOnlyNonEmptyFilesWithAcceptedExtensions) {
  struct Case {
    const char* name;
    bool accepted;
  } cases[] = {
      {"photo.TGA", true},   {"second.targa", true}, {"photo.png", false},
      {"empty.tga", false},  {"dir.tga", false},     {"missing.tga", false},
      {"noext", false},      {"a.tga.png", false},
  };
  for (const Case& c : cases) {
    Project project;
    ResetProject(project);
    project.state.consoleRun = 1;
    std::string path = dir_ + c.name;
    EXPECT_EQ(AddInputFile(project, path), c.accepted) << c.name;
    EXPECT_EQ(project.inputs.size(), c.accepted ? 1u : 0u) << c.name;
    if (c.accepted) {
      EXPECT_EQ(project.inputs.begin()->first, path);
      EXPECT_EQ(project.inputs.begin()->second.marker, 1);
      EXPECT_EQ(project.inputs.begin()->second.relativeSubfolder, "");
    }
  }
  Project project;
  ResetProject(project);
  EXPECT_FALSE(AddInputFile(project, ""));
}

TEST_F(ProjectTest, SecondFileReplacesTheFirstAndARefusalChangesNothing) {
  ASSERT_TRUE(AddInputFile(project_, dir_ + "photo.TGA"));
  ASSERT_TRUE(AddInputFile(project_, dir_ + "second.targa"));
  EXPECT_EQ(Inputs(), std::set<std::string>{dir_ + "second.targa"});
  EXPECT_FALSE(AddInputFile(project_, dir_ + "photo.png"));
  EXPECT_FALSE(AddInputFile(project_, dir_ + "empty.tga"));
  EXPECT_EQ(Inputs(), std::set<std::string>{dir_ + "second.targa"});
}

TEST_F(ProjectTest, DesktopHookRunsOnlyOutsideTheConsoleRunAndOnlyOnSuccess) {
  ASSERT_TRUE(AddInputFile(project_, dir_ + "photo.TGA"));
  EXPECT_FALSE(AddInputFile(project_, dir_ + "photo.png"));
  EXPECT_EQ(hookPaths_, std::vector<std::string>{dir_ + "photo.TGA"});

  project_.state.consoleRun = 1;
  ASSERT_TRUE(AddInputFile(project_, dir_ + "second.targa"));
  EXPECT_EQ(hookPaths_.size(), 1u);

  Project withoutHook;  // the console never installs one
  ResetProject(withoutHook);
  EXPECT_TRUE(AddInputFile(withoutHook, dir_ + "photo.TGA"));
}

TEST_F(ProjectTest, ResetGivesStartValuesAndKeepsTheLastingFields) {
  ProjectState& s = project_.state;
  ASSERT_TRUE(AddInputFile(project_, dir_ + "photo.TGA"));
  s.fileCounter = 7;
  s.currentOutputFolder = "/out/";
  s.consoleRun = 1;
  s.outputExtension = "png";
  s.saveFlags = 3;
  s.modeMarker = "DEBUG";
  s.finalWidth = 640;
  s.finalHeight = 480;
  s.searchFrom = "tga";
  s.searchTo = "png";

  ResetProject(project_);
  EXPECT_TRUE(project_.inputs.empty());
  EXPECT_EQ(s.fileCounter, 1);
  EXPECT_GE(s.randomValue, 1);
  EXPECT_LE(s.randomValue, 99999);
  EXPECT_EQ(s.currentOutputFolder, "");
  EXPECT_EQ(s.consoleRun, 0);
  EXPECT_EQ(s.outputExtension, "");
  EXPECT_EQ(s.saveFlags, 0);
  EXPECT_EQ(s.programFolder, ProgramFolder());
  EXPECT_EQ(s.programFolder.back(), '/');
  EXPECT_EQ(std::set<std::string>(s.acceptedExtensions.begin(), s.acceptedExtensions.end()),
            (std::set<std::string>{"tga", "targa"}));
  EXPECT_EQ(s.modeMarker, "DEBUG");
  EXPECT_EQ(s.finalWidth, 640);
  EXPECT_EQ(s.finalHeight, 480);
  EXPECT_EQ(s.searchFrom, "tga");
  EXPECT_EQ(s.searchTo, "png");
}

TEST(Project, RandomValueCoversItsRange) {
  std::set<int32_t> seen;
  for (int i = 0; i < 2000; ++i) {
    int32_t v = RandomProjectValue();
    ASSERT_GE(v, 1);
    ASSERT_LE(v, 99999);
    seen.insert(v);
  }
  EXPECT_GT(seen.size(), 1900u);  // not stuck on a few values
}

TEST(Project, FileExtension) {
  struct Case {
    const char* path;
    const char* extension;
  } cases[] = {
      {"/img/photo.TGA", "tga"}, {"photo.Targa", "targa"}, {"/a.b/noext", ""},
      {"x.tar.gz", "gz"},        {"/img/.tga", "tga"},     {"name.", ""},
      {"", ""},
  };
  for (const Case& c : cases) EXPECT_EQ(FileExtension(c.path), c.extension) << c.path;
}

}  // namespace
}  // namespace rondix
