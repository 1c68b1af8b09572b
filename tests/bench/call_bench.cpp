// The cost of one call into the library, early and late bound, against the platform's own
// automation object measured in the same run: Scripting.FileSystemObject's BuildPath through
// IDispatch. The machines are noisy, so the cases run interleaved in rounds and each reports the
// median of its rounds; the ratios to the baseline are the numbers to compare between runs.
//
//   brixen_call_bench [rounds] [milliseconds per measurement]
//
// Exit code: 0 when every case ran (whatever the timings), 1 when a call failed or an object
// could not be created. Being slower than the baseline is reported, not failed.
#include <windows.h>
#include <oleauto.h>
#include <wrl/client.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cwchar>
#include <functional>
#include <initializer_list>
#include <string>
#include <utility>
#include <vector>

#include "brixen.h"

namespace {

using Microsoft::WRL::ComPtr;

class Apartment {
 public:
  Apartment() : hr_(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED)) {}
  Apartment(const Apartment&) = delete;
  Apartment& operator=(const Apartment&) = delete;
  ~Apartment() {
    if (SUCCEEDED(hr_)) CoUninitialize();
  }
  HRESULT status() const { return hr_; }

 private:
  HRESULT hr_;
};

class Bstr {
 public:
  explicit Bstr(const wchar_t* text) : value_(SysAllocString(text)) {}
  Bstr(const Bstr&) = delete;
  Bstr& operator=(const Bstr&) = delete;
  ~Bstr() { SysFreeString(value_); }
  BSTR get() const { return value_; }

 private:
  BSTR value_;
};

class Variant {
 public:
  Variant() { VariantInit(&value_); }
  Variant(const Variant&) = delete;
  Variant& operator=(const Variant&) = delete;
  ~Variant() { VariantClear(&value_); }
  VARIANT* get() { return &value_; }
  void Clear() { VariantClear(&value_); }

 private:
  VARIANT value_;
};

// Reports a call that did not work; returns the program's exit code for it.
int Fail(const char* what, HRESULT hr) {
  std::printf("FAILED: %s (hr 0x%08lX)\n", what, static_cast<unsigned long>(hr));
  return 1;
}

ComPtr<IDispatch> CreateByProgId(const wchar_t* progid) {
  CLSID clsid{};
  ComPtr<IDispatch> object;
  HRESULT hr = CLSIDFromProgID(progid, &clsid);
  if (SUCCEEDED(hr)) hr = CoCreateInstance(clsid, nullptr, CLSCTX_INPROC_SERVER, IID_IDispatch, &object);
  if (FAILED(hr)) {
    std::printf("FAILED: cannot create %ls (hr 0x%08lX)\n", progid, static_cast<unsigned long>(hr));
    object.Reset();
  }
  return object;
}

HRESULT IdOf(IDispatch* object, const wchar_t* name, DISPID* id) {
  auto* wide = const_cast<LPOLESTR>(name);
  return object->GetIDsOfNames(IID_NULL, &wide, 1, LOCALE_USER_DEFAULT, id);
}

// One late-bound call the way a client makes it: the caller's arguments, a fresh result slot
// that it frees afterwards.
struct LateCall {
  IDispatch* object;
  const wchar_t* name;
  WORD flags;
  std::vector<VARIANTARG> args;  // right to left, as DISPPARAMS holds them; not owned
  DISPID id = DISPID_UNKNOWN;

  HRESULT Cached(VARIANT* result) {
    DISPPARAMS params{args.data(), nullptr, static_cast<UINT>(args.size()), 0};
    return object->Invoke(id, IID_NULL, LOCALE_USER_DEFAULT, flags, &params, result, nullptr, nullptr);
  }
  HRESULT ByName(VARIANT* result) {
    DISPID named = DISPID_UNKNOWN;
    const HRESULT hr = IdOf(object, name, &named);
    if (FAILED(hr)) return hr;
    DISPPARAMS params{args.data(), nullptr, static_cast<UINT>(args.size()), 0};
    return object->Invoke(named, IID_NULL, LOCALE_USER_DEFAULT, flags, &params, result, nullptr, nullptr);
  }
};

// One case: `Run(n)` makes n calls and returns the first failure (S_OK when all succeeded).
struct Case {
  Case(const char* label, std::function<HRESULT(long long)> run) : label(label), run(std::move(run)) {}
  const char* label;
  std::function<HRESULT(long long)> run;
  long long calls = 0;              // per measurement, from the calibration
  std::vector<double> ns_per_call;  // one per round
  double median = 0;
};

double Frequency() {
  LARGE_INTEGER f;
  QueryPerformanceFrequency(&f);
  return static_cast<double>(f.QuadPart);
}

double Seconds(long long ticks) {
  static const double frequency = Frequency();
  return static_cast<double>(ticks) / frequency;
}

long long Now() {
  LARGE_INTEGER t;
  QueryPerformanceCounter(&t);
  return t.QuadPart;
}

// Times n calls; negative on failure.
double Measure(Case& c, long long n, HRESULT* hr) {
  const long long start = Now();
  *hr = c.run(n);
  const long long stop = Now();
  return FAILED(*hr) ? -1.0 : Seconds(stop - start);
}

// Picks the number of calls that makes one measurement last about `target` seconds.
bool Calibrate(Case& c, double target) {
  long long n = 256;
  for (;;) {
    HRESULT hr = S_OK;
    const double took = Measure(c, n, &hr);
    if (took < 0) {
      Fail(c.label, hr);
      return false;
    }
    if (took >= target / 8 || n >= (1LL << 34)) {
      c.calls = std::max<long long>(1, static_cast<long long>(static_cast<double>(n) * target / std::max(took, 1e-9)));
      return true;
    }
    n *= took > 0 ? std::clamp<long long>(static_cast<long long>(target / 4 / took), 2, 64) : 64;
  }
}

double Median(std::vector<double> values) {
  std::sort(values.begin(), values.end());
  const size_t m = values.size() / 2;
  return values.size() % 2 ? values[m] : (values[m - 1] + values[m]) / 2;
}

int Bench(int rounds, double target) {
  ComPtr<IDispatch> bar = CreateByProgId(L"BRIXEN.clsPrgsBar");
  ComPtr<IDispatch> fso = CreateByProgId(L"Scripting.FileSystemObject");
  if (!bar || !fso) return 1;
  ComPtr<_clsPrgsBar> slots;
  if (HRESULT hr = bar.As(&slots); FAILED(hr)) return Fail("QueryInterface _clsPrgsBar", hr);

  Bstr a(L"a"), b(L"b");
  VARIANTARG path_args[2];
  V_VT(&path_args[0]) = VT_BSTR;  // right to left: "b" first
  V_BSTR(&path_args[0]) = b.get();
  V_VT(&path_args[1]) = VT_BSTR;
  V_BSTR(&path_args[1]) = a.get();

  LateCall max{bar.Get(), L"MAX", DISPATCH_PROPERTYGET, {}};
  LateCall unit{bar.Get(), L"UnitString", DISPATCH_PROPERTYGET, {}};
  // A name late in the interface: the name lookup's cost may grow with the member's position.
  LateCall late_name{bar.Get(), L"BarClr", DISPATCH_PROPERTYGET, {}};
  LateCall build{fso.Get(), L"BuildPath", DISPATCH_METHOD, {path_args[0], path_args[1]}};
  for (LateCall* call : {&max, &unit, &late_name, &build}) {
    if (HRESULT hr = IdOf(call->object, call->name, &call->id); FAILED(hr)) {
      std::printf("FAILED: GetIDsOfNames %ls (hr 0x%08lX)\n", call->name, static_cast<unsigned long>(hr));
      return 1;
    }
  }

  // The calls answer what they should before they are timed: a benchmark of failures is no benchmark.
  {
    long value = 0;
    if (HRESULT hr = slots->get_MAX(&value); FAILED(hr) || value != 100) return Fail("get_MAX (expected 100)", hr);
    Variant r1, r2, r3;
    if (HRESULT hr = max.ByName(r1.get()); FAILED(hr) || V_VT(r1.get()) != VT_I4 || V_I4(r1.get()) != 100)
      return Fail("Invoke MAX (expected Long 100)", hr);
    if (HRESULT hr = build.ByName(r2.get());
        FAILED(hr) || V_VT(r2.get()) != VT_BSTR || std::wcscmp(V_BSTR(r2.get()), L"a\\b") != 0)
      return Fail("Invoke BuildPath (expected \"a\\b\")", hr);
    if (HRESULT hr = unit.Cached(r3.get()); FAILED(hr) || V_VT(r3.get()) != VT_BSTR)
      return Fail("Invoke UnitString (expected a String)", hr);
  }

  // Each case frees its result as a client would; the sink keeps the early-bound loop honest.
  static volatile long sink = 0;
  auto late = [](LateCall& call, bool by_name) {
    return [&call, by_name](long long n) -> HRESULT {
      Variant result;
      for (long long i = 0; i < n; ++i) {
        const HRESULT hr = by_name ? call.ByName(result.get()) : call.Cached(result.get());
        if (FAILED(hr)) return hr;
        result.Clear();
      }
      return S_OK;
    };
  };
  std::vector<Case> cases;
  cases.push_back({"(a) ours  MAX        early (slot)", [&](long long n) -> HRESULT {
                     long value = 0;
                     for (long long i = 0; i < n; ++i) {
                       const HRESULT hr = slots->get_MAX(&value);
                       if (FAILED(hr)) return hr;
                       sink = sink + value;
                     }
                     return S_OK;
                   }});
  cases.push_back({"(b) ours  MAX        Invoke, cached id", late(max, false)});
  cases.push_back({"(c) ours  MAX        by name", late(max, true)});
  cases.push_back({"(d) FSO   BuildPath  Invoke, cached id", late(build, false)});
  cases.push_back({"(e) FSO   BuildPath  by name", late(build, true)});
  cases.push_back({"(f) ours  UnitString Invoke, cached id", late(unit, false)});
  cases.push_back({"(g) ours  BarClr     by name", late(late_name, true)});
  cases.push_back({"(h) ours  BarClr     Invoke, cached id", late(late_name, false)});
  const size_t baseline = 3;

  for (Case& c : cases) {
    if (!Calibrate(c, target)) return 1;
  }
  // Interleaved rounds; the starting case rotates so no case always runs first after a pause.
  for (int round = 0; round < rounds; ++round) {
    for (size_t k = 0; k < cases.size(); ++k) {
      Case& c = cases[(k + round) % cases.size()];
      HRESULT hr = S_OK;
      const double took = Measure(c, c.calls, &hr);
      if (took < 0) return Fail(c.label, hr);
      c.ns_per_call.push_back(took * 1e9 / static_cast<double>(c.calls));
    }
  }
  for (Case& c : cases) c.median = Median(c.ns_per_call);

  const double base = cases[baseline].median;
  std::printf("call cost, median of %d rounds of ~%.0f ms each (ratio: to (d))\n", rounds, target * 1e3);
  std::printf("  %-40s %10s %8s   %s\n", "case", "ns/call", "ratio", "spread min..max ns");
  for (const Case& c : cases) {
    const auto [lo, hi] = std::minmax_element(c.ns_per_call.begin(), c.ns_per_call.end());
    std::printf("  %-40s %10.1f %8.3f   %.1f..%.1f\n", c.label, c.median, c.median / base, *lo, *hi);
  }
  const double late_ratio = cases[1].median / base;
  const double name_ratio = cases[2].median / cases[4].median;
  std::printf("VERDICT late bound (b)/(d) = %.2f: %s\n", late_ratio,
              late_ratio <= 1.0 ? "ours is no slower than the platform's automation object"
                                : "ours is SLOWER than the platform's automation object");
  std::printf("VERDICT by name    (c)/(e) = %.2f: %s\n", name_ratio,
              name_ratio <= 1.0 ? "ours is no slower than the platform's automation object"
                                : "ours is SLOWER than the platform's automation object");
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  const int rounds = argc > 1 ? std::max(1, std::atoi(argv[1])) : 5;
  const double target = (argc > 2 ? std::max(1, std::atoi(argv[2])) : 150) / 1000.0;
  Apartment apartment;
  if (FAILED(apartment.status())) return Fail("CoInitializeEx", apartment.status());
  const int rc = Bench(rounds, target);
  std::fflush(stdout);
  return rc;
}
