#include "batch/input_selection.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include "support/batch_form.h"
#include "support/tga_writer.h"

namespace rondix {
namespace {

using fixture::BatchForm;
using fixture::ScratchFolder;

fixture::TgaSpec Pixel() {
  fixture::TgaSpec desc;
  desc.width = 1;
  desc.height = 1;
  desc.pixels = {{1, 2, 3}};
  return desc;
}

TEST(InputFileFilters, ListsSupportedThenPerDescriptionThenAllFiles) {
  StringTable strings;
  const std::vector<FileFilter> filters = InputFileFilters(strings);
  ASSERT_EQ(filters.size(), 3u);
  EXPECT_EQ(filters[0].label, "All Supported Files");
  EXPECT_EQ(filters[0].patterns, (std::vector<std::string>{"*.tga", "*.targa"}));
  EXPECT_EQ(filters[1].label, "Truevision Targa");
  EXPECT_EQ(filters[1].patterns, (std::vector<std::string>{"*.targa", "*.tga"}));
  EXPECT_EQ(filters[2].label, "All Files (*.*)");
  EXPECT_EQ(filters[2].patterns, std::vector<std::string>{"*.*"});

  EXPECT_EQ(ToolkitFilters(filters),
            (QStringList{"All Supported Files (*.tga *.targa)", "Truevision Targa (*.targa *.tga)",
                         "All Files (*)"}));
}

TEST(SelectInputFile, FirstFileSetsTheOutputFolderLaterOnesKeepIt) {
  ScratchFolder dir;
  ASSERT_EQ(mkdir(dir.File("img").c_str(), 0755), 0);
  ASSERT_EQ(mkdir(dir.File("other").c_str(), 0755), 0);
  ASSERT_TRUE(fixture::WriteTga(dir.File("img/a.tga"), Pixel()));
  ASSERT_TRUE(fixture::WriteTga(dir.File("other/B.TGA"), Pixel()));
  BatchForm f;
  f.settings.SetText("File", "Recent Out Folders", "/old/");
  f.folders->addItem(QString());  // the empty item of a fresh start
  f.folders->setCurrentIndex(0);

  f.log.pickedFile = QString::fromStdString(dir.File("img/a.tga"));
  SelectInputFile(f.ctx);
  EXPECT_EQ(f.log.lastFilters.front(), "All Supported Files (*.tga *.targa)");
  EXPECT_EQ(f.input->text().toStdString(), dir.File("img/a.tga"));
  EXPECT_EQ(f.settings.Text("File", "Recent Out Folders"), dir.File("img/") + "\t/old/");
  EXPECT_EQ(f.project.state.currentOutputFolder, dir.File("img/"));
  EXPECT_EQ(f.folders->currentText().toStdString(), dir.File("img/"));
  EXPECT_EQ(f.project.inputs.size(), 1u);

  f.log.pickedFile = QString::fromStdString(dir.File("other/B.TGA"));
  SelectInputFile(f.ctx);
  EXPECT_EQ(f.input->text().toStdString(), dir.File("other/B.TGA"));
  EXPECT_EQ(f.project.state.currentOutputFolder, dir.File("img/"));
  EXPECT_EQ(f.folders->currentText().toStdString(), dir.File("img/"));
  ASSERT_EQ(f.project.inputs.size(), 1u);
  EXPECT_EQ(f.project.inputs.begin()->first, dir.File("other/B.TGA"));
}

TEST(SelectInputFile, RefusedOrCancelledPicksChangeNothing) {
  ScratchFolder dir;
  ASSERT_TRUE(fixture::WriteTga(dir.File("a.tga"), Pixel()));
  ASSERT_TRUE(fixture::WriteFileBytes(dir.File("empty.tga"), {}));
  ASSERT_TRUE(fixture::WriteTga(dir.File("a.png"), Pixel()));
  ASSERT_EQ(mkdir(dir.File("dir.tga").c_str(), 0755), 0);
  BatchForm f;
  f.log.pickedFile = QString::fromStdString(dir.File("a.tga"));
  SelectInputFile(f.ctx);
  const std::string recent = f.settings.Text("File", "Recent Out Folders");

  for (const std::string& pick : {dir.File("missing.tga"), dir.File("empty.tga"), dir.File("a.png"),
                                  dir.File("dir.tga"), std::string()}) {
    f.log.pickedFile = QString::fromStdString(pick);
    SelectInputFile(f.ctx);
    EXPECT_EQ(f.input->text().toStdString(), dir.File("a.tga")) << pick;
    ASSERT_EQ(f.project.inputs.size(), 1u) << pick;
    EXPECT_EQ(f.project.inputs.begin()->first, dir.File("a.tga")) << pick;
    EXPECT_EQ(f.settings.Text("File", "Recent Out Folders"), recent) << pick;
  }
}

TEST(SelectOutputFolder, ChosenFolderGoesFirstAndIsSelected) {
  ScratchFolder dir;
  ASSERT_EQ(mkdir(dir.File("out").c_str(), 0755), 0);
  BatchForm f;
  f.settings.SetText("File", "Recent Out Folders", "/a/\t/b/");
  f.project.state.currentOutputFolder = "/state/";

  f.log.pickedFolder = QString::fromStdString(dir.File("out"));
  SelectOutputFolder(f.ctx);
  EXPECT_EQ(f.log.lastStart.toStdString(), "/state/");  // the list showed nothing
  EXPECT_EQ(f.settings.Text("File", "Recent Out Folders"), dir.File("out/") + "\t/a/\t/b/");
  EXPECT_EQ(f.project.state.currentOutputFolder, dir.File("out/"));
  EXPECT_EQ(f.folders->currentText().toStdString(), dir.File("out/"));

  // Starts from the folder part of the list's text; a name that is no folder is ignored.
  f.log.pickedFolder = QString::fromStdString(dir.File("missing"));
  SelectOutputFolder(f.ctx);
  EXPECT_EQ(f.log.lastStart.toStdString(), dir.File("out/"));
  EXPECT_EQ(f.settings.Text("File", "Recent Out Folders"), dir.File("out/") + "\t/a/\t/b/");
  f.log.pickedFolder.clear();
  SelectOutputFolder(f.ctx);
  EXPECT_EQ(f.project.state.currentOutputFolder, dir.File("out/"));
}

}  // namespace
}  // namespace rondix
