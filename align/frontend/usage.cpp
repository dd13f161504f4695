// Usage and Credits: the engine program's help and credits texts.
#include "align/frontend/commandLine.h"

#include <cstdio>

namespace {

// Option lines are indented by four blanks and their descriptions start in column 24.
const char USAGE_TEXT[] =
    "\n"
    "Basic usage\n"
    "\n"
    "    corvid -in <inputfile> -out <outputfile>\n"
    "\n"
    "Common options (for a complete list please see the Quorix README):\n"
    "\n"
    "    -in <inputfile>    Input file in FASTA format (default stdin)\n"
    "    -out <outputfile>  Output alignment in FASTA format (default stdout)\n"
    "    -diags             Find diagonals (faster for similar sequences)\n"
    // The iteration default is 8 (g_uMaxIters); the usage text is fixed and says 16.
    "    -maxiters <n>      Maximum number of iterations (integer, default 16)\n"
    "    -maxhours <h>      Maximum time to iterate in hours (default no limit)\n"
    "    -html              Write output in HTML format (default FASTA)\n"
    "    -msf               Write output in GCG MSF format (default FASTA)\n"
    "    -clw               Write output in CLUSTALW format (default FASTA)\n"
    "    -clwstrict         As -clw, with 'CLUSTAL W (1.81)' header\n"
    "    -log[a] <logfile>  Log to file (append if -loga, overwrite if -log)\n"
    "    -quiet             Do not write progress messages to stderr\n"
    "    -version           Display version information and exit\n"
    "\n"
    "Without refinement (very fast): -maxiters 2\n"
    "Fastest possible (amino acids): -maxiters 1 -diags -sv -distance1 kbit20_3\n"
    "Fastest possible (nucleotides): -maxiters 1 -diags\n";

bool creditsWritten = false;

}  // namespace

void Usage() { fputs(USAGE_TEXT, stderr); }

void Credits() {
    if (creditsWritten) return;
    fputs("Corvid, the alignment engine of Quorix " QUORIX_VERSION "\n"
          "Distributed with Quorix under the terms stated in its README.\n"
          "When you publish results made with it, please cite Quorix.\n\n",
          stderr);
    creditsWritten = true;
}
