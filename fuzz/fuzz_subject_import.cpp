// Any bytes chosen as a subject list read without a crash, and the lines
// read, written back as a plain list and read again, are the same lines.

#include "data/SubjectImport.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const TSubjectImport first = ReadSubjectList(QByteArrayView(data, qsizetype(size)));
    if (!first.Ok())
        return 0;
    const TSubjectImport second = ReadSubjectList(EncodeSubjectList(first.Lines));
    if (!second.Ok() || second.Lines != first.Lines) {
        std::fprintf(stderr, "the lines read, written back and read again differ\n");
        std::abort();
    }
    return 0;
}
