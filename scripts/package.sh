#!/usr/bin/env bash
# Builds the Debian package build/orvanta_<version>_amd64.deb (set-up and
# build first, as scripts/setup.sh does); with --install also installs it
# with apt. As root, or as a user who may use sudo: only the package
# installations run through sudo then.
#
#   bash scripts/package.sh             # build/orvanta_<version>_amd64.deb
#   bash scripts/package.sh --install   # ... and install it
set -euo pipefail
cd "$(dirname "$0")/.."
install=0
case ${1:-} in
  "") ;;
  --install) install=1 ;;
  -h|--help) sed -n '2,9p' "$0"; exit 0 ;;
  *) echo "package: unknown option $1" >&2; exit 2 ;;
esac
BUILD_DIR=${BUILD_DIR:-build}
bash scripts/setup.sh
rm -f "$BUILD_DIR"/orvanta_*.deb
cmake --build "$BUILD_DIR" --target package >/dev/null
# CPack's staging folder keeps a second copy of the package.
rm -rf "$BUILD_DIR/_CPack_Packages"
debs=("$BUILD_DIR"/orvanta_*_amd64.deb)
echo "package: ${debs[0]}"
if ((install)); then
  as_root=()
  [[ $EUID -ne 0 ]] && as_root=(sudo)
  # apt wants a path, not a bare file name, to take a local package.
  "${as_root[@]}" env DEBIAN_FRONTEND=noninteractive apt-get install -y "$(realpath "${debs[0]}")"
fi
