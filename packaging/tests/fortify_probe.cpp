// Built with the same flags as the program. Reading into a fixed buffer with a size known only
// at run time makes a fortified build call the checked __fgets_chk, and an unfortified one the
// plain fgets. The hardening test reads that from this binary, since the program itself may
// contain no such call at all.

#include <cstdio>

int main(int argc, char *[]) {
    char buffer[16];
    return std::fgets(buffer, argc, stdin) ? std::puts(buffer) : 0;
}
