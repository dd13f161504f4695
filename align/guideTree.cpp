// TreeFromSeqVect and TreeFromMSA, with their optional distance-matrix dumps.
#include "align/guideTree.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <vector>

#include "align/clust.h"
#include "align/clustSet.h"
#include "align/diagnostics.h"
#include "align/distCalc.h"
#include "align/distFunc.h"
#include "align/distUnaligned.h"
#include "align/msa.h"
#include "align/rootTree.h"
#include "align/seqVect.h"
#include "align/textFile.h"
#include "align/tree.h"
#include "align/upgma2.h"

namespace {

// The UPGMA-family linkage of a clustering method; LINKAGE_Undefined for neighbour joining
// and for anything unsupported.
LINKAGE LinkageOf(CLUSTER cluster) {
    switch (cluster) {
        case CLUSTER_UPGMA:
            return LINKAGE_Avg;
        case CLUSTER_UPGMAMax:
            return LINKAGE_Max;
        case CLUSTER_UPGMAMin:
            return LINKAGE_Min;
        case CLUSTER_UPGMB:
            return LINKAGE_Biased;
        default:
            return LINKAGE_Undefined;
    }
}

FILE* CreateDump(const char* path) {
    FILE* f = fopen(path, "w");
    if (!f) Quit("Cannot create %s: %s", path, strerror(errno));
    return f;
}

const char* NameOrEmpty(const char* name) { return name ? name : ""; }

void CloseDump(FILE* f, const char* path) {
    if (!CloseWrittenFile(f)) Quit("Error writing %s: %s", path, strerror(errno));
}

}  // namespace

void TreeFromSeqVect(const SeqVect& v, Tree& tree, CLUSTER cluster, DISTANCE distance, ROOT root,
                     const char* distMxFile) {
    DistFunc df;
    DistUnaligned(v, distance, df);
    if (distMxFile) {
        FILE* f = CreateDump(distMxFile);
        const unsigned n = v.GetSeqCount();
        fprintf(f, "%u\n", n);
        for (unsigned i = 0; i < n; ++i) {
            fprintf(f, "%10.10s  ", NameOrEmpty(v.GetSeqName(i)));
            for (unsigned j = 0; j < i; ++j) fprintf(f, "  %9g", df.GetDist(i, j));
            fprintf(f, "\n");
        }
        CloseDump(f, distMxFile);
    }
    const LINKAGE linkage = LinkageOf(cluster);
    if (linkage != LINKAGE_Undefined) {
        DistCalcDF dc;
        dc.Init(df);
        UPGMA2(dc, tree, linkage);
    } else if (cluster == CLUSTER_NeighborJoining) {
        ClustSetDF set(df);
        Clust c;
        c.Create(set, CLUSTER_NeighborJoining);
        tree.FromClust(c);
    } else {
        Quit("TreeFromSeqVect_UPGMA, CLUSTER_%u not supported", static_cast<unsigned>(cluster));
    }
    FixRoot(tree, root);
}

void TreeFromMSA(const MSA& a, Tree& tree, CLUSTER cluster, DISTANCE distance, ROOT root, const char* distMxFile) {
    const LINKAGE linkage = LinkageOf(cluster);
    if (linkage == LINKAGE_Undefined && cluster != CLUSTER_NeighborJoining)
        Quit("TreeFromMSA_UPGMA, CLUSTER_%u not supported", static_cast<unsigned>(cluster));
    const unsigned n = a.GetSeqCount();
    if (linkage != LINKAGE_Undefined) {
        DistCalcMSA dc;
        dc.Init(a, distance);
        if (distMxFile) {
            FILE* f = CreateDump(distMxFile);
            fprintf(f, "%u\n", n);
            std::vector<float> row(n);
            for (unsigned i = 0; i < n; ++i) {
                fprintf(f, "%10.10s  ", NameOrEmpty(a.GetSeqName(i)));
                dc.CalcDistRange(i, row.data());
                for (unsigned j = 0; j < i; ++j) fprintf(f, "  %9g", row[j]);
                fprintf(f, "\n");
            }
            CloseDump(f, distMxFile);
        }
        UPGMA2(dc, tree, linkage);
    } else {
        ClustSetMSA set(a, &distance);
        if (distMxFile) {
            FILE* f = CreateDump(distMxFile);
            for (unsigned i = 0; i < n; ++i) {
                fprintf(f, "%10.10s  ", NameOrEmpty(a.GetSeqName(i)));
                for (unsigned j = 0; j < n; ++j) fprintf(f, "  %9g", ClustSetMSA::MSADist(a, distance, i, j));
                fprintf(f, "\n");
            }
            CloseDump(f, distMxFile);
        }
        Clust c;
        c.Create(set, CLUSTER_NeighborJoining);
        tree.FromClust(c);
    }
    FixRoot(tree, root);
}
