#include "catalogue/gnugettext.h"

#include <algorithm>
#include <utility>

#include "base/Exception.h"
#include "base/ResStrings.h"
#include "base/Text.h"
#include "catalogue/gnugettextLanguage.h"

namespace {

// This layer's own error texts; the shipped catalogues translate them too.
constexpr const char* kCannotOpen = "Cannot open file ";
constexpr const char* kCannotCreateMap = "Cannot create memory map on file ";
constexpr const char* kCannotMap = "Cannot map file ";
constexpr const char* kIntoMemory = " into memory. Reason: ";
constexpr const char* kNotACatalogue = "This file is not a valid GNU gettext mo file: ";
constexpr const char* kCouldNotTranslate =
    "Error: Could not translate %s. Probably because the mo file doesn't contain utf-8 encoded "
    "translations.";

std::unique_ptr<TGettextLayer> gLayer;

// The translation, or the text as built when translating fails (the layer keeps the problem).
template <typename Translate>
std::string translatedOrAsBuilt(std::string_view text, Translate translate) {
  try {
    return translate();
  } catch (const Exception& e) {
    gLayer->KeepProblem(e.Message());
    return std::string(text);
  }
}

}  // namespace

// ---- TDomain ----

void TDomain::SetDirectory(std::string directory) {
  close();
  directory_ = std::move(directory);
  mayTry_ = true;
}

void TDomain::SetLanguage(std::string language) {
  close();
  language_ = std::move(language);
  mayTry_ = true;
}

bool TDomain::IsOpen() { return open_; }

void TDomain::close() {
  catalogue_.Detach();
  map_.Close();
  open_ = false;
}

std::optional<TOpenFailure> TDomain::openCatalogue() {
  std::string tail = std::string(1, kPathDelimiter) + "LC_MESSAGES" + kPathDelimiter + name_ + ".mo";
  std::string candidate = directory_ + language_ + tail;
  const TAssemblyFileInfo* embedded = embedded_.Find(candidate);
  if (!embedded && !FileExists(candidate)) {
    candidate = directory_ + language_.substr(0, 2) + tail;
    embedded = embedded_.Find(candidate);
    if (!embedded && !FileExists(candidate)) {
      mayTry_ = false;  // nothing to find until the directory or language changes
      return std::nullopt;
    }
  }
  std::string fileName = embedded ? embedded_.ExecutablePath() : candidate;
  std::string reason;
  switch (map_.Open(fileName, reason)) {
    case TFileMap::Failure::None:
      break;
    case TFileMap::Failure::Open:
      return TOpenFailure{TOpenFailure::Kind::Open, fileName, reason};
    case TFileMap::Failure::CreateMapping:
      return TOpenFailure{TOpenFailure::Kind::CreateMapping, fileName, reason};
    case TFileMap::Failure::MapView:
      return TOpenFailure{TOpenFailure::Kind::MapView, fileName, reason};
  }
  // The catalogue's bytes: the whole file, or the embedded entry's part of the executable.
  uint64_t start = embedded ? embedded->offset : 0;
  uint64_t size = map_.Size();
  if (embedded) size = start <= size ? std::min(embedded->size, size - start) : 0;
  const unsigned char* data = start <= map_.Size() ? map_.Data() + start : nullptr;
  if (!catalogue_.Attach(data, size)) {
    map_.Close();
    return TOpenFailure{TOpenFailure::Kind::NotACatalogue, fileName, {}};
  }
  open_ = true;
  return std::nullopt;
}

std::string TDomain::Translate(std::string_view key, std::optional<TOpenFailure>& failure) {
  if (!open_ && mayTry_) failure = openCatalogue();
  if (failure) return {};
  return AddCarriageReturnsBeforeLineFeeds(open_ ? catalogue_.Find(key).value_or(key) : key);
}

std::optional<std::string> TDomain::FindIfOpen(std::string_view key) {
  if (!open_) return std::nullopt;
  auto found = catalogue_.Find(key);
  if (!found || found->empty() || !IsWellFormedUtf8(*found)) return std::nullopt;
  return std::string(*found);
}

// ---- TGnuGettextInstance ----

TGnuGettextInstance::TGnuGettextInstance(const TAssemblyAnalyzer& embedded, std::string defaultDirectory)
    : embedded_(embedded), defaultDirectory_(std::move(defaultDirectory)) {}

TDomain& TGnuGettextInstance::Domain(std::string_view name) {
  // Lookups come in runs in one domain: the last one found is tried first. Domains live as long as
  // the instance and their names never change.
  if (lastDomain_ && lastDomain_->Name() == name) return *lastDomain_;
  auto& slot = domains_[std::string(name)];
  if (!slot) {
    slot = std::make_unique<TDomain>(std::string(name), embedded_);
    slot->SetDirectory(defaultDirectory_);
    slot->SetLanguage(language_);
  }
  lastDomain_ = slot.get();
  return *lastDomain_;
}

void TGnuGettextInstance::UseLanguage(const std::string& language) {
  language_ = language;
  for (auto& [name, domain] : domains_) domain->SetLanguage(language);
}

void TGnuGettextInstance::BindTextDomain(std::string_view domain, std::string directory) {
  if (!directory.empty() && directory.back() != kPathDelimiter && directory.back() != '/')
    directory += kPathDelimiter;
  Domain(domain).SetDirectory(std::move(directory));
}

std::string TGnuGettextInstance::OwnText(const char* text) {
  if (auto it = domains_.find("default"); it != domains_.end())
    if (auto found = it->second->FindIfOpen(text)) return Utf8ToAnsi(*found);
  return text;
}

std::string TGnuGettextInstance::failureMessage(const TOpenFailure& failure) {
  switch (failure.kind) {
    case TOpenFailure::Kind::Open:
      return OwnText(kCannotOpen) + failure.fileName;
    case TOpenFailure::Kind::CreateMapping:
      return OwnText(kCannotCreateMap) + failure.fileName;
    case TOpenFailure::Kind::MapView:
      return OwnText(kCannotMap) + failure.fileName + OwnText(kIntoMemory) + failure.reason;
    case TOpenFailure::Kind::NotACatalogue:
      break;
  }
  return OwnText(kNotACatalogue) + failure.fileName;
}

std::string TGnuGettextInstance::TranslateUtf8InDomain(std::string_view domain, std::string_view text) {
  return TranslateUtf8InDomain(Domain(domain), text);
}

std::string TGnuGettextInstance::TranslateUtf8InDomain(TDomain& domain, std::string_view text) {
  // Most texts hold no CR and are looked up as they are, without a copy.
  std::string withoutCr;
  std::string_view key = text;
  if (ContainsByte(text, '\r')) key = withoutCr = RemoveCarriageReturns(text);
  // An empty text is returned as it is: looked up, it would match the catalogue's header entry.
  if (key.empty()) return {};
  std::optional<TOpenFailure> failure;
  std::string result = domain.Translate(key, failure);
  if (failure) throw Exception(failureMessage(*failure));
  if (!IsWellFormedUtf8(result)) result.clear();
  if (result.empty())
    throw Exception(FormatText(OwnText(kCouldNotTranslate), {Utf8ToAnsi(std::string(text))}));
  return result;
}

std::wstring TGnuGettextInstance::TranslateInDomain(std::string_view domain, std::wstring_view text) {
  // The built-in texts are ASCII; those need no encoding work on the way in.
  bool ascii =
      std::all_of(text.begin(), text.end(), [](wchar_t c) { return static_cast<uint32_t>(c) < 0x80; });
  std::string utf8 = ascii ? std::string(text.begin(), text.end()) : WideToUtf8(text);
  return Utf8ToWide(TranslateUtf8InDomain(domain, utf8));
}

// ---- TGettextLayer ----

TGettextLayer::TGettextLayer(const std::string& exePath, const TLocaleQueries& queries,
                             uint64_t firstRecord) {
  embedded_.Analyze(exePath, firstRecord);
  resourceDomains_ = std::make_unique<std::vector<TDomain*>>();
  size_t slash = exePath.find_last_of(kPathDelimiter == '/' ? "/" : "\\/");
  std::string exeDirectory = slash == std::string::npos ? std::string() : exePath.substr(0, slash + 1);
  instance_ = std::make_unique<TGnuGettextInstance>(embedded_, exeDirectory + "locale" + kPathDelimiter);
  instance_->UseLanguage(ChooseLanguage(queries));
  instance_->BindTextDomain("default", exeDirectory + "locale" + kPathDelimiter);
  instance_->TextDomain("default");
  resourceDomains_->push_back(&instance_->Domain("default"));
}

void TGettextLayer::Release() {
  instance_.reset();
  resourceDomains_.reset();
}

void TGettextLayer::AddResourceStringDomain(const std::string& domain) {
  if (!resourceDomains_ || !instance_) return;
  resourceDomains_->push_back(&instance_->Domain(domain));
}

std::string TGettextLayer::ResourceStringTranslationUtf8(std::string_view text) {
  if (!resourceDomains_ || !instance_) return std::string(text);
  for (TDomain* domain : *resourceDomains_) {
    std::string result = instance_->TranslateUtf8InDomain(*domain, text);
    if (result != text) return result;
  }
  return std::string(text);
}

void TGettextLayer::KeepProblem(const std::string& message) {
  if (!problem_ && !problemTaken_) problem_ = message;
}

std::optional<std::string> TGettextLayer::TakeProblem() {
  problemTaken_ = true;
  return std::exchange(problem_, std::nullopt);
}

// ---- the program-wide layer ----

void GettextSetUp(const std::string& exePath) {
  GettextSetUp(exePath, SystemLocaleQueries(), EmbeddedCatalogueOffset());
}

void GettextSetUp(const std::string& exePath, const TLocaleQueries& queries, uint64_t firstRecord) {
  GettextEnd();
  gLayer = std::make_unique<TGettextLayer>(exePath, queries, firstRecord);
  SetResStringTranslator(&ResourceStringTranslateAnsi);
}

void GettextEnd() {
  if (!gLayer) return;
  gLayer->Release();
  SetResStringTranslator(nullptr);
  gLayer.reset();  // the embedded-catalogue table goes last
}

TGettextLayer* Gettext() { return gLayer.get(); }

void AddResourceStringDomain(const std::string& domain) {
  if (gLayer) gLayer->AddResourceStringDomain(domain);
}

std::string TranslateAnsi(std::string_view text) {
  TGnuGettextInstance* instance = gLayer ? gLayer->Instance() : nullptr;
  if (!instance) return std::string(text);
  return translatedOrAsBuilt(text, [&] {
    return Utf8ToAnsi(
        instance->TranslateUtf8InDomain(instance->CurrentDomain(), AnsiToUtf8(std::string(text))));
  });
}

std::optional<std::string> TakeCatalogueProblem() { return gLayer ? gLayer->TakeProblem() : std::nullopt; }

std::vector<std::string> GettextOwnTexts() {
  return {kCannotOpen, kCannotCreateMap, kCannotMap, kIntoMemory, kNotACatalogue, kCouldNotTranslate};
}

std::string ResourceStringTranslateAnsi(const std::string& text) {
  if (!gLayer) return text;
  return translatedOrAsBuilt(text, [&] {
    // UTF-8 all the way: the 8-bit text is converted once on the way in and once on the way out.
    if (AnsiIsUtf8(text)) return Utf8ToAnsi(gLayer->ResourceStringTranslationUtf8(text));
    return Utf8ToAnsi(gLayer->ResourceStringTranslationUtf8(AnsiToUtf8(text)));
  });
}
