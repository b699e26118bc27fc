#include <cstdio>

int main()
{
    std::fputs("seastrip: the desktop front is not built yet; try build/seastrip-render.\n", stderr);
    return 1;
}
