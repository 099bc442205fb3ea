// Between a grid row and a TagValues: which field column holds which key.
#pragma once

#include "tag/tag_values.h"
#include "tracklist/track_grid.h"

namespace quilmark {

// Fills a row's field cells (each with Get of its key, at the field's
// position in `layout`), colCommentLang (Comment0), colCommentLong
// (Comment2) and colWork (the whole list as comma text).
void FillRowFromTagValues(TrackGrid::Row& cells, const ColumnLayout& layout,
                          const TagValues& values);

// Sets, in this order, Title, Artist, Album, Year, Commentv1, Comment (the
// write form: language padded with blanks to three characters,
// description, "\0", long text; not set when all three are empty), Track,
// Genre, Lyricist, Composer, Copyright, Encoded, URL, BPM, OrgAlbum,
// OrgLyricist, OrgArtist, OrgYear, each from its cell. The list is not
// cleared first: a key removed earlier and set again goes to the end, and
// the frame order follows.
void SetRowIntoTagValues(const TrackGrid& grid, int row, TagValues& values);

}  // namespace quilmark
