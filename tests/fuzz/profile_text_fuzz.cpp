// Settings text from anywhere: reading and writing must never fail on it, a
// written value must read back, and a write must leave every other stored
// value as it was.
#include <fuzzer/FuzzedDataProvider.h>

#include <cstdio>
#include <cstdlib>

#include "fuzz_strings.h"
#include "front/common/profile_text.h"

using namespace seastrip;

namespace {

[[noreturn]] void Broken(const char* what)
{
    std::fprintf(stderr, "profile text property broken: %s\n", what);
    std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    FuzzedDataProvider in(data, size);
    const std::string section = in.ConsumeRandomLengthString(16);
    const std::string key = in.ConsumeRandomLengthString(16);
    const std::string value = in.ConsumeRandomLengthString(32);
    const std::string otherSection = in.ConsumeRandomLengthString(16);
    const std::string otherKey = in.ConsumeRandomLengthString(16);
    const std::string text = in.ConsumeRemainingBytesAsString();

    const auto otherBefore = ProfileTextGet(text, otherSection, otherKey);
    const std::string written = ProfileTextSet(text, section, key, value);

    if (!fuzz::StorableSection(section) || !fuzz::StorableKey(key) || !fuzz::StorableValue(value)) return 0;

    const auto after = ProfileTextGet(written, section, key);
    if (!after) Broken("the written key is missing");
    if (*after != value) Broken("the written value reads back differently");

    // Writing again the value that is there changes nothing.
    if (ProfileTextSet(written, section, key, value) != written) Broken("rewriting the same value changed the text");

    const bool sameEntry = fuzz::SameName(section, otherSection) && fuzz::SameName(key, otherKey);
    if (!sameEntry && fuzz::StorableSection(otherSection) && fuzz::StorableKey(otherKey)) {
        if (ProfileTextGet(written, otherSection, otherKey) != otherBefore) Broken("another value changed");
    }
    return 0;
}
