// What an operation over many files tells about them: one line per file
// (what happened, and why), and, for a screen, one message per kind of
// outcome that lists its files, so that a list of fifty thousand missing
// entries is one message and not fifty thousand.
#pragma once

#include <string>
#include <vector>

#include "ui/message_ids.h"

namespace quilmark {

struct FileReportLine {
  std::string path;
  std::string what;  // a sentence: a catalogue text, a notice
  std::string why;   // the reason, when there is one
};

// A line for a catalogue message about a file: its text and the reason.
FileReportLine CatalogueLine(MessageId id, std::string path, std::string why);

// The text of one file's message: the path (when there is one) on the
// first line, then what happened with the reason in parentheses.
std::string FileReportText(const FileReportLine& line);

// One text per kind of outcome (lines of the same `what`), in the order
// the kinds first occur. A kind with one file gives FileReportText; with
// more, a count line, then the files with their reasons, up to
// kMaxListedFiles of them and a line saying how many more there were.
inline constexpr std::size_t kMaxListedFiles = 30;
std::vector<std::string> GroupedReportTexts(const std::vector<FileReportLine>& lines);

}  // namespace quilmark
