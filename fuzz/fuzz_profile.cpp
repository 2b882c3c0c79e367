// Any text parses without crashing or hanging; every value written (one line, no blanks around
// it) reads back unchanged; an edit leaves every other key as it was; a removed section is gone.
#include <fuzzer/FuzzedDataProvider.h>

#include <cstdlib>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "settings/posix/ParsedProfile.h"

namespace {

void check(bool condition) {
  if (!condition) std::abort();
}

std::string trimmed(std::string s) {
  const char* blanks = " \t\v\f\x1a";
  size_t begin = s.find_first_not_of(blanks);
  if (begin == std::string::npos) return std::string();
  return s.substr(begin, s.find_last_not_of(blanks) + 1 - begin);
}

bool sameName(const std::string& a, const std::string& b) {
  if (a.size() != b.size()) return false;
  for (size_t i = 0; i < a.size(); ++i) {
    auto lower = [](char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c + 32) : c; };
    if (lower(a[i]) != lower(b[i])) return false;
  }
  return true;
}

// A name the document can store: no line break, none of the characters that end it.
std::string name(FuzzedDataProvider& in) {
  std::string raw = in.ConsumeRandomLengthString(12), out;
  for (char c : raw)
    if (c != '\r' && c != '\n' && c != ']' && c != '=' && c != ';' && c != '[') out += c;
  return trimmed(out);
}

// A value that must read back exactly: one line without blanks around it.
std::string value(FuzzedDataProvider& in) {
  std::string raw = in.ConsumeRandomLengthString(40);
  return trimmed(raw.substr(0, raw.find_first_of("\r\n")));
}

struct Probe {
  std::string section, key;
  std::optional<std::string> value;
};

std::optional<std::string> find(const ParsedProfile& d, const std::string& s, const std::string& k) {
  auto v = d.Find(s, k);
  return v ? std::optional<std::string>(std::string(*v)) : std::nullopt;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  FuzzedDataProvider in(data, size);
  auto document = std::make_unique<ParsedProfile>(in.ConsumeRandomLengthString(4096));
  std::vector<Probe> probes;
  for (int i = 0; i < 4; ++i) {
    Probe p{name(in), name(in), std::nullopt};
    p.value = find(*document, p.section, p.key);
    probes.push_back(p);
  }

  for (int step = 0; step < 16 && in.remaining_bytes() > 0; ++step) {
    std::string section = name(in);
    std::unique_ptr<ParsedProfile> next;
    if (in.ConsumeIntegralInRange(0, 4) == 0) {
      next = std::make_unique<ParsedProfile>(document->WithoutSection(section));
      check(!next->HasSection(section));
      for (Probe& p : probes)
        if (sameName(p.section, section)) p.value.reset();
    } else {
      std::string key = name(in), v = value(in);
      std::optional<std::string> text = document->WithValue(section, key, v);
      check(text.has_value());
      next = std::make_unique<ParsedProfile>(std::move(*text));
      check(find(*next, section, key) == v);
      bool known = false;
      for (Probe& p : probes)
        if (sameName(p.section, section) && sameName(p.key, key)) p.value = v, known = true;
      if (!known) probes.push_back({section, key, v});
    }
    for (const Probe& p : probes) check(find(*next, p.section, p.key) == p.value);
    document = std::move(next);
  }
  return 0;
}
