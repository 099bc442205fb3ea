#include "app/play.h"

#include <QProcess>
#include <QString>
#include <QStringList>
#include <filesystem>
#include <new>

#include "platform/default_applications.h"
#include "platform/exec_line.h"
#include "platform/mime_database.h"
#include "platform/paths.h"
#include "platform/programs.h"
#include "platform/xdg_dirs.h"
#include "text/tag_text.h"

namespace quilmark {

namespace {

constexpr const char* kMp3MimeType = "audio/mpeg";
constexpr const char* kPathTooLong = "ファイル名が長すぎるため再生できません。";

void Play(const std::string& fullPath, Messages& messages) {
  // The player gets the path quoted in a 256-byte command buffer; a longer
  // one is refused here rather than cut short.
  if (Cp932Length(fullPath) > kMaxPlayPathBytes) {
    messages.Notice(std::string(fullPath) + "\n" + kPathTooLong, MB_OK | MB_ICONINFORMATION);
    return;
  }
  std::error_code ec;
  if (fullPath.empty() || !std::filesystem::is_regular_file(fullPath, ec)) {
    messages.msgbox(MSG_FILE_NOT_FOUND);
    return;
  }
  const platform::XdgDirs dirs = platform::XdgDirs::FromEnvironment();
  const std::string mimeType =
      platform::MimeTypeForExtension(dirs, platform::UpperExtension(fullPath))
          .value_or(kMp3MimeType);
  const auto entry = platform::DefaultApplicationEntry(dirs, mimeType);
  if (!entry) {
    messages.msgbox(MSG_NO_ASSOCIATION);
    return;
  }
  const auto command = platform::CommandForFile(*entry, fullPath);
  const auto program = command ? platform::FindProgram(command->front()) : std::nullopt;
  if (!program) {
    messages.msgbox(MSG_BAD_EXE);
    return;
  }
  QStringList arguments;
  for (std::size_t i = 1; i < command->size(); ++i) {
    arguments << QString::fromStdString((*command)[i]);
  }
  if (!QProcess::startDetached(QString::fromStdString(*program), arguments)) {
    messages.msgbox(MSG_BAD_EXE);
  }
}

}  // namespace

void PlayFile(const std::string& fullPath, Messages& messages) {
  try {
    Play(fullPath, messages);
  } catch (const std::bad_alloc&) {
    messages.msgbox(MSG_OUT_OF_MEMORY);
  }
}

}  // namespace quilmark
