// The help: the program's help collection (beside it, or where it was
// installed), opened at a keyword.
#pragma once

#include <string>

class QWidget;

namespace quilmark {

// Opens the help window of `parent` at `keyword` ("QUILMARK for Win32" for
// F1); an unknown keyword shows the index. When the collection cannot be
// loaded, says "ヘルプが表示できません。" and keeps nothing, so the next
// call tries again.
void HelpShow(QWidget* parent, const std::string& keyword);

// The same with an explicit collection file.
void HelpShowFile(QWidget* parent, const std::string& collectionPath, const std::string& keyword);

// The program's own path with its extension replaced by ".qhc" (appended when
// the file name has none).
std::string HelpFilePath(const std::string& programPath);

}  // namespace quilmark
