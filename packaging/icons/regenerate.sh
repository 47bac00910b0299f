#!/usr/bin/env bash
# Renders the PNG sizes of the application icon from its SVG (needs librsvg2-bin).
# The PNGs are committed, so building never needs this.
set -euo pipefail
cd "$(dirname "$0")"
for size in 16 24 32 48 64 128 256; do
  rsvg-convert -w "$size" -h "$size" vl-subconscious-self-number.svg -o "vl-subconscious-self-number-$size.png"
done
# The Windows icon resource holds the sizes Explorer and the task bar ask for (needs imagemagick).
convert vl-subconscious-self-number-{16,24,32,48,64,256}.png vl-subconscious-self-number.ico
# The window icon's sizes as raw 8-bit RGBA pixels, one after the other, which the program shows
# without decoding anything (needs imagemagick).
for size in 16 24 32 48 64; do
  convert "vl-subconscious-self-number-$size.png" -depth 8 rgba:-
done >vl-subconscious-self-number.rgba
