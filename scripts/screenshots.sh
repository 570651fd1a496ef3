#!/usr/bin/env bash
# Makes pictures of the README in docs/ anew from the real windows under Xvfb: the board with a
# game (main-window.png), the settings window (settings.png), the tree window beside the board
# (tree-window.png) and a game against GNU Go (computer-game.png). The pictures of the browser,
# of two copies in a match, of the sequence viewer and of the packaged program are screenshots
# of the program run by hand.
#   scripts/screenshots.sh [BUILD]
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
build=${1:-$here/build}
"$here/scripts/setup.sh"
KELMAZ_BUILD_DIR=$build "$here/scripts/build.sh" >/dev/null
export QT_QPA_PLATFORM=xcb KELMAZ_SCREENSHOT_DIR=$here/docs
screen=(xvfb-run -a -s "-screen 0 1280x1024x24")
"${screen[@]}" "$build/tools/doc-pictures/kelmaz_doc_pictures"
