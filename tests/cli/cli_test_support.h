// quilmark-cli run as a script runs it: in a test folder of its own, with
// its own settings store, optionally as another user and with a time limit.
#pragma once

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <map>
#include <string>
#include <string_view>
#include <vector>

#include "lists/csv_fields.h"
#include "lists/list_text.h"
#include "support/mp3_maker.h"
#include "support/temp_dir.h"
#include "text/comma_text.h"

namespace quilmark {

using Lines = std::vector<std::string>;
using namespace testing;  // the test files' helpers
using namespace std::string_literals;

inline bool Contains(const std::string& text, const std::string& part) {
  return text.find(part) != std::string::npos;
}

struct CliRun {
  int status = -1;  // 124: stopped at the time limit
  std::string out, err;
};

// The first data line of a CSV as header name -> value.
inline std::map<std::string, std::string> FirstRow(const std::string& bytes) {
  const Lines lines = DecodeListText(bytes);
  std::map<std::string, std::string> row;
  if (lines.size() < 2) return row;
  const Lines header = SplitCommaText(lines[0]), fields = SplitCommaText(QuoteCsvFields(lines[1]));
  for (std::size_t i = 0; i < header.size() && i < fields.size(); ++i) row[header[i]] = fields[i];
  return row;
}

class CliTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_EQ(mkdir(F("config").c_str(), 0700), 0);
    ASSERT_EQ(mkdir(F("music").c_str(), 0700), 0);
  }

  std::string F(std::string_view name) const { return dir.File(name); }

  // Runs the program in the test folder with its own settings store, for
  // at most 20 seconds; `as` goes before it (another user, say).
  CliRun Cli(const std::string& args, const std::string& as = {}) {
    const std::string command = "cd '" + dir.Path() + "' && XDG_CONFIG_HOME='" + F("config") +
                                "' timeout 20 " + as + " '" QUILMARK_CLI "' " + args + " >'" +
                                F("out.txt") + "' 2>'" + F("err.txt") + "'";
    CliRun run;
    const int raw = std::system(command.c_str());
    run.status = WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
    run.out = testing::ReadBytes(F("out.txt"));
    run.err = testing::ReadBytes(F("err.txt"));
    return run;
  }
  testing::TempDir dir;
};

}  // namespace quilmark
