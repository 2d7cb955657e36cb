#include <cstdio>
#include <cstring>

static int Usage()
{
    std::fprintf(stderr, "usage: arrowplan-cli <command> ...\n");
    return 2;
}

int main(int argc, char** argv)
{
    if (argc < 2) return Usage();
    if (std::strcmp(argv[1], "--help") == 0) {
        Usage();
        return 0;
    }
    return Usage();
}
