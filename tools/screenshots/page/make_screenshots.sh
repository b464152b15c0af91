#!/usr/bin/env bash
# Takes docs/editor-toolbar-{all,extended,standard,lite}.png (the built page in a
# 1000x700 view under Xvfb, once per toolbar set, with a sample article), and
# docs/editor-press-release.png, docs/editor-law-check.png, docs/editor-corrections.png, docs/editor-publish-check.png,
# docs/editor-phone-preview.png, and the toolbar in the first window and at 1600 px
# (docs/editor-toolbar-first-window.png, editor-toolbar-1600.png). The viewer grabs
# its own window (a root-window grab of a WebEngine view comes out black without a GPU).
#   tools/screenshots/page/make_screenshots.sh <build dir>
set -euo pipefail
build=$(realpath "${1:-build}")
here=$(cd "$(dirname "$0")" && pwd)
docs="$here/../../../docs"
fixtures="$here/../../../tests/page/fixtures"
viewer="$build/tools/screenshots/page/editor_page_viewer"
export QTWEBENGINE_DISABLE_SANDBOX=1
# No GPU under Xvfb: software rendering, or the window grabs come out black.
export QTWEBENGINE_CHROMIUM_FLAGS="--disable-gpu"
for set in All Extended Standard Lite; do
  work=$(mktemp -d)
  cp -r "$build/bin/." "$work/"
  sed -i "s/^toolbars=.*\r\$/toolbars=$set\r/" "$work/web.ini"
  name=$(echo "$set" | tr '[:upper:]' '[:lower:]')
  xvfb-run -a -s "-screen 0 1000x700x24" \
    "$viewer" "$work/index.html" "$fixtures/screenshot-article.html" "$docs/editor-toolbar-$name.png"
  rm -rf "$work"
done
# The formatted press release and the law check on it, at 1100x780.
for shot in format-press-release:editor-press-release law-check:editor-law-check corrections:editor-corrections \
  publish-check:editor-publish-check phone-preview:editor-phone-preview; do
  xvfb-run -a -s "-screen 0 1280x900x24" "$viewer" "$build/bin/index.html" \
    "$fixtures/press-release.html" "$docs/${shot#*:}.png" "$here/shots/${shot%%:*}.js" 1100x780
done
# The toolbar as the program shows it (the article store's buttons too, from the tests' store):
# in the first window's client area (634x457) and maximised on a 1600 px wide screen.
echo "'shown'" > "$build/noop-shot.js"
for shot in 634x457:editor-toolbar-first-window 1600x860:editor-toolbar-1600; do
  CORVEL_FAKE_HOST="$here/../../../page/src/testing/fake-host.js" xvfb-run -a -s "-screen 0 1920x1080x24" \
    "$viewer" "$build/bin/index.html" "$fixtures/screenshot-article.html" "$docs/${shot#*:}.png" \
    "$build/noop-shot.js" "${shot%%:*}"
done
# Real Word files from the corpus opened through 打开: a Chinese one with a table and centred
# lines, also after the .docx export round trip, and one with footnotes (docs/word-file-*.png).
for shot in poi-tl-resume-resume:false:word-file-opened poi-tl-resume-resume:true:word-file-round-trip \
  mammoth-footnotes:false:word-file-notes; do
  word="$here/../../../tests/data/corpus/docx/${shot%%:*}.docx"
  rest=${shot#*:}
  sed -e "s|@NAME@|$(basename "$word")|" -e "s|@ROUND_TRIP@|${rest%%:*}|" \
    -e "s|@BASE64@|$(base64 -w0 "$word")|" "$here/shots/word-file.js" > "$build/word-shot.js"
  CORVEL_SHOT_WAIT_MS=4000 CORVEL_FAKE_HOST="$here/../../../page/src/testing/fake-host.js" \
    xvfb-run -a -s "-screen 0 1280x1000x24" "$viewer" "$build/bin/index.html" \
    "$fixtures/screenshot-article.html" "$docs/${rest#*:}.png" "$build/word-shot.js" 1100x900
done
# A page of the PDF that 导出 writes, through the program's own printer (needs pdftoppm, from
# poppler-utils): docs/editor-pdf-page.png.
CORVEL_SHOT_PDF=1 CORVEL_FAKE_HOST="$here/../../../page/src/testing/fake-host.js" \
  xvfb-run -a -s "-screen 0 1280x900x24" "$viewer" "$build/bin/index.html" \
  "$fixtures/press-release.html" "$build/shot.pdf" "$here/shots/pdf-page.js" 1100x780
pdftoppm -png -r 80 -f 1 -l 1 -singlefile "$build/shot.pdf" "$docs/editor-pdf-page"
