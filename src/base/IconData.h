#pragma once
// A look at a file's icon data before the system's icon extraction is given the file: the
// system's code trusts the counts, offsets and sizes it finds, and a damaged file (an icon file
// claiming more images than it holds, an executable cut short) makes it read past the file and
// crash the program. Every read here is bounded by the file's size and by fixed caps.
#include <cstddef>
#include <cstdint>
#include <functional>

// Reads `size` bytes at `offset` into `buffer`; false when they are not all in the file.
using ReadFileAt = std::function<bool(uint64_t offset, void* buffer, size_t size)>;

// Whether a file of `fileSize` bytes is an icon file whose directory and images lie within the
// file, or an executable whose headers and sections lie within the file and whose resources
// lead, inside the file, to a first icon group and every icon it names. Anything else (another
// kind of file, a damaged one, one without icons) is false: it has no icon to show.
bool IconDataIsSound(uint64_t fileSize, const ReadFileAt& read);
