// In-process time per DoMultipleCorvid call on inputs like protein complexes:
// corvid_call_bench in1.fa [in2.fa ...]. The chains are the first L residues of the first input
// sequence at least L long (files in the order given, sequences in file order, letters other
// than the 20 standard amino acids dropped): 60 identical chains of 150 residues, 2 identical
// chains of 300, and 2 near-identical chains of 300 (the second without the first 2 and last 3
// residues, every 50th residue from the 26th substituted by the letter 7 places further on).
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "align/corvid.h"
#include "align/msa.h"
#include "align/seqVect.h"
#include "align/textFile.h"

namespace {

const char STANDARD[] = "ACDEFGHIKLMNPQRSTVWY";

std::vector<std::string> ReadStandardSequences(int argc, char** argv) {
  std::vector<std::string> out;
  for (int i = 1; i < argc; ++i) {
    SeqVect v;
    TextFile in(argv[i]);
    v.FromFASTAFile(in);
    for (const Seq* s : v) {
      std::string letters;
      for (char c : *s)
        if (std::strchr(STANDARD, c) && c != 0) letters += c;
      out.push_back(letters);
    }
  }
  return out;
}

std::string FirstAtLeast(const std::vector<std::string>& seqs, unsigned length) {
  for (const std::string& s : seqs)
    if (s.size() >= length) return s.substr(0, length);
  std::fprintf(stderr, "no input sequence has %u residues\n", length);
  std::exit(1);
}

std::string NearCopy(const std::string& a) {
  std::string b = a;
  for (size_t i = 25; i < b.size(); i += 50) b[i] = STANDARD[(std::strchr(STANDARD, b[i]) - STANDARD + 7) % 20];
  return b.substr(2, b.size() - 5);
}

void Fill(SeqVect& v, const std::vector<std::string>& chains) {
  v.Clear();
  for (size_t i = 0; i < chains.size(); ++i) {
    Seq* s = new Seq;
    v.push_back(s);
    s->assign(chains[i].begin(), chains[i].end());
    char name[32];
    std::snprintf(name, sizeof(name), "c%02zu", i + 1);
    s->SetName(name);
  }
}

std::string RowsOf(const MSA& a) {
  std::string text;
  for (unsigned row = 0; row < a.GetSeqCount(); ++row) text += std::string(a.GetSeqBuffer(row), a.GetColCount()) + "\n";
  return text;
}

// Times repeated calls; reports the median, minimum and mean per call and whether every
// call gave the same alignment.
void Time(const char* label, const std::vector<std::string>& chains, unsigned calls) {
  std::vector<double> ms;
  std::string first;
  bool same = true;
  for (unsigned k = 0; k < calls; ++k) {
    SeqVect v;
    Fill(v, chains);
    MSA a;
    const auto start = std::chrono::steady_clock::now();
    DoMultipleCorvid(v, a);
    const auto end = std::chrono::steady_clock::now();
    ms.push_back(std::chrono::duration<double, std::milli>(end - start).count());
    const std::string rows = RowsOf(a);
    if (k == 0)
      first = rows;
    else if (rows != first)
      same = false;
  }
  std::vector<double> sorted = ms;
  std::sort(sorted.begin(), sorted.end());
  double total = 0;
  for (double x : ms) total += x;
  std::printf("%-16s %3zu chains  %3u calls  median %8.2f ms  min %8.2f ms  mean %8.2f ms  %s\n", label,
              chains.size(), calls, sorted[sorted.size() / 2], sorted.front(), total / calls,
              same ? "identical output" : "OUTPUT DIFFERS");
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 2) {
    std::fprintf(stderr, "usage: %s in.fa [more.fa ...]\n", argv[0]);
    return 1;
  }
  const std::vector<std::string> seqs = ReadStandardSequences(argc, argv);
  const std::string c150 = FirstAtLeast(seqs, 150);
  const std::string c300 = FirstAtLeast(seqs, 300);
  // The first call fixes the engine's id count: the largest input goes first.
  Time("homo60_L150", std::vector<std::string>(60, c150), 20);
  Time("pair_ident_L300", {c300, c300}, 20);
  Time("pair_near_L300", {c300, NearCopy(c300)}, 20);
  return 0;
}
