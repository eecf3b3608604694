#!/usr/bin/env bash
# Renders the About window's picture, src/shell/icons/about.png, from the
# committed scene about_scene.pov: a capped (10,10) tube that the program's
# Tools › Launch POV-Ray wrote. Needs povray (package povray).
set -euo pipefail

here="$(cd "$(dirname "$0")" && pwd)"
target="$here/../../src/shell/icons/about.png"
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT

# POV-Ray reads and writes only below a few folders; the scratch folder is one.
cp "$here/about_scene.pov" "$work/"
(cd "$work" && povray -D +W400 +H300 +A +Iabout_scene.pov +Oabout.png)
cp "$work/about.png" "$target"
echo "wrote $target"
