# Sourced by everything that runs Wine for the tests and the demo. Wine sees only the
# prefix's own fonts (C:\windows\Fonts, filled by make-wine-prefix.sh): the fontconfig
# file names no font folder, so the host's fonts never enter the font list or the
# fallback chain, and every machine draws with the same faces.
export FONTCONFIG_FILE="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)/no-host-fonts.conf"
export WINEDEBUG=${WINEDEBUG:--all}
