// clsProperty.ping inside a private network namespace whose only interface is the loopback
// (tools/test-all.sh runs the tests named *PrivateNetwork* there, with their whole Wine session,
// and leaves them out of the main run). Only 127.0.0.1 is pinged. The namespace's own kernel
// counters (/proc/net/snmp and snmp6, read through drive Z:) show what went out: one echo request
// per answered ping, none for a name that does not resolve, no datagram to any name server.
#include <winsock2.h>
#include <windows.h>
#include <iphlpapi.h>

#include <chrono>
#include <cstdio>
#include <fstream>
#include <map>
#include <sstream>
#include <string>
#include <vector>

#include "com_fixture.h"
#include "err_log_file.h"
#include "frame/com/variant.h"

namespace brixen::test {
namespace {

using Counters = std::map<std::string, long long>;

// The counters of a /proc/net/snmp file: "Icmp:OutEchos" from its pairs of heading and value lines.
void ReadSnmp(const char* path, Counters& counters) {
  std::ifstream in(path);
  std::string names, values;
  while (std::getline(in, names) && std::getline(in, values)) {
    std::istringstream name_words(names), value_words(values);
    std::string group, name, ignored;
    name_words >> group;
    value_words >> ignored;
    long long value = 0;
    while (name_words >> name && value_words >> value) counters[group + name] = value;
  }
}

// The counters of /proc/net/snmp6: one "name value" per line.
void ReadSnmp6(const char* path, Counters& counters) {
  std::ifstream in(path);
  std::string name;
  long long value = 0;
  while (in >> name >> value) counters[name] = value;
}

struct Traffic {
  long long echoes;      // ICMP echo requests sent
  long long datagrams;   // UDP datagrams sent, IPv4 and IPv6 (a name server query would be one)
};

Traffic Sent() {
  Counters counters;
  ReadSnmp("Z:\\proc\\net\\snmp", counters);
  ReadSnmp6("Z:\\proc\\net\\snmp6", counters);
  return {counters["Icmp:OutEchos"], counters["Udp:OutDatagrams"] + counters["Udp6OutDatagrams"]};
}

// Whether every network interface the platform knows is a loopback one.
::testing::AssertionResult OnlyLoopback() {
  ULONG size = 0;
  GetAdaptersAddresses(AF_UNSPEC, 0, nullptr, nullptr, &size);
  std::vector<BYTE> buffer(size + 1);
  if (GetAdaptersAddresses(AF_UNSPEC, 0, nullptr, reinterpret_cast<IP_ADAPTER_ADDRESSES*>(buffer.data()), &size) !=
      NO_ERROR)
    return ::testing::AssertionFailure() << "GetAdaptersAddresses failed";
  for (auto* adapter = reinterpret_cast<IP_ADAPTER_ADDRESSES*>(buffer.data()); adapter; adapter = adapter->Next) {
    if (adapter->IfType != IF_TYPE_SOFTWARE_LOOPBACK)
      return ::testing::AssertionFailure() << "interface of type " << adapter->IfType
                                           << ": this test runs only in a private network namespace";
  }
  return ::testing::AssertionSuccess();
}

// A label of 64 characters: longer than a name server query can carry, so no resolver sends one.
const std::wstring kUnresolvable = std::wstring(64, L'x') + L".invalid";

class PingPrivateNetwork : public testing::Test {
 protected:
  void SetUp() override { ASSERT_TRUE(OnlyLoopback()); }

  bool Ping(const std::wstring& host, const Variant& timeout) {
    const OwnedBstr name(host);
    VARIANT_BOOL answered = VARIANT_TRUE;
    EXPECT_EQ(property_->ping(name.get(), timeout.get(), &answered), S_OK);
    return answered == VARIANT_TRUE;
  }

  ComPtr<_clsProperty> property_ = Create<_clsProperty>(CLSID_clsProperty);
};

TEST_F(PingPrivateNetwork, TheLoopbackAnswersOneEchoWithinItsTimeout) {
  const struct {
    const char* label;
    Variant timeout;
  } cases[] = {{"1000 ms", Variant(Long{1000})}, {"the text 500", Variant(u"500")}, {"250.5 ms", Variant(250.5)}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.label);
    const Traffic before = Sent();
    const auto start = std::chrono::steady_clock::now();
    EXPECT_TRUE(Ping(L"127.0.0.1", c.timeout));
    const auto took = std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now() - start);
    EXPECT_LT(took.count(), 250);
    EXPECT_EQ(Sent().echoes, before.echoes + 1);
    RecordProperty(std::string("round trip, ") + c.label, std::to_string(took.count()) + " ms");
    std::printf("ping 127.0.0.1, time-out %s: answered in %lld ms\n", c.label, static_cast<long long>(took.count()));
  }
}

TEST_F(PingPrivateNetwork, AnUnresolvableNameSendsNothing) {
  const Traffic before = Sent();
  EXPECT_FALSE(Ping(kUnresolvable, Variant(Long{1000})));
  const Traffic after = Sent();
  EXPECT_EQ(after.echoes, before.echoes) << "no echo request";
  EXPECT_EQ(after.datagrams, before.datagrams) << "no query to a name server";
}

// A time-out that does not convert to a Long is logged under "ping" with its error and sends
// nothing; the ICMP handle opened before the conversion is closed all the same.
TEST_F(PingPrivateNetwork, ABadTimeoutIsLoggedAndSendsNothing) {
  const struct {
    const char* label;
    Variant timeout;
    long code;
  } cases[] = {{"Null", Variant::Null(), 94}, {"letters", Variant(u"soon"), 13}, {"beyond a Long", Variant(1e10), 6}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.label);
    const Traffic before = Sent();
    ExpectLogged("ping", [&] { EXPECT_FALSE(Ping(L"127.0.0.1", c.timeout)); }, c.code);
    EXPECT_EQ(Sent().echoes, before.echoes);
  }
}

TEST_F(PingPrivateNetwork, NoHandleIsLeftWhenTheTimeoutFails) {
  // The platform's own handles, opened once: by a first echo and a first logged error.
  Ping(L"127.0.0.1", Variant(Long{1000}));
  ExpectLogged("ping", [&] { Ping(L"127.0.0.1", Variant::Null()); });
  DWORD before = 0, after = 0;
  ASSERT_TRUE(GetProcessHandleCount(GetCurrentProcess(), &before));
  for (int i = 0; i < 20; ++i) {
    ExpectLogged("ping", [&] { Ping(L"127.0.0.1", Variant::Null()); });
  }
  ASSERT_TRUE(GetProcessHandleCount(GetCurrentProcess(), &after));
  EXPECT_EQ(after, before);
}

}  // namespace
}  // namespace brixen::test
