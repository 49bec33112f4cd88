// Fuzz target: the DB image generator; the image file's bytes and the
// fields both come from the input.
#include <unistd.h>

#include <fstream>

#include "datablocks/db_image.h"
#include "fuzz_input.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace brendax;
  static const std::string imagePath = "/tmp/brendax_fuzz_image_" + std::to_string(::getpid()) + ".bin";
  const auto& table = DbImageFields();
  fuzz::FuzzInput input(data, size, fuzz::ChoiceCount(table) + 1);
  const bool trimmed = input.Flag();
  DbImageParams params = fuzz::FillRecord(table, input);
  if (trimmed) TrimFields(table, params);
  // The first field is the file's contents, not a path to follow.
  const std::string image = params.filePath;
  {
    std::ofstream file(imagePath, std::ios::binary | std::ios::trunc);
    file.write(image.data(), static_cast<std::streamsize>(image.size()));
  }
  params.filePath = imagePath;
  fuzz::RunTwiceAndCheck([&] { return GenerateDbImage(params); });
  return 0;
}
