#!/usr/bin/env bash
# The main job: the wizard against a handful of simulated cameras.
#
# A private "pc" with two adapters (network namespaces, addresses from
# 198.18.0.0/15) and five simulated cameras: one with Wi-Fi, a "Q47" (WPS
# button on the list page), a "K81" (restarts after its settings), one
# without Wi-Fi on the second network, and one still on a foreign factory
# subnet that can only answer by broadcast. The wizard (build/bin/orvanta)
# runs inside the pc on your display, as your own user when started through
# sudo. Nothing is sent on this machine's own interfaces; everything is
# removed when the wizard ends, also on failure or Ctrl-C. Needs root.
#
#   bash scripts/demo.sh                      # on your X11 or Wayland display
#   bash scripts/demo.sh --xvfb-shot shot.png # headless: screenshot, then end
# (as root, or as a user who may use sudo: the script asks for it)
#
# Every simulated camera accepts the ID "admin" with the password "admin".
set -euo pipefail
cd "$(dirname "$0")/.."
BIN=${BUILD_DIR:-build}/bin
SHOT=""
SHOT_DELAY=${SHOT_DELAY:-6}
while [[ $# -gt 0 ]]; do
  case $1 in
    --xvfb-shot) SHOT=${2:?--xvfb-shot needs a file name}; shift 2 ;;
    -h|--help) sed -n '2,17p' "$0"; exit 0 ;;
    *) echo "demo: unknown option $1" >&2; exit 2 ;;
  esac
done
if [[ $EUID -ne 0 ]]; then
  # Namespaces need root; the wizard itself still runs as the calling user.
  command -v sudo >/dev/null || { echo "demo: needs root to create network namespaces" >&2; exit 1; }
  exec sudo env BUILD_DIR="${BUILD_DIR:-build}" SHOT_DELAY="$SHOT_DELAY" DISPLAY="${DISPLAY:-}" \
    XAUTHORITY="${XAUTHORITY:-}" WAYLAND_DISPLAY="${WAYLAND_DISPLAY:-}" XDG_RUNTIME_DIR="${XDG_RUNTIME_DIR:-}" \
    bash "$0" "$@"
fi
for prog in orvanta orvanta-sim; do
  [[ -x $BIN/$prog ]] || { echo "demo: $BIN/$prog is missing; run scripts/setup.sh first" >&2; exit 1; }
done
if [[ -z $SHOT && -z ${DISPLAY:-} && -z ${WAYLAND_DISPLAY:-} ]]; then
  echo "demo: no display (DISPLAY or WAYLAND_DISPLAY); use --xvfb-shot FILE for a headless run" >&2
  exit 1
fi
[[ -n $SHOT ]] && SHOT=$(realpath -m "$SHOT")

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
  for cam in "$@"; do args+=(--camera "$cam,id=admin,pwd=admin"); done
  local ready
  ready=$(mktemp)
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
  "mac=00:1a:2b:3c:4d:01,model=OV-210W,name=Front door,ip=198.18.1.20,gw=198.18.1.1,port=80,wifi=1,essid=office" \
  "mac=00:1a:2b:3c:4d:02,model=Q47-N,name=Garage,ip=198.18.1.21,port=8080,wifi=1,essid=office"
camera_host lab 2 198.18.2.30/24
simulate lab \
  "mac=00:1a:2b:3c:4d:03,model=K81-X,name=Lab bench,ip=198.18.2.30,wifi=0" \
  "mac=00:1a:2b:3c:4d:04,model=OV-110,name=Hallway,ip=198.18.2.31,dhcp=1,wifi=0"
# A camera still on its factory subnet: it can only answer by broadcast.
camera_host factory 1 198.19.0.20/24
simulate factory "mac=00:1a:2b:3c:4d:05,model=OV-210,name=New camera,ip=198.19.0.20,reply=broadcast"

# The GUI runs as the user who called sudo, with that user's display.
AS_USER=()
if [[ -n ${SUDO_USER:-} && $SUDO_USER != root ]]; then
  AS_USER=(setpriv --reuid="$(id -u "$SUDO_USER")" --regid="$(id -g "$SUDO_USER")" --init-groups
           env HOME="$(getent passwd "$SUDO_USER" | cut -d: -f6)" USER="$SUDO_USER")
fi
GUI_ENV=()
for var in DISPLAY XAUTHORITY WAYLAND_DISPLAY XDG_RUNTIME_DIR QT_QPA_PLATFORM LANG LC_ALL; do
  [[ -n ${!var:-} ]] && GUI_ENV+=("$var=${!var}")
done

echo "pc adapters: eth0 198.18.1.1/24, eth1 198.18.2.1/24; five cameras (ID admin, password admin)"
if [[ -z $SHOT ]]; then
  # The X server is reached through its socket file in /tmp/.X11-unix (an
  # abstract socket or a TCP display such as ssh's localhost:10 belongs to
  # the machine's own network and cannot be seen from inside the pc).
  ip netns exec "$PC" "${AS_USER[@]}" env "${GUI_ENV[@]}" "$BIN/orvanta"
  exit 0
fi

# Headless check: a private X server, the wizard on it, one screenshot.
n=99
while [[ -e /tmp/.X11-unix/X$n || -e /tmp/.X$n-lock ]]; do n=$((n + 1)); done
Xvfb ":$n" -screen 0 1024x768x24 -nolisten tcp >/dev/null 2>&1 &
PIDS+=($!)
for _ in $(seq 50); do [[ -S /tmp/.X11-unix/X$n ]] && break; sleep 0.1; done
ip netns exec "$PC" "${AS_USER[@]}" env DISPLAY=":$n" QT_QPA_PLATFORM=xcb "$BIN/orvanta" &
WIZARD=$!
PIDS=("$WIZARD" "${PIDS[@]}")
sleep "$SHOT_DELAY"
if ! kill -0 "$WIZARD" 2>/dev/null; then
  echo "demo: the wizard ended early" >&2
  exit 1
fi
DISPLAY=":$n" /usr/bin/import -window root "$SHOT"
echo "screenshot: $SHOT"
