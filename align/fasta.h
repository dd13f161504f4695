// FASTA reading of one record from a C stream (the readers and writers of Seq, SeqVect and MSA
// are their FromFASTAFile and ToFASTAFile members, defined in fasta.cpp).
#pragma once

#include <cstdio>

// Reads the next record with letters. Returns its letters upper-cased (new[], NUL-terminated,
// owned by the caller), their count in *length and the label (new[]) in *label; null at the
// end of the stream. Records without letters are skipped. With bDeleteGaps, '-' and '.' are
// dropped; otherwise they are kept as letters of the record.
char* GetFastaSeq(FILE* f, unsigned* length, char** label, bool bDeleteGaps = true);
