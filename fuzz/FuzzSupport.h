#pragma once
// What every fuzz target shares. A target is one file fuzz/<name>.cpp that
// defines its starting inputs and the function libFuzzer calls per input:
//
//   void WriteSeeds(const std::filesystem::path& folder);
//   extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size);
//
// and one line lev_fuzz_target(<name> [LIBS ...]) in fuzz/CMakeLists.txt.
// Started with "-lev_seeds=<folder>", a target writes its seeds there and
// ends (fuzz/run.sh does so first, so that no binary seed is kept in the
// repository); otherwise it fuzzes, with TMPDIR pointing at a private
// folder that every input must leave empty.

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <string>

// Defined by each target.
void WriteSeeds(const std::filesystem::path& folder);

namespace fuzz {

// A private folder for the target's own files (the input written to disk).
const std::filesystem::path& WorkFolder();

// Writes the bytes as the file `path`.
void WriteFile(const std::filesystem::path& path, const std::uint8_t* data, std::size_t size);
std::string ReadFile(const std::filesystem::path& path);

// Reports a broken promise as a crash that libFuzzer records with its input.
[[noreturn]] void Fail(const std::string& what);

// Fails when the temporary folder holds anything.
void RequireNoTemporaries();

}  // namespace fuzz
