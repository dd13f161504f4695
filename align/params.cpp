// Definitions of the engine's process-wide g_ globals with their defaults (listed in params.h).
#include "align/params.h"

#include <bit>
#include <cstddef>
#include <cstdint>

#include "align/alpha.h"
#include "align/diagnostics.h"
#include "align/options.h"
#include "align/progress.h"
#include "align/scoringSetup.h"
#include "align/seqWeights.h"
#include "align/timeLimit.h"

#define CORVID_DEFINE_PARAM(type, name, value) type name = value;
CORVID_PARAMS(CORVID_DEFINE_PARAM)
#undef CORVID_DEFINE_PARAM

namespace {

template <typename T, std::size_t N>
constexpr std::array<T, N> Filled(T value) {
    std::array<T, N> a{};
    for (T& x : a) x = value;
    return a;
}

}  // namespace

std::array<unsigned, 256> g_CharToLetter = Filled<unsigned, 256>(NOT_SET_LETTER);
std::array<unsigned, 256> g_CharToLetterEx = Filled<unsigned, 256>(NOT_SET_LETTER);
std::array<char, MAX_ALPHA> g_LetterToChar = Filled<char, MAX_ALPHA>(NOT_SET_CHAR);
std::array<char, MAX_ALPHA_EX> g_LetterExToChar = Filled<char, MAX_ALPHA_EX>(NOT_SET_CHAR);
std::array<bool, 256> g_IsResidueChar{};
std::array<bool, 256> g_IsWildcardChar{};
std::array<char, 256> g_AlignChar = Filled<char, 256>(NOT_SET_CHAR);
std::array<char, 256> g_UnalignChar = Filled<char, 256>(NOT_SET_CHAR);

double g_dNAN = std::bit_cast<double>(std::uint64_t{0x00000000FFFFFFFFull});

void RestoreDefaultParams() {
#define CORVID_RESTORE_PARAM(type, name, value) name = value;
    CORVID_PARAMS(CORVID_RESTORE_PARAM)
#undef CORVID_RESTORE_PARAM
    ClearAlphaTables();
    ClearOptionTables();
    SetSeqWeightMethod(SEQWEIGHT_Undefined);
    ResetCorvidWeights();
    ClearProgressState();
    ClearCurrentAlignment();
    SetListFileName("", false);
}
