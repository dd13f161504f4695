// OutWeights.
#include "align/weightsFile.h"

#include <cstdio>

#include "align/diagnostics.h"
#include "align/msa.h"

void OutWeights(const char* path, const MSA& msa) {
    FILE* f = fopen(path, "w");
    if (!f) Quit("Cannot open '%s'", path);
    for (unsigned row = 0; row < msa.GetSeqCount(); ++row) {
        const char* name = msa.GetSeqName(row);
        fprintf(f, "%s\t%.3g\n", name ? name : "", msa.GetSeqWeight(row));
    }
    if (fclose(f) != 0) Quit("Cannot write '%s'", path);
}
