// clsProperty: whether a host answers an echo request. The host text is resolved through the
// sockets library (a dotted address as it stands, else a name look-up), then one echo request
// without data goes out through the ICMP library with the caller's time-out.
#include <winsock2.h>
#include <windows.h>
#include <iphlpapi.h>
#include <icmpapi.h>

#include <array>
#include <cstring>
#include <string>

#include "frame/win/ansi.h"
#include "frame/win/handles.h"
#include "system/clsProperty.h"

namespace brixen {
namespace {

constexpr WORD kSocketsVersion = MAKEWORD(1, 1);
// The reply buffer the platform asks for: one reply record and room for an ICMP error message.
constexpr std::size_t kIcmpErrorRoom = 8;
using EchoReply = std::array<BYTE, sizeof(ICMP_ECHO_REPLY) + kIcmpErrorRoom>;

// The IPv4 address (network order) of a dotted address or a host name; INADDR_NONE when the
// name does not resolve.
ULONG ResolveHost(const String& host) {
  const win::SocketsStart sockets(kSocketsVersion);
  const std::string name = win::ToAnsi(host);
  ULONG address = ::inet_addr(name.c_str());
  if (address != INADDR_NONE) return address;
  const hostent* entry = ::gethostbyname(name.c_str());
  if (entry && entry->h_addr_list[0]) std::memcpy(&address, entry->h_addr_list[0], sizeof address);
  return address;
}

}  // namespace

// True when the echo request got a reply, whatever its status.
Boolean clsProperty::ping(const String& sHost, const Variant& lTimeout) {
  return log_.Handle<Boolean>(u"ping", [&](Boolean& answered) {
    const ULONG address = ResolveHost(sHost);
    if (address == INADDR_NONE) return;
    const win::IcmpHandle icmp(::IcmpCreateFile());
    const Long timeout = lTimeout.ToLong();
    EchoReply reply{};
    answered = ::IcmpSendEcho(icmp.get(), address, nullptr, 0, nullptr, reply.data(), reply.size(),
                              static_cast<DWORD>(timeout)) != 0;
  });
}

}  // namespace brixen
