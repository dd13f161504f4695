// The eleven text-to-enumeration converters.
#include "align/frontend/commandLine.h"

#include "align/diagnostics.h"

namespace {

template <typename E>
E Lookup(const EnumOpt* table, const char* text, const char* typeName) {
    int value = 0;
    if (!FindEnumOpt(table, text, &value)) Quit("Invalid value %s for type %s", text, typeName);
    return static_cast<E>(value);
}

}  // namespace

#define CORVID_STR_TO_ENUM(TYPE) \
    TYPE StrTo##TYPE(const char* text) { return Lookup<TYPE>(TYPE##_Opts, text, #TYPE); }
CORVID_STR_TO_ENUM(ALPHA)
CORVID_STR_TO_ENUM(SEQTYPE)
CORVID_STR_TO_ENUM(ROOT)
CORVID_STR_TO_ENUM(CLUSTER)
CORVID_STR_TO_ENUM(JOIN)
CORVID_STR_TO_ENUM(LINKAGE)
CORVID_STR_TO_ENUM(DISTANCE)
CORVID_STR_TO_ENUM(PPSCORE)
CORVID_STR_TO_ENUM(SEQWEIGHT)
CORVID_STR_TO_ENUM(OBJSCORE)
CORVID_STR_TO_ENUM(TERMGAPS)
#undef CORVID_STR_TO_ENUM
