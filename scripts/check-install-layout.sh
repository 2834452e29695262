#!/usr/bin/env bash
# Checks an installed tree (a prefix such as /usr, or a staging copy of one): the program
# and its data files together in lib/quellist, bin/quellist a link to it, and the files a
# desktop needs to show it in its menu.
set -euo pipefail
prefix=$1
app_id=com.tarnwell.Quellist
failed=0
need() { [ -e "$prefix/$1" ] || { echo "missing from the install: $1" >&2; failed=1; }; }

for f in lib/quellist/quellist lib/quellist/quellist-convert lib/quellist/zipbase.mdb lib/quellist/HAND-M.CUR \
  share/applications/$app_id.desktop share/metainfo/$app_id.metainfo.xml \
  share/icons/hicolor/scalable/apps/$app_id.svg \
  share/icons/hicolor/{32x32,48x48,128x128,256x256}/apps/$app_id.png \
  share/doc/quellist/LICENSE share/doc/quellist/NOTICE share/man/man1/quellist.1.gz share/man/man1/quellist-convert.1.gz \
  share/bash-completion/completions/quellist-convert share/zsh/vendor-completions/_quellist-convert \
  share/fish/vendor_completions.d/quellist-convert.fish; do
  need "$f"
done
for program in quellist quellist-convert; do
  if [ "$(readlink "$prefix/bin/$program")" != "../lib/quellist/$program" ]; then
    echo "bin/$program is not a link to ../lib/quellist/$program" >&2
    failed=1
  fi
done
[ "$failed" -eq 0 ] && echo "install layout: complete"
exit "$failed"
