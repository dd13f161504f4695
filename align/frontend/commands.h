// The engine program's commands: Run picks one from the command flags; each reads its input
// files, runs the engine on them and writes the outputs that the options ask for.
#pragma once

#include "align/enums.h"

class MSA;
class SeqVect;
struct ProfPos;

// Logs the start time, runs the first command whose option is given, in this order: -refine,
// -refinew, -profdb, -sw, -spscore <file>, -profile, -ppscore, -pas, -maketree, and otherwise
// the alignment of -in (DoCorvid); then the diagonal savings and the finish time.
void Run();

// The sequences of -in aligned as DoMultipleCorvid aligns them, written by CorvidOutput; a lone
// sequence is written as FASTA, the cluster-only stop writes only its tree file and
// -computeweights only the weights file.
void DoCorvid();
// Aligns v (ids set by the caller, within the id count) into a with the alphabet of g_SeqType
// (nucleotides switch to SPN scoring and the Kmer4_6 distance; protein keeps the scoring in
// force), the first-stage tree from the sequences, progressive alignment and, unless
// g_uMaxIters is 1 or there are two sequences, tree refinement and vertical (or horizontal)
// refinement; leading methionines are masked and put back. Reads no file and no option. A lone
// sequence is its own alignment, whatever the alphabet; none ends the process.
void CORVID(SeqVect& v, MSA& a);

// The leading methionines put back (MHackEnd), then WriteOutputFiles, of the rows in id order
// (Stabilize) when g_bStable is set.
void CorvidOutput(MSA& a);
// Every extra output that is named (-fastaout, -msfout, -clwout, -clwstrictout, which makes the
// strict ClustalW header stick for the rest of the process, -htmlout, -phyiout, -physout), then
// the main output -out in the format of the first flag given of -fasta, -msf, -clw, -html,
// -phyi, -phys; with none, FASTA when no extra output was written and otherwise an empty file.
// Last the column scores to -scorefile.
void WriteOutputFiles(MSA& a);
// b = the rows of a in id order: row i of b is a's row with id i (name and letters), id i.
void Stabilize(const MSA& a, MSA& b);

// The sequences of -in2 aligned one by one, in file order, to the growing profile alignment of
// -in1; the result written in the format of the output flags to -out.
void ProfDB();
// The alignments of -in1 and -in2 aligned to each other profile to profile, through
// CorvidOutput.
void Profile();
// out = a and b aligned profile to profile (a's rows above b's). Both get ids 0 .. rows - 1, and
// with ClustalW or ThreeWay second-stage weights each its own guide tree for the weights.
void ProfileProfile(MSA& a, MSA& b, MSA& out);
// The profile-profile score of the alignments of -in1 and -in2 (equal column counts), each
// column traced in the log: "Score=%.4g" on standard output and in the log.
void PPScore();
// The sum-of-pairs score of the alignment of -spscore: "File=%s;SP=%.4g" on standard error and
// in the log.
void DoSP();
// The alignment of -in refined (vertically, or horizontally with -noanchors) for g_uMaxIters
// passes along its own guide tree, through CorvidOutput.
void Refine();
// The guide tree of the alignment of -in (second-stage clustering, distance and rooting, with the
// alphabet of g_SeqType), in Newick form to -out.
void DoMakeTree();

// What a command that writes an alignment sets first: the output name (also for the time
// limit's save), the input name of the progress lines, the start time when asked for, and the
// first-stage weighting method.
void StartCommand(const char* inputName, bool resetStartTime);
// Reads the sequences (FASTA, gaps dropped) at path; "-" is standard input.
void ReadSeqs(const char* path, SeqVect& v);
// The alphabet that g_SeqType names, guessed for Auto; any other value ends the process with
// invalidMessage.
ALPHA SeqTypeAlpha(ALPHA guessed, const char* invalidMessage);
// Sets the alphabet of g_SeqType for the input alignment a (Auto guesses from a) and repairs the
// letters of a and, when given, of b (the wildcard for letters outside the alphabet).
ALPHA SetInputAlphabet(MSA& a, MSA* b, const char* invalidMessage);
bool IsNucleotide(ALPHA alpha);
// The profile (new[]) of a, whose rows get ids 0 .. rows - 1 first; with ownTree a's own guide
// tree (the given clustering, the distance between aligned rows g_Distance2, the first rooting)
// weights them. The first-stage distance is a k-mer distance of unaligned sequences, which no
// tree of an alignment can use.
ProfPos* NumberedProfile(MSA& a, bool ownTree, CLUSTER cluster);
// For an MSF output of an alignment joined from two inputs (or from windows), whose guide trees
// cover only their own rows by ids that both inputs use: the rows numbered 0 .. rows - 1 (the id
// count must allow them) and, when the weighting method in force needs one, the alignment's own
// guide tree, so that the MSF writer can weight every row.
void NumberJoinedAlignment(MSA& a);
// Reads the alignment (FASTA) at path; "-" is standard input. Rows of different lengths end the
// process with a message naming the file, a row and both lengths.
void ReadMSA(const char* path, MSA& a);
// The same; a file without records ends the process ("No sequences in input file <path>").
void ReadMSANotEmpty(const char* path, MSA& a);
// Reads the alignment of -in; one without rows ends the process ("No sequences in input file").
void ReadInputMSA(MSA& a);
