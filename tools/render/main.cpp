#include <cstdio>

int main()
{
    std::puts("seastrip-render");
    return 0;
}
