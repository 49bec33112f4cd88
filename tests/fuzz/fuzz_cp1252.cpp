// Fuzz target: the Windows-1252 / UTF-8 codec. Every Windows-1252 byte
// string survives the trip to UTF-8 and back; any byte string read as
// UTF-8 gives one Windows-1252 byte per well-formed or ill-formed unit.
#include "fuzz_input.h"
#include "text/cp1252.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace brendax;
  const std::string_view bytes(reinterpret_cast<const char*>(data), size);
  const std::string utf8 = Cp1252ToUtf8(bytes);
  fuzz::Check(Utf8ToCp1252(utf8) == bytes, "a Windows-1252 text survives the round trip");
  for (std::size_t pos = 0; pos < utf8.size();) {
    const Utf8Unit unit = NextUtf8Unit(utf8, pos);
    fuzz::Check(unit.valid, "the codec writes well-formed UTF-8");
    pos += unit.length;
  }

  std::size_t units = 0;
  for (std::size_t pos = 0; pos < bytes.size(); ++units) {
    const Utf8Unit unit = NextUtf8Unit(bytes, pos);
    fuzz::Check(unit.length >= 1 && unit.length <= 4 && pos + unit.length <= bytes.size(), "unit length");
    pos += unit.length;
  }
  const std::string narrowed = Utf8ToCp1252(bytes);
  fuzz::Check(narrowed.size() == units, "one Windows-1252 byte per unit");
  fuzz::Check(Utf8ToCp1252(Cp1252ToUtf8(narrowed)) == narrowed, "a converted text is stable");
  return 0;
}
