// Windowed refinement: a long alignment cut into windows of g_uRefineWindow columns, the
// letters of each window aligned again from scratch (CORVID), the windows joined side by side.
#pragma once

class MSA;

// The -refinew command: the alignment of -in, refined window by window (each with the alphabet
// of the whole alignment), through CorvidOutput.
void DoRefineW();
// out = the first g_uWindowOffset columns of a (whose rows carry ids) copied unchanged, then the
// realignment of windows g_uWindowFrom .. g_uWindowTo (0: the last; it is set to that), window
// w covering columns offset + w x width .. offset + (w + 1) x width - 1, cut at the last column.
// A window that would start beyond the last column is skipped, and an alignment without columns
// has no windows. Rows keep the order, names and ids of a; a row without letters in a window is
// gaps there, and columns that are gaps in every row are dropped. "Window %u of %u" progress
// lines go to standard error. The window g_uSaveWindow leaves win<w>_inaln.tmp,
// win<w>_inseqs.tmp and win<w>_outaln.tmp in the working directory. While windows are aligned
// the time limit saves the result so far: the windows done, then a's columns of the others,
// never one window alone.
void RefineW(const MSA& a, MSA& out);
// Appends b's columns to a, row matched by id; a row of a without a partner in b gets gaps.
void AppendMSA(MSA& a, const MSA& b);
