#!/usr/bin/env bash
# The instructions page as the customer sees it in the viewer (823 x 524 under a blue
# title bar): at its top, scrolled to the table of what changed and to the pictures, and
# a frame set of a contents frame beside the page, whose right frame the wheel scrolls.
# Screenshots: $BUILD/screenshots/htmlview-{top,table,pictures,frames,frames-scrolled}.png
source "$(dirname "$0")/lib.sh"
SHOW="$BUILD/tests/win32/html_show.exe"
PAGES="$BUILD/components/EXE/VerInfo/3200876.02"
[ -f "$SHOW" ] || fail "no html_show at $SHOW"
[ -f "$PAGES/Instruct.htm" ] || fail "no demo page at $PAGES"
folder="$WINEPREFIX/drive_c/Instructiuni"
mkdir -p "$folder"
cp "$PAGES"/* "$folder/"
cat >"$folder/cuprins.htm" <<'HTML'
<html><head><meta charset="utf-8"><title>Cuprins</title></head>
<body bgcolor="#E8EDF2"><h3><font color="#084A8C">Cuprins</font></h3>
<p><a href="Instruct.htm#pornire" target="pagina">Prima pornire</a></p>
<p><a href="Instruct.htm#schimbari" target="pagina">Ce s-a schimbat</a></p>
<p><a href="Instruct.htm#imagini" target="pagina">Cum arată</a></p>
<p><a href="Intrebari.htm" target="pagina">Întrebări frecvente</a></p></body></html>
HTML
cat >"$folder/cadre.htm" <<'HTML'
<html><head><meta charset="utf-8"><title>Corvan 3200876.02 – instrucțiuni în cadre</title></head>
<frameset cols="200,*"><frame src="cuprins.htm" name="cuprins"><frame src="Instruct.htm" name="pagina"></frameset>
</html>
HTML

# show PAGE SHOT [WHERE]: the page in the viewer, its screenshot once painted.
show() {
  local page=$1 shot=$2 where=${3:-} marker="$E2E_WORK/shown-$2"
  rm -f "$marker"
  wine "$SHOW" "C:\\Instructiuni\\$page" "$(winepath -w "$marker")" $where >"$E2E_WORK/$shot.log" 2>&1 &
  SHOW_PID=$!
  wait_for_file "$marker" 30 || fail "$page was never shown ($(cat "$E2E_WORK/$shot.log"))"
  screenshot "htmlview-$shot"
  echo "htmlview-$shot.png: $(grep -o 'painted_ms=[0-9.]*' "$E2E_WORK/$shot.log")"
}
done_with() {
  rm -f "$E2E_WORK/shown-$1"
  wait_for_exit "$SHOW_PID" 20 || fail "the viewer of $1 did not end"
  wait "$SHOW_PID" || fail "the viewer of $1 ended with an error"
}

show Instruct.htm top
done_with top
show Instruct.htm table "#schimbari"
done_with table
show Instruct.htm pictures "#imagini"
done_with pictures
show cadre.htm frames
# The wheel over the right frame scrolls it alone: the contents frame stays as it was.
before_left=$(import -window root -crop 190x400+110+60 -depth 8 rgb:- | md5sum)
before_right=$(import -window root -crop 500x400+330+60 -depth 8 rgb:- | md5sum)
xdotool mousemove 600 300
for _ in 1 2 3 4 5 6; do xdotool click 5; sleep 0.1; done
sleep 0.5
after_left=$(import -window root -crop 190x400+110+60 -depth 8 rgb:- | md5sum)
after_right=$(import -window root -crop 500x400+330+60 -depth 8 rgb:- | md5sum)
screenshot "htmlview-frames-scrolled"
[ "$before_right" != "$after_right" ] || fail "the wheel did not scroll the right frame"
[ "$before_left" = "$after_left" ] || fail "the wheel over the right frame moved the contents frame"
echo "htmlview-frames-scrolled.png: the right frame scrolled, the contents frame stayed"
done_with frames
