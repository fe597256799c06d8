#!/usr/bin/env bash
# Makes the hicolor PNG icons from orvanta.svg (rsvg-convert, Debian package
# librsvg2-bin). With --check, only compares: fails when a committed PNG is
# not what the SVG gives now.
set -euo pipefail
cd "$(dirname "$0")"
SIZES=(16 24 32 48 64 128 256)
check=0
[[ ${1:-} == --check ]] && check=1
status=0
for s in "${SIZES[@]}"; do
  out=hicolor/${s}x${s}/orvanta.png
  mkdir -p "$(dirname "$out")"
  tmp=$(mktemp)
  rsvg-convert --width "$s" --height "$s" --format png orvanta.svg > "$tmp"
  if ((check)); then
    cmp -s "$tmp" "$out" || { echo "make-icons: $out differs from orvanta.svg (run packaging/icons/make-icons.sh)"; status=1; }
    rm -f "$tmp"
  else
    mv "$tmp" "$out"
    chmod 644 "$out"
  fi
done
exit $status
