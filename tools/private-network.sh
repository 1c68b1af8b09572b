#!/bin/sh
# private-network.sh CMD...: runs CMD in a network namespace of its own whose only interface is
# the loopback, brought up: nothing CMD sends leaves the machine, and no name server is reachable.
# Needs the right to make namespaces (root, as ./run test runs).
[ "$BRIXEN_PRIVATE_NETWORK" = 1 ] && exec "$@"
exec unshare --net env BRIXEN_PRIVATE_NETWORK=1 sh -c 'ip link set lo up && exec "$@"' private-network "$@"
