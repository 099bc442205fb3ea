#include "ui/run_progress.h"

namespace quilmark {

std::string ProgressText(const RunProgress& progress) {
  const std::string found = std::to_string(progress.found);
  const std::string done = std::to_string(progress.done);
  if (progress.task == RunProgress::Task::Saving) {
    return "ファイルに書き込んでいます: " + done + " / " + found;
  }
  if (progress.searching) {
    return "フォルダを調べています: " + found + " 個のファイルが見つかりました";
  }
  return "ファイルを読み込んでいます: 見つかったファイル " + found + " 個、読み込んだファイル " +
         done + " 個";
}

}  // namespace quilmark
