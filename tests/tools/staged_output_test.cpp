#include "tools/korvagraph/staged_output.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <memory>

#include "tools_test_util.h"

namespace korvagraph {
namespace {

using analysis::Status;

namespace fs = std::filesystem;
using kgtools::TempDir;

TEST(StagedOutputTest, FileAppearsOnlyOnCommit) {
  TempDir dir;
  const std::string target = dir.File("chart.png");
  std::unique_ptr<StagedOutput> out;
  ASSERT_TRUE(
      StagedOutput::Create(target, StagedOutput::Kind::kFile, &out).ok());
  std::ofstream(out->path()) << "picture";
  EXPECT_FALSE(fs::exists(target));
  ASSERT_TRUE(out->Commit().ok());
  EXPECT_EQ(kgtools::ReadFile(target), "picture");
}

TEST(StagedOutputTest, AbandonedOutputLeavesNothing) {
  TempDir dir;
  const std::string target = dir.File("gallery");
  {
    std::unique_ptr<StagedOutput> out;
    ASSERT_TRUE(
        StagedOutput::Create(target, StagedOutput::Kind::kDirectory, &out)
            .ok());
    std::ofstream(out->path() + "/half.png") << "half";
  }
  EXPECT_TRUE(fs::is_empty(dir.path()));
}

TEST(StagedOutputTest, ReplacesAnEarlierGallery) {
  TempDir dir;
  const std::string target = dir.File("gallery");
  fs::create_directory(target);
  std::ofstream(target + "/index.html") << "old";
  std::ofstream(target + "/stale.png") << "old";
  std::unique_ptr<StagedOutput> out;
  ASSERT_TRUE(
      StagedOutput::Create(target, StagedOutput::Kind::kDirectory, &out).ok());
  std::ofstream(out->path() + "/index.html") << "new";
  ASSERT_TRUE(out->Commit().ok());
  EXPECT_EQ(kgtools::ReadFile(target + "/index.html"), "new");
  EXPECT_FALSE(fs::exists(target + "/stale.png"));
  // Only the gallery is left: no staging or old directory beside it.
  int entries = 0;
  for (const auto& entry : fs::directory_iterator(dir.path())) {
    (void)entry;
    ++entries;
  }
  EXPECT_EQ(entries, 1);
}

TEST(StagedOutputTest, RefusesToReplaceUnrelatedFiles) {
  TempDir dir;
  std::ofstream(dir.File("notes.txt")) << "keep me";
  std::unique_ptr<StagedOutput> out;
  const Status status =
      StagedOutput::Create(dir.path(), StagedOutput::Kind::kDirectory, &out);
  ASSERT_FALSE(status.ok());
  EXPECT_NE(status.ToString().find("holds files other than a gallery"),
            std::string::npos);
  EXPECT_EQ(kgtools::ReadFile(dir.File("notes.txt")), "keep me");
  const Status on_file = StagedOutput::Create(
      dir.File("notes.txt"), StagedOutput::Kind::kDirectory, &out);
  EXPECT_FALSE(on_file.ok());
}

}  // namespace
}  // namespace korvagraph
