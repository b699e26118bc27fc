// A settings file with any content on disk: reading never fails, a write that
// reports success reads back, a refused write leaves the file byte for byte,
// and no temporary file is ever left beside it.
#include <fuzzer/FuzzedDataProvider.h>

#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

#include "fuzz_strings.h"
#include "front/common/profile_file.h"

using namespace seastrip;
namespace fs = std::filesystem;

namespace {

[[noreturn]] void Broken(const char* what)
{
    std::fprintf(stderr, "profile file property broken: %s\n", what);
    std::abort();
}

const fs::path& Folder()
{
    static const fs::path folder = [] {
        fs::path p = fs::temp_directory_path() / ("seastrip-fuzz-" + std::to_string(getpid()));
        fs::create_directories(p);
        return p;
    }();
    return folder;
}

std::string Contents(const fs::path& path)
{
    std::ifstream in(path, std::ios::binary);
    return std::string((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
}

struct RemoveFolderAtExit {
    ~RemoveFolderAtExit()
    {
        std::error_code ec;
        fs::remove_all(Folder(), ec);
    }
} removeFolderAtExit;

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    FuzzedDataProvider in(data, size);
    const std::string section = in.ConsumeBool() ? "Data" : in.ConsumeRandomLengthString(12);
    const std::string key = in.ConsumeBool() ? "Sound" : in.ConsumeRandomLengthString(12);
    const std::string value = in.ConsumeBool() ? "OFF" : in.ConsumeRandomLengthString(24);
    const std::string content = in.ConsumeRemainingBytesAsString();

    const fs::path path = Folder() / "seastrip.ini";
    {
        std::ofstream out(path, std::ios::binary | std::ios::trunc);
        out.write(content.data(), static_cast<std::streamsize>(content.size()));
    }
    (void)ReadProfileFile(path.string(), section, key);
    const bool stored = WriteProfileFile(path.string(), section, key, value);

    if (!stored && Contents(path) != content) Broken("a refused write changed the file");
    if (stored && fuzz::StorableSection(section) && fuzz::StorableKey(key) && fuzz::StorableValue(value)) {
        if (ReadProfileFile(path.string(), section, key) != value) Broken("the stored value reads back differently");
    }
    int entries = 0;
    for ([[maybe_unused]] const auto& entry : fs::directory_iterator(Folder())) ++entries;
    if (entries != 1) Broken("a temporary file was left beside the settings file");
    return 0;
}
