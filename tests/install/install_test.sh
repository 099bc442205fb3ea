#!/usr/bin/env bash
# Installs the build into a scratch prefix and uses what was installed, as a
# user of the package would: both programs run from the prefix, the desktop
# entry and the AppStream metadata pass the desktop's validators, and the
# window, started offscreen, opens its help from where it was installed.
#   install_test.sh BUILD_DIR PROBE_PLUGIN_DIR VERSION
set -euo pipefail
build="$1" probe_plugins="$2" version="$3"

work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
prefix="$work/prefix"
fail() {
  echo "install test: $*" >&2
  exit 1
}

cmake --install "$build" --prefix "$prefix" >"$work/install.log" 2>&1 ||
  fail "cmake --install failed: $(cat "$work/install.log")"

# Everything where the desktop looks for it (the programs and the help are
# tried below, by running them).
entry="$prefix/share/applications/quilmark.desktop"
metainfo="$prefix/share/metainfo/org.quil.quilmark.metainfo.xml"
[[ -f "$prefix/share/icons/hicolor/scalable/apps/quilmark.svg" ]] || fail "no scalable icon installed"
pictures=0
for png in "$prefix"/share/icons/hicolor/*x*/apps/quilmark.png; do
  size="$(basename "$(dirname "$(dirname "$png")")")"
  file -b "$png" | grep -q "PNG image data, ${size%x*} x ${size#*x}," ||
    fail "$png is not a ${size} picture: $(file -b "$png")"
  pictures=$((pictures + 1))
done
((pictures >= 6)) || fail "only $pictures icon sizes installed"

# The command-line program, on a song another tagger wrote: Debian's own
# Python, which has python3-mutagen.
/usr/bin/python3 - "$work/song.mp3" <<'PY'
import sys
from mutagen.id3 import ID3, TIT2, TPE1
open(sys.argv[1], "wb").write((b"\xff\xfb\x90\x64" + bytes(413)) * 8)
tags = ID3()
tags.add(TIT2(encoding=1, text="Installed Song"))
tags.add(TPE1(encoding=1, text="The Prefix"))
tags.save(sys.argv[1], v2_version=3)
PY
(cd "$work" && XDG_CONFIG_HOME="$work/config" "$prefix/bin/quilmark-cli" export -o list.csv song.mp3) ||
  fail "quilmark-cli export failed"
grep -q "Installed Song" "$work/list.csv" && grep -q "The Prefix" "$work/list.csv" ||
  fail "the exported list lacks the song's tags: $(cat "$work/list.csv")"

# The menu entry and the metadata, by the desktop's own rules.
desktop-file-validate "$entry" || fail "desktop-file-validate rejected the menu entry"
grep -qx "Icon=quilmark" "$entry" || fail "the menu entry names another icon"
grep -qx "Exec=quilmark %F" "$entry" || fail "the menu entry starts another program"
appstreamcli validate --no-net "$metainfo" >"$work/appstream.txt" ||
  fail "appstreamcli rejected the metadata: $(cat "$work/appstream.txt")"
grep -q "<launchable type=\"desktop-id\">quilmark.desktop</launchable>" "$metainfo" ||
  fail "the metadata does not launch the installed menu entry"
newest="$(grep -o '<release version="[^"]*"' "$metainfo" | head -1)"
[[ "$newest" == "<release version=\"$version\"" ]] ||
  fail "the metadata's newest release is $newest, the program is $version"

# The window, offscreen: F1 opens the help collection of the prefix.
status=0
QT_QPA_PLATFORM=offscreen QT_PLUGIN_PATH="$probe_plugins" QT_QPA_GENERIC_PLUGINS=quilmarkprobe \
  XDG_CONFIG_HOME="$work/config" XDG_DATA_HOME="$work/data" \
  timeout 60 "$prefix/bin/quilmark" >"$work/probe.txt" 2>"$work/probe.err" || status=$?
cat "$work/probe.txt"
((status == 0)) ||
  fail "the installed window did not open its help (status $status): $(cat "$work/probe.err")"
grep -qx "help collection: $prefix/share/quilmark/quilmark.qhc" "$work/probe.txt" ||
  fail "the help did not come from the installed collection"
grep -qx "cancel button: キャンセル" "$work/probe.txt" || fail "Qt's own texts are not Japanese"
grep -q "window icon sizes: [1-9]" "$work/probe.txt" || fail "the window has no icon"
echo "install test: all checks passed"
