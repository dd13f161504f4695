// The engine's time limit (g_ulMaxSecs) and the emergency save of the current alignment.
#pragma once

#include <functional>

class MSA;

// Where and what SaveCurrentAlignment writes. The alignment must stay complete and alive while
// it is registered: stages register each complete alignment they make (ignored while a hold
// below is in force).
void SetOutputFileName(const char* name);
void SetCurrentAlignment(MSA& msa);
// Forgets the current alignment and the output name.
void ClearCurrentAlignment();

// Builds the whole alignment as it stands from the parts a stage keeps while it works.
using AlignmentAssembler = std::function<void(MSA& whole)>;

// While it lives, msa is the alignment that a time-limit save writes, whatever the stages inside
// register: the blocks of vertical refinement and the windows of windowed refinement are only
// parts of the result, and are destroyed before it. withMarks says whether the first-residue
// marks in force (MHackStart) belong to msa's rows. Inside another hold it changes nothing; at
// its end the registration before it is back.
class CurrentAlignmentHold {
public:
    explicit CurrentAlignmentHold(const MSA& msa, bool withMarks = true);
    // The save writes what assemble builds at the moment of the save (withMarks as above), so
    // that a stage that rebuilds the alignment piece by piece pays nothing for being saved until
    // a save happens. The function must stay callable while the hold lives.
    explicit CurrentAlignmentHold(AlignmentAssembler assemble, bool withMarks = true);
    ~CurrentAlignmentHold();
    CurrentAlignmentHold(const CurrentAlignmentHold&) = delete;
    CurrentAlignmentHold& operator=(const CurrentAlignmentHold&) = delete;

private:
    void Take(const MSA* msa, const AlignmentAssembler* assemble, bool withMarks);

    bool m_bTaken = false;
    const MSA* m_ptrPrevious = nullptr;
    bool m_bPreviousMarks = true;
    AlignmentAssembler m_Assemble;
};

// With a limit set and more than g_ulMaxSecs seconds since the start time: logs, saves the
// current alignment and ends the process with status 0 (the saved alignment is the result).
void CheckMaxTime();
// Writes the current alignment as FASTA to the output name, with the first residues that
// MHackStart masked put back. Without an alignment or without a name it ends the process with
// status 2.
void SaveCurrentAlignment();
