// The skin description file "Quorrel.ini" from any bytes: whatever the
// reader accepts must be within its bounds and read back the same after
// being written again.
#include "tests/fuzz/native/Require.h"
#include "ui/skin/SkinFile.h"

#include <cstddef>
#include <cstdint>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    SkinFile file;
    if (!ParseSkinFile(data, size, file))
        return 0;
    Require(file.buttons.size() <= static_cast<size_t>(kMaxSkinButtons), "at most 50 buttons");
    Require(IsValidRegionData(file.windowRegion.data(), file.windowRegion.size()), "the window region is valid");
    for (const SkinFileButton& button : file.buttons)
        Require(IsValidRegionData(button.region.data(), button.region.size()), "every button region is valid");

    const std::vector<uint8_t> written = SerializeSkinFile(file);
    Require(written.size() <= size, "what was read is written in no more bytes");
    SkinFile again;
    Require(ParseSkinFile(written.data(), written.size(), again) && again == file,
            "a written description reads back the same");
    return 0;
}
