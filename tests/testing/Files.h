#pragma once
// Whole files, bytes as they are, for the tests of every folder.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string_view>

// The whole file (empty when it cannot be read), as a std::string or as another container of
// bytes, e.g. ReadBytes<std::vector<unsigned char>>(path).
template <typename Bytes = std::string>
Bytes ReadBytes(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  return Bytes(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

// The file made anew with exactly these bytes, its folder too when it is missing.
inline void WriteBytes(const std::filesystem::path& path, std::string_view bytes) {
  std::error_code ec;
  if (path.has_parent_path()) std::filesystem::create_directories(path.parent_path(), ec);
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  EXPECT_TRUE(out.good()) << path;
}

// The same from another container of single bytes (std::vector<unsigned char>, say).
template <typename Bytes>
requires(sizeof(typename Bytes::value_type) == 1) void WriteBytes(const std::filesystem::path& path,
                                                                  const Bytes& bytes) {
  WriteBytes(path, std::string_view(reinterpret_cast<const char*>(bytes.data()), bytes.size()));
}
