#!/usr/bin/env bash
# The main job for now: simulated cameras on two networks of a private "pc"
# (network namespaces, addresses from 198.18.0.0/15), one of them on a
# foreign subnet answering by broadcast, listed by `orvanta-cli search`.
# Nothing is sent on this machine's own interfaces; everything is removed
# at the end, also on failure or Ctrl-C. Needs root.
set -euo pipefail
cd "$(dirname "$0")/.."
BIN=${BUILD_DIR:-build}/bin
if [[ $EUID -ne 0 ]]; then
  echo "demo: needs root to create network namespaces (sudo bash scripts/demo.sh)" >&2
  exit 1
fi
for prog in orvanta-sim orvanta-cli; do
  [[ -x $BIN/$prog ]] || { echo "demo: $BIN/$prog is missing; run scripts/setup.sh first" >&2; exit 1; }
done

P=orvdemo$$
SW=$P-sw PC=$P-pc
NAMESPACES=()
PIDS=()
cleanup() {
  for pid in "${PIDS[@]}"; do kill "$pid" 2>/dev/null || true; done
  for pid in "${PIDS[@]}"; do wait "$pid" 2>/dev/null || true; done
  for ns in "${NAMESPACES[@]}"; do ip netns del "$ns" 2>/dev/null || true; done
}
trap cleanup EXIT
trap 'exit 130' INT TERM

netns() { ip netns add "$1"; NAMESPACES+=("$1"); ip -n "$1" link set lo up; }
LINK=0
# camera_host NAME SEGMENT CIDR: a namespace with eth0 on the segment's bridge.
camera_host() {
  netns "$P-$1"
  LINK=$((LINK + 1))
  ip -n "$SW" link add "p$LINK" type veth peer name eth0 netns "$P-$1"
  ip -n "$SW" link set "p$LINK" master "br$2" up
  ip -n "$P-$1" addr add "$3" dev eth0
  ip -n "$P-$1" link set eth0 up
}
# simulate NAME CAMERA...: runs the simulator in camera host NAME.
simulate() {
  local host=$1; shift
  local args=()
  for cam in "$@"; do args+=(--camera "$cam"); done
  local ready=$(mktemp)
  ip netns exec "$P-$host" "$BIN/orvanta-sim" "${args[@]}" >"$ready" &
  PIDS+=($!)
  for _ in $(seq 50); do grep -q ready "$ready" && break; sleep 0.1; done
  rm -f "$ready"
}

netns "$SW"
netns "$PC"
ip netns exec "$PC" sysctl -qw net.ipv4.conf.all.rp_filter=0 net.ipv4.conf.default.rp_filter=0
for seg in 1 2; do
  ip -n "$SW" link add "br$seg" type bridge
  ip -n "$SW" link set "br$seg" up
  LINK=$((LINK + 1))
  ip -n "$SW" link add "p$LINK" type veth peer name "eth$((seg - 1))" netns "$PC"
  ip -n "$SW" link set "p$LINK" master "br$seg" up
  ip -n "$PC" addr add "198.18.$seg.1/24" dev "eth$((seg - 1))"
  ip -n "$PC" link set "eth$((seg - 1))" up
done

camera_host office 1 198.18.1.20/24
simulate office \
  "mac=00:1a:2b:3c:4d:01,model=OV-210,name=Front door,ip=198.18.1.20,port=80,wifi=1" \
  "mac=00:1a:2b:3c:4d:02,model=OV-310,name=Garage,ip=198.18.1.21,port=8080,reply=broadcast"
camera_host lab 2 198.18.2.30/24
simulate lab "mac=00:1a:2b:3c:4d:03,model=OV-110,name=Lab bench,ip=198.18.2.30,port=80"
# A camera still on its factory subnet: it can only answer by broadcast.
camera_host factory 1 198.19.0.20/24
simulate factory "mac=00:1a:2b:3c:4d:04,model=OV-210,name=New camera,ip=198.19.0.20,reply=broadcast"

echo "pc adapters: eth0 198.18.1.1/24, eth1 198.18.2.1/24; searching (about 6 s)..."
ip netns exec "$PC" "$BIN/orvanta-cli" search "$@"
