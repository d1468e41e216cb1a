#include "tools/korvagraph/options.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace korvagraph {
namespace {

using analysis::Status;

TEST(OptionsTest, ParsesEveryForm) {
  Options o;
  const Status status = ParseOptions({"--data",
                                      "f.dat",
                                      "--out=pics",
                                      "--size",
                                      "800x600",
                                      "--col",
                                      "Cu",
                                      "--col2=3",
                                      "--x",
                                      "E",
                                      "--y",
                                      "N",
                                      "--z",
                                      "Z",
                                      "--classes",
                                      "12",
                                      "--cumulative",
                                      "--lag",
                                      "25.5",
                                      "--lags",
                                      "9",
                                      "--dir",
                                      "45",
                                      "--model",
                                      "0.1,1,333",
                                      "--highlight",
                                      "7",
                                      "extra"},
                                     &o);
  ASSERT_TRUE(status.ok()) << status.ToString();
  EXPECT_EQ(o.data_path, "f.dat");
  EXPECT_EQ(o.out, "pics");
  EXPECT_EQ(o.width, 800);
  EXPECT_EQ(o.height, 600);
  EXPECT_EQ(o.settings.columns.primary, "Cu");
  EXPECT_EQ(o.settings.columns.secondary, "3");
  EXPECT_EQ(o.settings.columns.x, "E");
  EXPECT_EQ(o.settings.columns.y, "N");
  EXPECT_EQ(o.settings.columns.z, "Z");
  EXPECT_EQ(o.classes, 12);
  EXPECT_TRUE(o.cumulative);
  EXPECT_EQ(o.settings.variogram.lag, 25.5);
  EXPECT_EQ(o.settings.variogram.lag_count, 9);
  EXPECT_EQ(o.direction, "45");
  EXPECT_TRUE(o.settings.model.AllFixed());
  EXPECT_EQ(o.settings.model.nugget, 0.1);
  EXPECT_EQ(o.settings.model.sill, 1.0);
  EXPECT_EQ(o.settings.model.range, 333.0);
  EXPECT_EQ(o.settings.cloud.highlight, 7);
  EXPECT_EQ(o.positional, std::vector<std::string>{"extra"});
  EXPECT_FALSE(o.help);
}

TEST(OptionsTest, RejectsBadValuesWithTheOptionName) {
  const struct {
    std::vector<std::string> args;
    const char* message_start;
  } cases[] = {
      {{"--size", "800"}, "--size: expected WIDTHxHEIGHT"},
      {{"--size", "8x8"}, "--size: expected WIDTHxHEIGHT"},
      {{"--classes", "0"}, "--classes: expected a whole number"},
      {{"--lag", "-1"}, "--lag: expected a positive distance"},
      {{"--lags", "many"}, "--lags: expected a whole number"},
      {{"--dir", "30"}, "--dir: expected omni, 0, 45, 90 or 135"},
      {{"--model", "1,0.5,100"}, "--model: expected NUGGET,SILL,RANGE"},
      {{"--model", "0,1,100,5"}, "--model: expected NUGGET,SILL,RANGE"},
      {{"--highlight", "-1"}, "--highlight: expected a whole number"},
      {{"--colour", "red"}, "--colour: unknown option"},
      {{"--col"}, "--col: 1 required N|NAME missing"},
      {{"--cumulative=yes"}, "--cumulative: takes no value"},
      {{"--tmin", "5", "--tmax", "1"}, "--tmin, --tmax: expected tmin below"},
      {{"--dirs", "0,x"}, "--dirs: expected 1 to 8 azimuths"},
      {{"--atol", "0"}, "--atol: expected an angle"},
      {{"--transform", "sqrt"}, "--transform: expected none, log or nscore"},
      {{"--model-type", "cubic"}, "--model-type: expected spherical"},
      {{"--model", ",,"}, "--model: expected NUGGET,SILL,RANGE"},
      {{"--model-type", "power", "--model", "0,1,2"}, "--model: expected an "},
      {{"--stats", "xml"}, "--stats: expected json or text"},
      {{"-x"}, "-x: unknown option"},
      {{"--lags=1e3"}, "--lags: expected a whole number"},
      {{"--tmin", "inf"}, "--tmin: expected a number"},
      {{"--port", "65536"}, "--port: expected a whole number from 0 to 65535"},
  };
  for (const auto& c : cases) {
    Options o;
    const Status status = ParseOptions(c.args, &o);
    ASSERT_FALSE(status.ok()) << c.args[0];
    EXPECT_EQ(status.ToString().rfind(c.message_start, 0), 0u)
        << c.args[0] << ": " << status.ToString();
  }
}

TEST(OptionsTest, ParsesTheRealDataOptions) {
  Options o;
  const Status status = ParseOptions(
      {"--tmin",   "0",   "--tmax",  "1e31",  "--dirs",      "10,100",
       "--dir",    "100", "--atol",  "15",    "--bandwidth", "20",
       "--lagtol", "3",   "--model", "0,,50", "--transform", "log",
       "--shift",  "2",   "--stats", "json",  "-h"},
      &o);
  ASSERT_TRUE(status.ok()) << status.ToString();
  EXPECT_EQ(o.settings.limits.upper, 1e31);
  EXPECT_EQ(o.settings.variogram.azimuths, (std::vector<double>{10.0, 100.0}));
  EXPECT_EQ(o.direction, "100");
  EXPECT_EQ(o.settings.variogram.angle_tolerance, 15.0);
  EXPECT_EQ(o.settings.variogram.bandwidth, 20.0);
  EXPECT_EQ(o.settings.variogram.lag_tolerance, 3.0);
  const analysis::FitSettings& m = o.settings.model;
  EXPECT_TRUE(m.fix_nugget && !m.fix_sill && m.fix_range && !m.AllFixed());
  EXPECT_EQ(m.range, 50.0);
  EXPECT_EQ(o.settings.transform, analysis::Transform::kLog);
  EXPECT_EQ(o.settings.shift, 2.0);
  EXPECT_TRUE(o.json);
  EXPECT_TRUE(o.help);
}

TEST(OptionsTest, ReadsValuesAsWrittenAndTheLastOfARepeat) {
  const struct {
    const char* name;
    std::vector<std::string> args;
    double tmin;
    int classes;
    std::string data_path;
    bool json = false;
    size_t positional = 0;
  } cases[] = {
      {"negative value", {"--tmin", "-5"}, -5.0, 0, ""},
      {"negative after =", {"--tmin=-0.5"}, -0.5, 0, ""},
      // CLI11 on its own reads a leading zero as octal: 010 would be 8.
      {"leading zero is decimal", {"--classes", "010"}, -1e21, 10, ""},
      {"last of a repeat", {"--classes", "3", "--classes=4"}, -1e21, 4, ""},
      {"standard input", {"--data", "-"}, -1e21, 0, "-"},
      {"end of options", {"--", "-5"}, -1e21, 0, "", false, 1},
      {"json after text", {"--stats", "text", "--json"}, -1e21, 0, "", true},
      {"text after json", {"--json", "--stats=text"}, -1e21, 0, "", false},
  };
  for (const auto& c : cases) {
    Options o;
    const Status status = ParseOptions(c.args, &o);
    ASSERT_TRUE(status.ok()) << c.name << ": " << status.ToString();
    EXPECT_EQ(o.settings.limits.lower, c.tmin) << c.name;
    EXPECT_EQ(o.classes, c.classes) << c.name;
    EXPECT_EQ(o.data_path, c.data_path) << c.name;
    EXPECT_EQ(o.json, c.json) << c.name;
    EXPECT_EQ(o.positional.size(), c.positional) << c.name;
  }
}

TEST(OptionsTest, HelpListsEveryOption) {
  const std::string help = OptionsHelp();
  for (const char* name : {"--data", "--out", "--size", "--col", "--col2",
                           "--classes", "--cumulative", "--lag", "--lags",
                           "--dir", "--model", "--highlight", "--help"}) {
    const bool listed =
        help.find(std::string("  ") + name + " ") != std::string::npos ||
        help.find(std::string(",") + name + " ") != std::string::npos;
    EXPECT_TRUE(listed) << name;
  }
}

}  // namespace
}  // namespace korvagraph
