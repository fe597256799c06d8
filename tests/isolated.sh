#!/bin/sh
# Runs one unit or page test with no way onto the machine's real networks: in
# a fresh network namespace that holds only loopback. These tests talk to
# loopback or to no network at all; should one ever start a real search by
# mistake, it finds no adapter instead of broadcasting on the user's LAN.
# Without the right to make a namespace (neither root nor user namespaces)
# the test runs as it is.
if unshare -n true 2>/dev/null; then
  exec unshare -n sh -c 'ip link set lo up && exec "$@"' isolated "$@"
fi
if unshare -rn true 2>/dev/null; then
  exec unshare -rn sh -c 'ip link set lo up && exec "$@"' isolated "$@"
fi
exec "$@"
