#!/usr/bin/env bash
# Installs every Debian package the project needs and builds it.
# Idempotent; on Debian 12, as root or as a user who may use sudo (only the
# package installation runs through sudo then; the build is the user's).
set -euo pipefail
cd "$(dirname "$0")/.."

PACKAGES=(
  cmake ninja-build g++ clang libclang-rt-14-dev pkg-config ccache
  libssl-dev libgtest-dev libbenchmark-dev
  qt6-base-dev
  iproute2 procps
  xvfb x11-apps x11-utils xauth imagemagick fonts-dejavu-core
  python3 python3-pil
  dpkg-dev file lintian desktop-file-utils appstream librsvg2-bin nftables
)

missing=()
for p in "${PACKAGES[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if ((${#missing[@]})); then
  echo "setup: installing ${missing[*]}"
  as_root=()
  if [[ $EUID -ne 0 ]]; then
    command -v sudo >/dev/null || { echo "setup: run as root, or install sudo" >&2; exit 1; }
    as_root=(sudo)
  fi
  "${as_root[@]}" env DEBIAN_FRONTEND=noninteractive apt-get update -qq
  "${as_root[@]}" env DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi

BUILD_DIR=${BUILD_DIR:-build}
# ccache keeps compiled objects across clones and build folders of this
# machine, so a second build (CI after a session, a sanitizer build) is quick.
# Paths are taken relative to the checkout, so any clone's folder hits.
launcher="env;CCACHE_BASEDIR=$PWD;CCACHE_NOHASHDIR=1;ccache"
cmake -S . -B "$BUILD_DIR" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DCMAKE_CXX_COMPILER_LAUNCHER="$launcher" -DCMAKE_C_COMPILER_LAUNCHER="$launcher" >/dev/null
ninja -C "$BUILD_DIR"
echo "setup: built into $BUILD_DIR/bin"
