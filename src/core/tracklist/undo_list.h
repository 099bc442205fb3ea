// The undo stack: one record per changed cell, kept as comma text of
// "Text=<old text>", "Col=<position>", "Row=<row>". It grows for the whole
// run (no depth limit, no redo) and is never emptied.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace quilmark {

struct UndoRecord {
  std::string text;
  int column = 0;
  int row = 0;

  friend bool operator==(const UndoRecord&, const UndoRecord&) = default;
};

class UndoList {
 public:
  // PushUndo: the cell's text before a change.
  void Push(std::string_view oldText, int column, int row);

  bool Empty() const { return items_.empty(); }
  std::size_t Count() const { return items_.size(); }
  const std::string& Item(std::size_t i) const { return items_[i]; }

  // The last record decoded; nullopt when empty or when the item is not a
  // well-formed record.
  std::optional<UndoRecord> Last() const;
  void PopLast();

  static std::string Encode(const UndoRecord& record);
  static std::optional<UndoRecord> Decode(std::string_view item);

 private:
  std::vector<std::string> items_;
};

}  // namespace quilmark
