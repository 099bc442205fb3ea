#!/usr/bin/python3
"""Writes the seed inputs of the fuzz targets.

usage: make_seeds.py FOLDER

FOLDER/<target>/ gets a few dozen small inputs for each target: MP3 files
tagged by another tagger (mutagen) in every version and encoding, tags made
byte by byte with the flags and sizes hostile files use, playlists and CSV
lists in the encodings other programs write, and settings files. The
rewrite target reads one more byte first (which tag kind and encoding to
write), so its seeds are the tag seeds behind each such byte.
"""
import io
import os
import struct
import sys

from mutagen import id3


def mpeg_audio(frames):
    """Silent MPEG-1 layer III frames, 128 kbit/s at 44.1 kHz (417 bytes)."""
    frame = b"\xff\xfb\x90\x64" + bytes(413)
    return frame * frames


def synchsafe(n):
    return bytes(((n >> 21) & 0x7F, (n >> 14) & 0x7F, (n >> 7) & 0x7F, n & 0x7F))


def tag(major, body, flags=0):
    return b"ID3" + bytes((major, 0, flags)) + synchsafe(len(body)) + body


def frame23(fid, content, flags=0):
    return fid + struct.pack(">IH", len(content), flags) + content


def frame24(fid, content, flags=0):
    return fid + synchsafe(len(content)) + struct.pack(">H", flags) + content


def frame22(fid, content):
    return fid + struct.pack(">I", len(content))[1:] + content


def id3v1(title=b"title", track=3, genre=17):
    return (b"TAG" + title.ljust(30, b"\0") + b"artist".ljust(30, b"\0") +
            b"album".ljust(30, b"\0") + b"1999" + b"comment".ljust(28, b"\0") +
            bytes((0, track, genre)))


def unsynchronise(data):
    out = bytearray()
    for i, b in enumerate(data):
        out.append(b)
        if b == 0xFF and (i + 1 == len(data) or data[i + 1] == 0 or data[i + 1] >= 0xE0):
            out.append(0)
    return bytes(out)


def mutagen_files():
    """Files as another tagger writes them: each version and encoding."""
    files = {}
    for version in (3, 4):
        for encoding in (0, 1, 2, 3):
            if version == 3 and encoding > 1:
                continue
            # Latin-1 (encoding 0) holds no Japanese.
            ja = (lambda text, latin: text if encoding else latin)
            tags = id3.ID3()
            tags.add(id3.TIT2(encoding=encoding, text=[ja("タイトル", "Title")]))
            tags.add(id3.TPE1(encoding=encoding, text=["Artist", "Second"]))
            tags.add(id3.TRCK(encoding=encoding, text=["5/12"]))
            tags.add(id3.TCON(encoding=encoding, text=["(17)Rock"]))
            tags.add(id3.COMM(encoding=encoding, lang="jpn", desc=ja("説明", "desc"),
                              text=[ja("長い\nコメント", "long\ntext")]))
            tags.add(id3.WXXX(encoding=encoding, desc="site", url="http://example.com/"))
            tags.add(id3.APIC(encoding=encoding, mime="image/png", type=3, desc="cover",
                              data=b"\x89PNG\r\n\x1a\n" + bytes(64)))
            tags.add(id3.TXXX(encoding=encoding, desc="REPLAYGAIN", text=["-6.0 dB"]))
            tags.add(id3.USLT(encoding=encoding, lang="eng", desc="", text="la la"))
            out = io.BytesIO(mpeg_audio(3))
            tags.save(out, v2_version=version, padding=lambda info: 64)
            files["mutagen-v2%d-enc%d.mp3" % (version, encoding)] = out.getvalue()
    return files


def hand_made_tags():
    title = frame23(b"TIT2", b"\0title")
    return {
        "v22.mp3": tag(2, frame22(b"TT2", b"\0title") + frame22(b"COM", b"\0eng\0text") +
                       frame22(b"PIC", b"\0PNG\x03\0" + bytes(16))) + mpeg_audio(2),
        "v23-unsynchronised.mp3": tag(3, unsynchronise(title + frame23(b"TPE1", b"\0\xff\xe0"))
                                      + bytes(8), 0x80) + mpeg_audio(2),
        "v23-extended-header.mp3": tag(3, struct.pack(">IHI", 6, 0, 0) + title, 0x40)
                                   + mpeg_audio(1),
        "v23-frame-flags.mp3": tag(3, frame23(b"TIT2", b"\0t", 0x8000) +
                                   frame23(b"TALB", b"\0\0\0\0\x10x\x9c", 0x0080) +
                                   frame23(b"TPE1", b"\x01a", 0x0020)) + mpeg_audio(1),
        "v24-frame-flags.mp3": tag(4, frame24(b"TIT2", b"\x03\xff\0t", 0x0002) +
                                   frame24(b"TPE1", b"\0\0\0\x02\x03a", 0x0001) +
                                   frame24(b"TALB", b"\x05\x03g", 0x0040), 0x10) +
                               mpeg_audio(1),
        "size-past-end.mp3": b"ID3\x03\0\0\x7f\x7f\x7f\x7f" + title,
        "frame-past-tag.mp3": tag(3, title)[:-2] + mpeg_audio(1),
        "v1-only.mp3": mpeg_audio(2) + id3v1(),
        "v1-and-v2.mp3": tag(3, title) + mpeg_audio(1) + id3v1(),
        "junk-then-audio.mp3": b"junk" * 100 + mpeg_audio(2),
        "free-format.mp3": b"\xff\xfb\x00\x64" + bytes(200),
        "empty.mp3": b"",
        "text.mp3": b"File,Title\r\n/m/a.mp3,T\r\n",
    }


def lists():
    sjis = "曲/ソ.mp3\r\n".encode("cp932")
    return {
        "playlist.m3u": b"#EXTM3U\r\n#EXTINF:123,A - T\r\n../music/a.mp3\r\n\r\n" + sjis,
        "playlist-lf.m3u": b"/abs/a.mp3\n..\\win\\b.mp3\nc.mp3",
        "sectioned.pls": b"[playlist]\r\nFile1=a.mp3\r\nTitle1=A\r\nNumberOfEntries=1\r\n",
        "written.csv": b"FILE,NO,ARTIST,TITLE\r\n/m/a.mp3,1,\" \",\"a, \"\"b\"\"\"\r\n",
        "quoted.csv": b"File, Title ,Album Artist\r\n\"../m/two.mp3\" ,x,\"y\r\n",
        "utf8-bom.csv": "\ufeffFile,Title\r\n/m/é.mp3,ü\r\n".encode("utf-8"),
        "nul.m3u": b"a.mp3\r\nb\0c.mp3\r\n",
    }


def settings():
    key = "[Software\\QUIL\\QUILMARK]\n"
    return {
        "stored.txt": ("; comment\n" + key + '"WinSize"="10,20,300,200"\n'
                       '"ShowToolbar"=dword:00000001\n"ColOrder"="BACDEFGHIJKLMNOPQRS"\n'
                       '"ShowCol"="0111111111111111111"\n"CSV"="10101010101010101"\n'
                       '"Charset"=dword:2\n"WriteTagVersion"=dword:1\n'
                       '"SaveSettings"=dword:0\n').encode(),
        "escapes.txt": (key + '"Text"="a\\\\b\\"c\\n\\x01"\n@="default"\n'
                        '"Path"=expand:"%HOME%/x"\n').encode(),
        "wrong-type.txt": (key + '"WinSize"=dword:1\n').encode(),
        "broken.txt": (key + '"Open"="no end\n').encode(),
        "two-keys.txt": ("[Software]\n\"A\"=dword:1\n" + key + "[software\\quil\\quilmark]\n"
                         '"CSV"="1"\r\n').encode(),
    }


def main():
    if len(sys.argv) != 2:
        sys.exit(__doc__)
    folder = sys.argv[1]
    tags = {**mutagen_files(), **hand_made_tags()}
    rewrite = {}
    for name, data in tags.items():
        for choice in range(16):  # kind (4) by encoding (4), as the target reads them
            byte = (choice % 4) | ((choice // 4) << 2)
            rewrite["%02d-%s" % (choice, name)] = bytes((byte,)) + data
    for target, seeds in (("read_tags", tags), ("rewrite_tags", rewrite),
                          ("list_text", lists()), ("settings_file", settings())):
        os.makedirs(os.path.join(folder, target), exist_ok=True)
        for name, data in seeds.items():
            with open(os.path.join(folder, target, name), "wb") as out:
                out.write(data)
    print("seeds written to", folder)


if __name__ == "__main__":
    main()
