// Dispatch of the unaligned-sequence distances.
#include "align/distUnaligned.h"

#include "align/diagnostics.h"
#include "align/distFunc.h"
#include "align/kmerDist.h"
#include "align/pwDist.h"
#include "align/seqVect.h"

void DistUnaligned(const SeqVect& v, DISTANCE d, DistFunc& df) {
    switch (d) {
        case DISTANCE_Kmer6_6:
            DistKmer6_6(v, df);
            break;
        case DISTANCE_Kmer20_3:
            DistKmer20_3(v, df);
            break;
        case DISTANCE_Kmer20_4:
            FastDistKmer(v, df);
            break;
        case DISTANCE_Kbit20_3:
            DistKbit20_3(v, df);
            break;
        case DISTANCE_Kmer4_6:
            DistKmer4_6(v, df);
            break;
        case DISTANCE_PWKimura:
            DistPWKimura(v, df);
            break;
        case DISTANCE_PWScoreDist:
            DistPWScoreDist(v, df);
            break;
        default:
            Quit("DistUnaligned, unsupported distance method %d", d);
    }
    for (unsigned i = 0; i < v.Length(); ++i) {
        const Seq& s = v.GetSeq(i);
        const unsigned id = s.GetId();
        df.SetName(i, s.GetName());
        df.SetId(i, id);
    }
}
