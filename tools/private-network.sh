#!/bin/sh
# private-network.sh CMD...: runs CMD in a network namespace of its own whose only interface is
# the loopback, brought up: nothing CMD sends leaves the machine, and no name server is reachable.
# Echo requests may go out through unprivileged ICMP sockets there (the namespace's own setting):
# the 32-bit Wine runs in a user namespace of its own (tools/wow64/nsrun.sh), where raw sockets
# of this network namespace are refused. Needs the right to make namespaces (root, as ./run test runs).
[ "$BRIXEN_PRIVATE_NETWORK" = 1 ] && exec "$@"
exec unshare --net env BRIXEN_PRIVATE_NETWORK=1 sh -c \
  'ip link set lo up && echo "0 2147483647" >/proc/sys/net/ipv4/ping_group_range && exec "$@"' private-network "$@"
