// Any bytes as one payload of an ASCII data file: the number of fields
// equals the fields the field reader answers, and those fields joined by
// "," give the payload back.

#include <cstdint>
#include <fstream>
#include <string>

#include "AsciiFile.h"
#include "FuzzSupport.h"

void WriteSeeds(const std::filesystem::path& folder) {
  const char* seeds[] = {"a,b,c", "a,,c", "a,", ",b", "abc", "   ", "2019,2,19,64733,0,19,10199,0,Elm,,1500,,12.5,,Caf\xE9,7"};
  int n = 0;
  for (const char* seed : seeds) std::ofstream(folder / ("seed" + std::to_string(n++)), std::ios::binary) << seed;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string payload(reinterpret_cast<const char*>(data), size);
  const long count = asciifile::CountColumns(payload, ",");
  if (count == 0) {
    if (payload.find_first_not_of(' ') != std::string::npos) fuzz::Fail("a payload with text counted no field");
    if (asciifile::GetColValue(payload, ",", 1)) fuzz::Fail("a blank payload answered a field");
    return 0;
  }
  std::string joined;
  for (long i = 1; i <= count; ++i) joined += (i > 1 ? "," : "") + asciifile::GetColValue(payload, ",", i).value_or("");
  if (joined != payload) fuzz::Fail("the fields do not give the payload back");
  if (asciifile::GetColValue(payload, ",", count + 1) || asciifile::GetColValue(payload, ",", 0))
    fuzz::Fail("a field outside the count");
  return 0;
}
