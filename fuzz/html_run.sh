#!/usr/bin/env bash
# Builds the HTML engine's libFuzzer target (clang, ASan + UBSan) and runs it for a bounded
# time (CORVAN_HTML_FUZZ_SECONDS, 45 by default) from seeds: the demo pages and pages of
# each kind the view shows (tables, lists, forms, frames, broken markup). A crash, a hang
# or a broken promise fails the run and leaves its input under the build folder.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
out=${CORVAN_BUILD:-$root/build}/fuzz-html
seconds=${CORVAN_HTML_FUZZ_SECONDS:-45}
mkdir -p "$out/corpus" "$out/seeds" "$out/artifacts"

sources=()
for f in charset entities parser css style frames page widths table layout form links hit; do
  sources+=("$root/core/html_$f.cpp")
done
clang++ -std=c++20 -O1 -g -fsanitize=fuzzer,address,undefined -fno-sanitize-recover=undefined \
  -I "$root" "$root/fuzz/html_fuzz.cpp" "${sources[@]}" "$root/core/text.cpp" -o "$out/html_fuzz"

# Seeds: a width byte, then a page.
seed() {  # name, page
  { printf '\x96'; printf '%s' "$2"; } > "$out/seeds/$1"
}
for page in "$root"/standins/product/payload/VerInfo/*/*.htm; do
  { printf '\xC8'; cat "$page"; } > "$out/seeds/demo-$(basename "$page")"
done
seed table.htm '<table border=1 cellpadding=4 width=90%><caption>c</caption><tr><th colspan=2>a<th rowspan=3>b<tr><td width=30>1<td>2<tr><td nowrap>x y z<td><table><tr><td>in</table></table>'
seed lists.htm '<ol start=3 type=i><li>a<li value=9>b<ul><li>c<ul type=square><li>d</ul></ul></ol><dl><dt>t<dd>d</dl>'
seed forms.htm '<form action=a method=post target=t><input name=n value=v size=5><input type=checkbox name=c checked><input type=radio name=r><select name=s multiple size=2><option>1<optgroup><option selected>2</optgroup></select><textarea rows=2 cols=5>x</textarea><button>b</button><input type=image alt=i><label for=n>l</label></form>'
seed frames.htm '<frameset rows="30%,*,100" border=4><frame src=a.htm name=a scrolling=no><frameset cols="*,2*"><frame src=b.htm><frame></frameset></frameset>'
seed floats.htm '<p><img src=a.png align=left hspace=4>text text text <img src=huge.png align=right width=50> more<br clear=all><img src=missing alt="alt text" border=2>'
seed css.htm '<style>p.x{color:red;margin:1em auto;border:2px solid} #i{font:bold italic 20px/1 Arial} td b{background:#ff0}@media screen{h1{font-size:200%}}</style><p class=x id=i style="width:50%;float:right">a<h1>h</h1><table><tr><td><b>c</b></table>'
seed broken.htm '<b><i>1</b>2</i><p><table>x<tr><td>y</p></td></tr><a href=1><a href=2></table><select><b>z<option>o</select></div></span><!-- x'
seed pre.htm '<pre>	tab	x
  line &amp; <b>bold</b></pre><xmp><p>raw</xmp><plaintext><b>all raw'
cat > "$out/html.dict" <<'EOF2'
"<table"
"<tr>"
"<td"
"<th"
"colspan="
"rowspan="
"<p>"
"<br>"
"<img src=a.png"
"<img src=huge.png"
"<a href="
"<a name="
"<ul><li>"
"<ol>"
"<form"
"<input"
"<select>"
"<option"
"<textarea>"
"<frameset cols="
"<frame src="
"<style>"
"style=\""
"class="
"id="
"float:"
"margin:"
"width="
"align="
"<pre>"
"<b>"
"</b>"
"<!--"
"&amp;"
"&#x"
"<meta charset=utf-8>"
"\xEF\xBB\xBF"
EOF2

echo "== fuzzing the HTML parser and layout for ${seconds}s"
"$out/html_fuzz" -max_total_time="$seconds" -max_len=65536 -timeout=10 -rss_limit_mb=2048 \
  -dict="$out/html.dict" -artifact_prefix="$out/artifacts/" -print_final_stats=1 \
  "$out/corpus" "$out/seeds" 2>&1 | tail -n 12
exit "${PIPESTATUS[0]}"
