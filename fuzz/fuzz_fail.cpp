#include "fuzz_input.h"

#include <cstdio>
#include <cstdlib>

namespace ssn::fuzz {

void Fail(const char* what) {
    std::fprintf(stderr, "property broken: %s\n", what);
    std::abort();
}

} // namespace ssn::fuzz
