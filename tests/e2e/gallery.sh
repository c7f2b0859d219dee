#!/usr/bin/env bash
# Runs every page of the gallery under the display and saves a screenshot of each as
# $BUILD/screenshots/gallery-<page>.png. The gallery writes a marker file once its page is
# painted and ends when the marker is deleted.
source "$(dirname "$0")/lib.sh"
GALLERY="$BUILD/gallery/gallery.exe"
[ -f "$GALLERY" ] || fail "no gallery at $GALLERY"
cp "$GALLERY" "$E2E_WORK/gallery.exe"
cd "$E2E_WORK"
# The instructions page of the demo media, where the viewer looks for it (ProgramDir C:\Corvan).
PAGES="$BUILD/components/EXE/VerInfo/3200876.02"
[ -f "$PAGES/Instruct.htm" ] || fail "no demo instructions page at $PAGES"
mkdir -p "$WINEPREFIX/drive_c/Corvan/VerInfo/3200876.02"
cp "$PAGES"/* "$WINEPREFIX/drive_c/Corvan/VerInfo/3200876.02/"

pages=$(wine gallery.exe 2>/dev/null | cut -f1 | tr -d '\r')
[ -n "$pages" ] || fail "the gallery lists no pages"
for page in $pages; do
  rm -f ready.txt
  wine gallery.exe "$page" ready.txt >"gallery-$page.log" 2>&1 &
  pid=$!
  wait_for_file ready.txt || { kill "$pid" 2>/dev/null || true; fail "page $page never showed"; }
  screenshot "gallery-$page"
  rm -f ready.txt
  wait "$pid" || fail "page $page ended with an error: $(cat "gallery-$page.log")"
  echo "gallery-$page.png"
done

# A real right click on the page behind an open message dialog answers the dialog: the
# "covered" page ends by itself (its marker is still there).
rm -f ready.txt
wine gallery.exe covered ready.txt >gallery-rightclick.log 2>&1 &
pid=$!
wait_for_file ready.txt || fail "the covered page never showed"
xdotool mousemove 700 150 click 3
if ! wait_for_exit "$pid" 10; then
  rm -f ready.txt
  wait "$pid" || true
  fail "a right click on the page did not answer the dialog"
fi
echo "right click on the page answered the dialog"
