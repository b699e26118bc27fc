// The soak alone, for the sanitizer build: the same options and the same
// soak as seastrip-render, without the picture writers and their libraries.
#include <cstdio>
#include <exception>
#include <string>
#include <vector>

#include "render_options.h"
#include "soak.h"

int main(int argc, char** argv)
{
    using namespace seastrip;
    std::string error;
    auto options = ParseRenderOptions(std::vector<std::string>(argv + 1, argv + argc), error);
    if (!options) {
        std::fprintf(stderr, "seastrip-soak: %s\n", error.c_str());
        return 2;
    }
    if (options->soakHours <= 0) {
        std::fputs("seastrip-soak: only --soak HOURS is built in\n", stderr);
        return 2;
    }
    try {
        return RunSoak(*options);
    } catch (const std::exception& e) {
        std::fprintf(stderr, "seastrip-soak: %s\n", e.what());
        return 1;
    }
}
