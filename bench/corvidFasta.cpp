// FASTA in, FASTA out through the alignment engine with its defaults, for the accuracy harness:
// corvid_fasta in.fa out.fa. Rows are written in input order under the input names, with the
// leading methionines that the engine masks put back.
#include <cstdio>

#include "align/corvid.h"
#include "align/msa.h"
#include "align/seqVect.h"
#include "align/textFile.h"

namespace {

constexpr unsigned FASTA_LINE = 60;

void WriteRow(TextFile& out, const char* name, const char* letters, unsigned length) {
  out.PutFormat(">%s\n", name ? name : "");
  for (unsigned i = 0; i < length; i += FASTA_LINE) {
    for (unsigned k = i; k < length && k < i + FASTA_LINE; ++k) out.PutChar(letters[k]);
    out.PutChar('\n');
  }
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 3) {
    std::fprintf(stderr, "usage: %s in.fa out.fa\n", argv[0]);
    return 1;
  }
  SeqVect v;
  {
    TextFile in(argv[1]);
    v.FromFASTAFile(in);
  }
  MSA a;
  DoMultipleCorvid(v, a);
  MHackEnd(a);

  TextFile out(argv[2], true);
  if (v.Length() == 1) {
    // The engine aligns nothing for one sequence: it is its own alignment.
    const Seq& s = v.GetSeq(0);
    WriteRow(out, s.GetName(), s.data(), s.Length());
    return 0;
  }
  for (unsigned i = 0; i < v.Length(); ++i) {
    const unsigned row = a.GetSeqIndex(v.GetSeqId(i));
    WriteRow(out, v.GetSeqName(i), a.GetSeqBuffer(row), a.GetColCount());
  }
  return 0;
}
