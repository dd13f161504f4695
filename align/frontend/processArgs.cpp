// ProcessArgVect, ProcessArgStr and ListFlagOpts: option words into the option tables.
#include "align/frontend/commandLine.h"

#include <strings.h>

#include <cctype>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "align/diagnostics.h"
#include "align/options.h"
#include "align/textUtils.h"

namespace {

constexpr unsigned MAX_ENV_WORDS = 64;

FlagOptRow* FindFlag(const char* name) {
    for (FlagOptRow& row : FlagOptTable)
        if (strcasecmp(row.pstrName, name) == 0) return &row;
    return nullptr;
}

ValueOptRow* FindValue(const char* name) {
    for (ValueOptRow& row : ValueOptTable)
        if (strcasecmp(row.pstrName, name) == 0) return &row;
    return nullptr;
}

}  // namespace

void ProcessArgVect(int argc, char* argv[]) {
    for (int i = 0; i < argc;) {
        const char* word = argv[i];
        if (word[0] != '-') {
            fprintf(stderr, "Command-line option \"%s\" must start with '-'\n", word);
            exit(1);
        }
        const char* name = word + 1;
        if (FlagOptRow* flag = FindFlag(name)) {
            flag->bSet = true;
            ++i;
            continue;
        }
        ValueOptRow* value = FindValue(name);
        if (!value) {
            fprintf(stderr, "Invalid command line option \"%s\"\n", name);
            Usage();
            exit(1);
        }
        if (i + 1 == argc) {
            fprintf(stderr, "Option -%s must have value\n", name);
            exit(1);
        }
        delete[] value->pstrValue;
        value->pstrValue = strsave(argv[i + 1]);
        i += 2;
    }
}

void ProcessArgStr(const char* text) {
    if (!text) return;
    // The words point into this copy, cut at the white space that ends them.
    std::string copy = text;
    char* words[MAX_ENV_WORDS];
    int count = 0;
    bool inWord = false;
    for (char& c : copy) {
        if (isspace(static_cast<unsigned char>(c))) {
            c = '\0';
            inWord = false;
        } else if (!inWord) {
            if (count == MAX_ENV_WORDS) Quit("Too many args in CORVID_CMDLINE");
            words[count++] = &c;
            inWord = true;
        }
    }
    ProcessArgVect(count, words);
}

void ListFlagOpts() {
    for (const FlagOptRow& row : FlagOptTable) Log("%s %d\n", row.pstrName, row.bSet ? 1 : 0);
}
