// Shared set-up of the console tests: a scratch folder that is the program's working folder
// and holds its XDG folders, a small TGA picture, and the banner the program prints.
#pragma once
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <fstream>
#include <string>
#include <vector>

#include "console/program_runner.h"
#include "support/tga_writer.h"

namespace rondix::console_test {

inline const std::vector<std::string> kBanner = {
    "Pelloran TGA to PNG 2.9", "Copyright (c) Pelloran Software", "https://www.pelloran.com", " "};

// Banner followed by `lines`.
inline std::vector<std::string> WithBanner(const std::vector<std::string>& lines) {
  std::vector<std::string> all = kBanner;
  all.insert(all.end(), lines.begin(), lines.end());
  return all;
}

inline bool Exists(const std::string& path) {
  struct stat st {};
  return stat(path.c_str(), &st) == 0;
}

class ConsoleTest : public ::testing::Test {
 protected:
  ConsoleTest() {
    xdg_ = scratch_.File("xdg");
    mkdir(xdg_.c_str(), 0700);
  }

  ProgramResult Run(const std::vector<std::string>& args) {
    return RunProgram(args, scratch_.path(), xdg_);
  }

  std::string File(const std::string& name) const { return scratch_.File(name); }

  void WriteText(const std::string& name, const std::string& text) const {
    std::ofstream(File(name), std::ios::binary) << text;
  }

  // A 3 x 2 picture with six different colours, written as 24-bit TGA.
  fixture::TgaSpec Picture() const {
    fixture::TgaSpec desc;
    desc.width = 3;
    desc.height = 2;
    desc.pixels = {{255, 0, 0}, {0, 255, 0}, {0, 0, 255}, {255, 255, 0}, {0, 255, 255}, {40, 80, 120}};
    return desc;
  }

  void WritePicture(const std::string& name) const {
    ASSERT_TRUE(fixture::WriteTga(File(name), Picture()));
  }

  fixture::ScratchFolder scratch_;
  std::string xdg_;
};

}  // namespace rondix::console_test
