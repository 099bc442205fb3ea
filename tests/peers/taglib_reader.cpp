// TagLib as a second independent reader: prints a file's ID3v2 tag in the
// lines of the mutagen reader (bridge/peer_readers.h), so that a test can
// hold the two against each other.
//   taglib_reader FILE [PICTURE]
#include <taglib/attachedpictureframe.h>
#include <taglib/commentsframe.h>
#include <taglib/id3v2frame.h>
#include <taglib/id3v2tag.h>
#include <taglib/mpegfile.h>
#include <taglib/textidentificationframe.h>
#include <taglib/urllinkframe.h>

#include <fstream>
#include <iostream>
#include <iterator>
#include <string>

namespace {

// As mutagen shows it: text that says Latin-1 as its raw bytes, other text
// as UTF-8.
std::string Raw(const TagLib::String& text, TagLib::String::Type encoding) {
  return text.to8Bit(encoding != TagLib::String::Latin1);
}

void Line(const std::string& id, const std::string& rest) {
  std::cout << id << ' ' << rest << '\n';
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 2) return 2;
  std::string picture;
  if (argc > 2) {
    std::ifstream in(argv[2], std::ios::binary);
    picture.assign(std::istreambuf_iterator<char>(in), {});
  }
  TagLib::MPEG::File file(argv[1], false);
  TagLib::ID3v2::Tag* tag = file.isValid() ? file.ID3v2Tag() : nullptr;
  if (!tag) return 1;
  Line("version", "2." + std::to_string(tag->header()->majorVersion()));
  for (TagLib::ID3v2::Frame* frame : tag->frameList()) {
    const std::string id(frame->frameID().data(), frame->frameID().size());
    using namespace TagLib::ID3v2;
    if (auto* c = dynamic_cast<CommentsFrame*>(frame)) {
      const auto e = c->textEncoding();
      Line(id, std::string(c->language().data(), c->language().size()) + ' ' +
                   Raw(c->description(), e) + ' ' + Raw(c->text(), e));
    } else if (auto* u = dynamic_cast<UserUrlLinkFrame*>(frame)) {
      Line(id, Raw(u->description(), u->textEncoding()) + ' ' + u->url().to8Bit(true));
    } else if (auto* p = dynamic_cast<AttachedPictureFrame*>(frame)) {
      const bool same = std::string(p->picture().data(), p->picture().size()) == picture;
      Line(id, p->mimeType().to8Bit(true) + ' ' + std::to_string(static_cast<int>(p->type())) +
                   ' ' + Raw(p->description(), p->textEncoding()) + (same ? " True" : " False"));
    } else if (auto* x = dynamic_cast<UserTextIdentificationFrame*>(frame)) {
      const auto fields = x->fieldList();
      Line(id, Raw(x->description(), x->textEncoding()) + ' ' +
                   (fields.size() > 1 ? Raw(fields[1], x->textEncoding()) : ""));
    } else if (auto* t = dynamic_cast<TextIdentificationFrame*>(frame)) {
      const auto fields = t->fieldList();
      Line(id, fields.isEmpty() ? "" : Raw(fields.front(), t->textEncoding()));
    }
  }
  return 0;
}
