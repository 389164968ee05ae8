#!/bin/sh
# Regenerates brevorn.ico from the window icon. Run it after editing window/brevorn.xpm and
# commit both files: Windows builds then need no image tools.
set -eu
cd "$(dirname "$0")"
convert ../window/brevorn.xpm brevorn.ico
