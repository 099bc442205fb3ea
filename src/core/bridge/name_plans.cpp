#include "bridge/name_plans.h"

#include <algorithm>
#include <unordered_map>
#include <utility>

#include "platform/paths.h"
#include "platform/portable_name.h"
#include "platform/rename_no_replace.h"
#include "tracklist/track_grid.h"

namespace quilmark {

namespace {

// A file name as its stem and its extension (from the last dot; a name
// that starts with its only dot has none).
std::pair<std::string_view, std::string_view> SplitExtension(std::string_view name) {
  const std::size_t dot = name.rfind('.');
  if (dot == std::string_view::npos || dot == 0) return {name, {}};
  return {name.substr(0, dot), name.substr(dot)};
}

}  // namespace

std::string_view StatusText(NameRowStatus status) {
  switch (status) {
    case NameRowStatus::Changes:
      return "変更します";
    case NameRowStatus::Unchanged:
      return "変更なし";
    case NameRowStatus::NoMatch:
      return "ファイル名がパターンに合いません";
    case NameRowStatus::NotANumber:
      return "数字だけの項目に数字以外の文字があります";
    case NameRowStatus::NameTaken:
      return "同じ名前のファイルがすでにあります";
    case NameRowStatus::SameNewName:
      return "ほかの行と同じ名前になります";
    case NameRowStatus::EmptyName:
      return "名前にするタグの値がありません";
    case NameRowStatus::NamesSwapped:
      return "ほかの行と名前を入れ替えることになります";
  }
  return {};
}

TagsFromNamesPlan PlanTagsFromNames(const TrackGrid& grid, const std::vector<int>& rows,
                                    std::string_view pattern) {
  TagsFromNamesPlan plan;
  const ParsedPattern parsed = NamePattern::Parse(pattern, PatternUse::TagsFromNames);
  if (!parsed.pattern) {
    plan.error = parsed.error;
    return plan;
  }
  plan.fields = parsed.pattern->Fields();
  const ColumnLayout& layout = grid.Layout();
  for (int row : rows) {
    TagsFromNamesPlan::Row line{row, {}, NameRowStatus::NoMatch};
    const auto [stem, extension] = SplitExtension(grid.FieldCell(colFile, row));
    if (std::optional<std::vector<std::string>> values = parsed.pattern->Match(stem)) {
      line.values = std::move(*values);
      std::vector<CellChange> changes;
      for (std::size_t i = 0; i < plan.fields.size(); ++i) {
        const int column = layout.Position(plan.fields[i]);
        if (grid.Cell(column, row) != line.values[i])
          changes.push_back({column, row, line.values[i]});
      }
      if (FirstBadNumber(grid, changes)) {
        line.status = NameRowStatus::NotANumber;
      } else {
        line.status = changes.empty() ? NameRowStatus::Unchanged : NameRowStatus::Changes;
        plan.changes.insert(plan.changes.end(), changes.begin(), changes.end());
      }
    }
    plan.rows.push_back(std::move(line));
  }
  return plan;
}

namespace {

// Orders the renames so that each comes after the one that frees its new
// name, and refuses those whose new name stays taken: by a file that is
// not renamed away, or by a ring of rows taking each other's names.
class RenameOrder {
 public:
  explicit RenameOrder(RenamePlan& plan) : plan_(plan) {
    for (std::size_t i = 0; i < plan_.rows.size(); ++i) {
      if (plan_.rows[i].status == NameRowStatus::Changes) movingFrom_[plan_.rows[i].from] = i;
    }
  }

  void Resolve(const TrackGrid& grid) {
    for (std::size_t i = 0; i < plan_.rows.size(); ++i) {
      if (plan_.rows[i].status == NameRowStatus::Changes && !done_.contains(i)) Follow(grid, i);
    }
  }

 private:
  // Follows the chain of rows whose new name the next one holds until a
  // free name, a row already settled or a ring; then settles the chain
  // from its end back.
  void Follow(const TrackGrid& grid, std::size_t first) {
    std::vector<std::size_t> chain;
    std::unordered_map<std::size_t, std::size_t> onChain;  // row index -> place
    NameRowStatus end = NameRowStatus::Changes;
    for (std::size_t i = first;;) {
      onChain[i] = chain.size();
      chain.push_back(i);
      const std::string& to = plan_.rows[i].to;
      if (!platform::NameTaken(to) && !grid.ContainsPath(to)) break;
      const auto holder = movingFrom_.find(to);
      if (holder == movingFrom_.end()) {
        end = NameRowStatus::NameTaken;
        break;
      }
      if (const auto settled = done_.find(holder->second); settled != done_.end()) {
        end = settled->second ? NameRowStatus::Changes : NameRowStatus::NameTaken;
        break;
      }
      if (const auto ring = onChain.find(holder->second); ring != onChain.end()) {
        for (std::size_t k = ring->second; k < chain.size(); ++k) {
          plan_.rows[chain[k]].status = NameRowStatus::NamesSwapped;
          Settle(chain[k], false);
        }
        chain.resize(ring->second);  // those before the ring wait on it in vain
        end = NameRowStatus::NameTaken;
        break;
      }
      i = holder->second;
    }
    for (std::size_t k = chain.size(); k-- > 0;) {
      if (end == NameRowStatus::Changes) {
        Settle(chain[k], true);
      } else {
        plan_.rows[chain[k]].status = end;
        Settle(chain[k], false);
      }
    }
  }

  void Settle(std::size_t i, bool renamed) {
    done_[i] = renamed;
    if (renamed) plan_.renames.push_back({plan_.rows[i].from, plan_.rows[i].to});
  }

  RenamePlan& plan_;
  std::unordered_map<std::string, std::size_t> movingFrom_;
  std::unordered_map<std::size_t, bool> done_;  // row index -> renamed
};

}  // namespace

RenamePlan PlanRenames(const TrackGrid& grid, const std::vector<int>& rows,
                       std::string_view pattern) {
  RenamePlan plan;
  const ParsedPattern parsed = NamePattern::Parse(pattern, PatternUse::NamesFromTags);
  if (!parsed.pattern) {
    plan.error = parsed.error;
    return plan;
  }
  const std::vector<Field> fields = parsed.pattern->Fields();
  std::unordered_map<std::string, int> claimed;  // new path -> row
  for (int row : rows) {
    RenamePlan::Row line{row, grid.FullPathOf(row), {}, NameRowStatus::Changes};
    const auto [stem, extension] = SplitExtension(grid.FieldCell(colFile, row));
    const std::string name = platform::PortableFileName(
        parsed.pattern->Fill([&](Field f) -> const std::string& { return grid.FieldCell(f, row); }),
        extension);
    const bool noValue = std::all_of(fields.begin(), fields.end(),
                                     [&](Field f) { return grid.FieldCell(f, row).empty(); });
    if (noValue || name.empty()) {
      line.status = NameRowStatus::EmptyName;
    } else {
      line.to = grid.FieldCell(colPath, row) + name;
      if (line.to == line.from) {
        line.status = NameRowStatus::Unchanged;
      } else if (!claimed.emplace(line.to, row).second) {
        line.status = NameRowStatus::SameNewName;
      }
    }
    plan.rows.push_back(std::move(line));
  }
  RenameOrder(plan).Resolve(grid);
  return plan;
}

NamePreview PreviewOf(const TrackGrid& grid, const TagsFromNamesPlan& plan) {
  NamePreview preview;
  preview.error = plan.error;
  preview.headers.emplace_back(FieldHeader(colFile));
  for (Field f : plan.fields) preview.headers.emplace_back(FieldHeader(f));
  preview.headers.emplace_back("結果");
  for (const TagsFromNamesPlan::Row& row : plan.rows) {
    std::vector<std::string> line{grid.FieldCell(colFile, row.row)};
    line.insert(line.end(), row.values.begin(), row.values.end());
    line.resize(plan.fields.size() + 1);
    line.emplace_back(StatusText(row.status));
    preview.lines.push_back(std::move(line));
    if (row.status == NameRowStatus::Changes) ++preview.changing;
  }
  return preview;
}

NamePreview PreviewOf(const RenamePlan& plan) {
  NamePreview preview;
  preview.error = plan.error;
  preview.headers = {std::string(FieldHeader(colFile)), "新しいファイル名", "結果"};
  for (const RenamePlan::Row& row : plan.rows) {
    preview.lines.push_back({platform::FileNamePart(row.from), platform::FileNamePart(row.to),
                             std::string(StatusText(row.status))});
    if (row.status == NameRowStatus::Changes) ++preview.changing;
  }
  return preview;
}

}  // namespace quilmark
