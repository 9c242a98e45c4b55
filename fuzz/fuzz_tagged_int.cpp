// Fuzzer of ReadDataInt on arbitrary file contents and tag names.
#include "fuzz_support.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
    pvfuzz::FuzzTagReader<int32_t>(&ReadDataInt, data, size);
    return 0;
}
