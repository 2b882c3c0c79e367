#pragma once
// The profile file object: keyed access to one settings file by section and key.
#include <cstdint>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "base/Exception.h"

// A write or a section removal that the profile functions refused.
class EIniFileException : public Exception {
 public:
  using Exception::Exception;
};

// Raises EIniFileException with "Unable to write to" and the file name.
[[noreturn]] void RaiseIniWriteError(const std::string& fileName);

// Texts by section and key; numbers and flags are stored as texts and built here on the two
// text operations, through the object's own virtual calls.
class TCustomIniFile {
 public:
  explicit TCustomIniFile(std::string fileName) : fileName_(std::move(fileName)) {}
  TCustomIniFile(const TCustomIniFile&) = delete;
  TCustomIniFile& operator=(const TCustomIniFile&) = delete;
  virtual ~TCustomIniFile() = default;

  // The name exactly as given at creation.
  const std::string& FileName() const { return fileName_; }

  virtual std::string ReadText(const std::string& section, const std::string& key,
                               const std::string& defaultValue) = 0;
  virtual void WriteText(const std::string& section, const std::string& key, const std::string& value) = 0;
  // The lenient integer conversion of the stored text; defaultValue when absent or not a number.
  virtual int32_t ReadNumber(const std::string& section, const std::string& key, int32_t defaultValue);
  virtual void WriteNumber(const std::string& section, const std::string& key, int32_t value);
  // Any number other than 0 is true; stored as "1" and "0".
  virtual bool ReadFlag(const std::string& section, const std::string& key, bool defaultValue);
  virtual void WriteFlag(const std::string& section, const std::string& key, bool value);
  virtual void RemoveSection(const std::string& section) = 0;
  // Writes out whatever is held back; never raises.
  virtual void FlushFile() noexcept = 0;

  // Many keys of one section at once, each exactly as ReadText(section, key, defaultValue) would
  // give it. Here one by one; a platform may read the whole section in one step.
  virtual std::vector<std::string> ReadTexts(const std::string& section, const std::vector<std::string>& keys,
                                             const std::string& defaultValue);
  using KeyValues = std::vector<std::pair<std::string, std::string>>;
  // Replaces a whole section by these keys and values, in this order: the same end as RemoveSection
  // followed by WriteText for each. Raises as WriteText. A platform may do it in one step.
  virtual void WriteSection(const std::string& section, const KeyValues& values);
  // The section's "key=value" lines as the file holds them, blanks around keys and values
  // removed, where the platform reads a section in one step; nothing elsewhere.
  virtual std::optional<KeyValues> ReadSection(const std::string& section);

 protected:
  [[noreturn]] void raiseWriteError() const;

 private:
  std::string fileName_;
};

// The profile file object on the platform's profile functions. Creating it touches nothing on
// disk; releasing it flushes.
class TIniFile : public TCustomIniFile {
 public:
  // Values read back hold at most kReadBufferSize - 1 characters.
  static constexpr size_t kReadBufferSize = 2048;

  using TCustomIniFile::TCustomIniFile;
  ~TIniFile() override;

  std::string ReadText(const std::string& section, const std::string& key,
                       const std::string& defaultValue) override;
  void WriteText(const std::string& section, const std::string& key, const std::string& value) override;
  void RemoveSection(const std::string& section) override;
  void FlushFile() noexcept override;
  std::vector<std::string> ReadTexts(const std::string& section, const std::vector<std::string>& keys,
                                     const std::string& defaultValue) override;
  void WriteSection(const std::string& section, const KeyValues& values) override;
  std::optional<KeyValues> ReadSection(const std::string& section) override;

 private:
  bool unflushed_ = false;  // written to since the last flush
};
