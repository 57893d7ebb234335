// Any bytes given as "appreciations.txt" read without a crash, and what was
// read, written and read again is the same bank: the second read finds
// nothing damaged and writes the very same bytes.

#include "data/RemarksBank.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>

namespace {

void Fail(const char* what) {
    std::fprintf(stderr, "%s\n", what);
    std::abort();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const QByteArrayView bytes(data, qsizetype(size));
    const TBankRead first = ReadRemarksBank(bytes);
    const QByteArray written = EncodeRemarksBank(first.Bank);

    const TBankRead second = ReadRemarksBank(written);
    if (second.Damaged())
        Fail("a written bank read as damaged");
    if (second.Bank != first.Bank)
        Fail("a written bank read back as another bank");
    if (EncodeRemarksBank(second.Bank) != written)
        Fail("a written bank, read again, wrote other bytes");
    return 0;
}
