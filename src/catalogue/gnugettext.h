#pragma once
// Run-time translation of the built-in message texts from GNU gettext catalogues (.mo) found
// beside the executable: locale/<language>/LC_MESSAGES/<domain>.mo, in the language chosen at
// start-up. Catalogues are mapped into memory, opened lazily at most once, and searched in place.
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "catalogue/FileMap.h"
#include "catalogue/gnugettextCatalogue.h"
#include "catalogue/gnugettextEmbedded.h"

class TLocaleQueries;

#ifdef _WIN32
constexpr char kPathDelimiter = '\\';
#else
constexpr char kPathDelimiter = '/';
#endif

// Why a domain's catalogue could not be opened.
struct TOpenFailure {
  enum class Kind { Open, CreateMapping, MapView, NotACatalogue } kind;
  std::string fileName;  // the file actually opened (the executable, for an embedded catalogue)
  std::string reason;    // the system's message, for MapView
};

// One text domain: its catalogue directory and language, and its catalogue while open.
class TDomain {
 public:
  TDomain(std::string name, const TAssemblyAnalyzer& embedded)
      : name_(std::move(name)), embedded_(embedded) {}

  // Setting either closes the catalogue and lets the next lookup search again.
  void SetDirectory(std::string directory);
  void SetLanguage(std::string language);

  // `key` (UTF-8, CRs removed, not empty) translated, or `key` itself, with a CR put before
  // every bare LF. When the catalogue must be opened and cannot be, `failure` is set instead.
  std::string Translate(std::string_view key, std::optional<TOpenFailure>& failure);
  // The translation when the catalogue is already open and holds one; never opens or raises.
  std::optional<std::string> FindIfOpen(std::string_view key);

  bool IsOpen();
  const std::string& Name() const { return name_; }

 private:
  std::optional<TOpenFailure> openCatalogue();
  void close();

  const std::string name_;
  const TAssemblyAnalyzer& embedded_;
  std::string directory_;  // with a trailing delimiter
  std::string language_;
  bool open_ = false;
  bool mayTry_ = true;
  TFileMap map_;
  TMoCatalogue catalogue_;
};

// The translation instance: the domains, the current domain, the language.
class TGnuGettextInstance {
 public:
  // The default catalogue directory (with a trailing delimiter) is where every domain looks
  // until bound elsewhere.
  TGnuGettextInstance(const TAssemblyAnalyzer& embedded, std::string defaultDirectory);

  // `text` translated in `domain`.
  std::wstring TranslateInDomain(std::string_view domain, std::wstring_view text);
  // The same in UTF-8: CRs removed, looked up, CR before every bare LF, checked to be UTF-8.
  // Raises Exception when the catalogue cannot be opened or the result is not UTF-8.
  std::string TranslateUtf8InDomain(std::string_view domain, std::string_view text);
  std::string TranslateUtf8InDomain(TDomain& domain, std::string_view text);

  void UseLanguage(const std::string& language);  // gives it to every domain
  void BindTextDomain(std::string_view domain, std::string directory);
  void TextDomain(std::string domain) { currentDomain_ = std::move(domain); }
  const std::string& CurrentDomain() const { return currentDomain_; }
  TDomain& Domain(std::string_view name);  // created on first use

  // One of this layer's own error texts (8-bit), translated by the "default" catalogue when it
  // is open and has it. Never opens a catalogue, so it cannot fail in turn.
  std::string OwnText(const char* text);

 private:
  std::string failureMessage(const TOpenFailure& failure);

  const TAssemblyAnalyzer& embedded_;
  std::string defaultDirectory_;
  std::string language_;
  std::string currentDomain_ = "default";
  std::map<std::string, std::unique_ptr<TDomain>, TLessNoCase> domains_;  // "DEFAULT" is "default"
  TDomain* lastDomain_ = nullptr;                                         // the domain found last
};

// Everything set-up builds, owned in one place and freed in the reverse order.
class TGettextLayer {
 public:
  // Set-up: reads the executable's embedded-catalogue table from `firstRecord`,
  // starts the resource-string domain list with "default", creates the instance with the chosen
  // language and binds "default" to "locale" beside the executable.
  TGettextLayer(const std::string& exePath, const TLocaleQueries& queries, uint64_t firstRecord);
  TGettextLayer(const TGettextLayer&) = delete;  // the instance refers to the table
  TGettextLayer& operator=(const TGettextLayer&) = delete;
  // Frees the instance, then the resource-string domain list.
  void Release();

  TGnuGettextInstance* Instance() { return instance_.get(); }

  void AddResourceStringDomain(const std::string& domain);
  // The text (UTF-8) translated in each resource-string domain in order; the first result that
  // differs from the text wins. Unchanged once the list is gone.
  std::string ResourceStringTranslationUtf8(std::string_view text);

  // A translation failed with this message; the first one is kept until it is taken.
  void KeepProblem(const std::string& message);
  // The kept message, once: later calls and later failures give nothing.
  std::optional<std::string> TakeProblem();

 private:
  TAssemblyAnalyzer embedded_;
  // The instance's domains, found once when added; none once released.
  std::unique_ptr<std::vector<TDomain*>> resourceDomains_;
  std::unique_ptr<TGnuGettextInstance> instance_;
  std::optional<std::string> problem_;
  bool problemTaken_ = false;
};

// The program-wide layer. Set-up installs the resource-string translation into the class
// library's string loader; the end removes it and frees everything.
void GettextSetUp(const std::string& exePath);
void GettextSetUp(const std::string& exePath, const TLocaleQueries& queries, uint64_t firstRecord);
void GettextEnd();
TGettextLayer* Gettext();  // null before set-up and after the end

// For the other layers; each does nothing (returns the text) while the layer is not set up. A
// text whose translation fails is given as built, so that the message it belongs to is shown all
// the same; the catalogue's problem is kept, to be told once.
void AddResourceStringDomain(const std::string& domain);
std::string TranslateAnsi(std::string_view text);                  // current domain, 8-bit text
std::string ResourceStringTranslateAnsi(const std::string& text);  // the string loader's hook
// The first catalogue problem since set-up, the first time it is asked for; nothing after that.
std::optional<std::string> TakeCatalogueProblem();

// This layer's own error texts as built, which the shipped catalogues translate.
std::vector<std::string> GettextOwnTexts();
