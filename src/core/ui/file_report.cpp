#include "ui/file_report.h"

#include <map>
#include <utility>

#include "ui/msgbox.h"

namespace quilmark {

namespace {

std::string Reason(const std::string& why) { return why.empty() ? "" : "(" + why + ")"; }

// How a kind of outcome opens a list of many files.
std::string CountLine(const std::string& what, std::size_t count) {
  const std::string n = std::to_string(count);
  if (what == CatalogueText(MSG_CANNOT_OPEN)) return "次の " + n + " 個のファイルを開けません。";
  if (what == CatalogueText(MSG_CANNOT_WRITE)) {
    return "次の " + n + " 個のファイルに対して書き込めません。";
  }
  return what + "(" + n + " 個のファイル)";
}

}  // namespace

FileReportLine CatalogueLine(MessageId id, std::string path, std::string why) {
  const char* text = CatalogueText(id);
  return {std::move(path), text ? text : "", std::move(why)};
}

std::string FileReportText(const FileReportLine& line) {
  std::string text = line.path.empty() ? "" : line.path + "\n";
  return text + line.what + Reason(line.why);
}

std::vector<std::string> GroupedReportTexts(const std::vector<FileReportLine>& lines) {
  std::vector<std::vector<const FileReportLine*>> groups;
  std::map<std::string, std::size_t> groupOf;
  for (const FileReportLine& line : lines) {
    auto [it, added] = groupOf.try_emplace(line.what, groups.size());
    if (added) groups.emplace_back();
    groups[it->second].push_back(&line);
  }
  std::vector<std::string> texts;
  for (const auto& group : groups) {
    if (group.size() == 1) {
      texts.push_back(FileReportText(*group.front()));
      continue;
    }
    std::string text = CountLine(group.front()->what, group.size());
    for (std::size_t i = 0; i < group.size() && i < kMaxListedFiles; ++i) {
      const std::string& why = group[i]->why;
      text += "\n" + group[i]->path + (why.empty() ? "" : " " + Reason(why));
    }
    if (group.size() > kMaxListedFiles) {
      text += "\nほか " + std::to_string(group.size() - kMaxListedFiles) + " 個";
    }
    texts.push_back(std::move(text));
  }
  return texts;
}

}  // namespace quilmark
