#!/usr/bin/env bash
# Runs a test in a network namespace of its own. A user's one window is found
# through a socket of the network namespace, so a window the test starts
# never meets the player's own, nor another test's. Root needs nothing more;
# anyone else gets a user namespace for it. Where neither can be made, the
# test runs as it is, and says so.
#
#   own_network.sh COMMAND [ARGUMENT...]
if unshare --net true 2>/dev/null; then exec unshare --net -- "$@"; fi
if unshare --net --map-root-user true 2>/dev/null; then exec unshare --net --map-root-user -- "$@"; fi
echo "own_network.sh: no network namespace can be made here; a window open elsewhere may answer" >&2
exec "$@"
