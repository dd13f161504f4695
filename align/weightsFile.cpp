// OutWeights.
#include "align/weightsFile.h"

#include <cerrno>
#include <cstdio>
#include <cstring>

#include "align/diagnostics.h"
#include "align/msa.h"
#include "align/textFile.h"

void OutWeights(const char* path, const MSA& msa) {
    FILE* f = fopen(path, "w");
    if (!f) Quit("Cannot open '%s' for writing: %s", path, strerror(errno));
    for (unsigned row = 0; row < msa.GetSeqCount(); ++row) {
        const char* name = msa.GetSeqName(row);
        fprintf(f, "%s\t%.3g\n", name ? name : "", msa.GetSeqWeight(row));
    }
    if (!CloseWrittenFile(f)) Quit("Cannot write '%s' errno=%d %s", path, errno, strerror(errno));
}
