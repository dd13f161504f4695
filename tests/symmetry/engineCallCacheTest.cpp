// The two-sequence result cache in front of the alignment engine: what is reused, what always
// reaches the engine, and the engine's standard error on first use and on reuse.
#include "symmetry/engineCallCache.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <string>

#include "align/msa.h"
#include "align/seqVect.h"
#include "align/corvid.h"

namespace {

int calls = 0;

// Rows are the sequences as given; every call prints a warning naming the first sequence.
void warningEngine(SeqVect& v, MSA& a) {
    ++calls;
    MSA::SetIdCount(v.Length());
    for (unsigned i = 0; i < v.Length(); ++i) v.SetSeqId(i, i);
    std::fprintf(stderr, "\n*** WARNING *** about %c\n", v.GetSeq(0).empty() ? '?' : v.GetSeq(0)[0]);
    a.SetSize(v.Length(), v.GetSeq(0).Length());
    for (unsigned row = 0; row < v.Length(); ++row) {
        a.SetSeqId(row, v.Length() - 1 - row);  // rows in reverse input order
        const Seq& s = v.GetSeq(v.Length() - 1 - row);
        for (unsigned col = 0; col < s.Length(); ++col) a.SetChar(row, col, s[col]);
    }
}

[[noreturn]] void failingEngine(SeqVect&, MSA&) {
    std::fprintf(stderr, "\n*** ERROR ***  engine gave up\n");
    std::exit(2);
}

void fill(SeqVect& v, const std::vector<std::string>& letters) {
    for (const std::string& s : letters) {
        Seq* seq = new Seq;
        seq->FromString(s.c_str(), "");
        v.push_back(seq);
    }
}

std::string rowOf(const MSA& a, unsigned id) {
    std::string row;
    const unsigned r = a.GetSeqIndex(id);
    for (unsigned c = 0; c < a.GetColCount(); ++c) row += a.GetChar(r, c);
    return row;
}

class cEngineCallCacheTest : public ::testing::Test {
protected:
    void SetUp() override {
        MSA::ResetIdCount();
        MSA::SetIdCount(8);
        calls = 0;
        cache.setEngine(warningEngine);
    }
    // Aligns the sequences through the cache; returns the rows by sequence id and stderr.
    std::vector<std::string> align(const std::vector<std::string>& letters, std::string& err) {
        SeqVect v;
        fill(v, letters);
        MSA a;
        testing::internal::CaptureStderr();
        cache.align(v, a);
        err = testing::internal::GetCapturedStderr();
        std::vector<std::string> rows;
        for (unsigned id = 0; id < letters.size(); ++id) rows.push_back(rowOf(a, id));
        return rows;
    }
    cEngineCallCache cache;
};

}  // namespace

TEST_F(cEngineCallCacheTest, SamePairIsAlignedOnceAndItsWarningPrintedEveryTime) {
    std::string first, again;
    const auto rows = align({"AGSK", "WGSK"}, first);
    EXPECT_EQ(rows, (std::vector<std::string>{"AGSK", "WGSK"}));
    EXPECT_EQ(first, "\n*** WARNING *** about A\n");
    EXPECT_EQ(align({"AGSK", "WGSK"}, again), rows);
    EXPECT_EQ(again, first);
    EXPECT_EQ(calls, 1);
    EXPECT_EQ(cache.hits(), 1u);
    EXPECT_EQ(cache.misses(), 1u);
}

TEST_F(cEngineCallCacheTest, OrderOfThePairAndOtherSizesReachTheEngine) {
    std::string err;
    align({"AGSK", "WGSK"}, err);
    EXPECT_EQ(align({"WGSK", "AGSK"}, err), (std::vector<std::string>{"WGSK", "AGSK"}));
    EXPECT_EQ(calls, 2);
    align({"AGSK", "WGSK", "AGSK"}, err);
    align({"AGSK", "WGSK", "AGSK"}, err);
    EXPECT_EQ(calls, 4);
    cache.setEnabled(false);
    align({"AGSK", "WGSK"}, err);
    EXPECT_EQ(calls, 5);
}

TEST_F(cEngineCallCacheTest, ReuseKeepsTheEnginesLimitOnTheIdCount) {
    std::string err;
    align({"AGSK", "WGSK"}, err);
    MSA::ResetIdCount();
    align({"AGSK", "WGSK"}, err);  // from the cache, yet the id count is fixed as the engine would
    EXPECT_EQ(calls, 1);
    EXPECT_EQ(MSA::GetIdCount(), 2u);
}

TEST_F(cEngineCallCacheTest, FatalEngineErrorStillReachesStandardError) {
    cache.setEngine(failingEngine);
    EXPECT_EXIT(
        {
            std::string err;
            SeqVect v;
            fill(v, {"AGSK", "WGSK"});
            MSA a;
            cache.align(v, a);
        },
        testing::ExitedWithCode(2), "engine gave up");
}

namespace {

std::vector<std::string> alignWithEngine(const std::vector<std::string>& letters) {
    SeqVect v;
    fill(v, letters);
    MSA a;
    DoMultipleCorvid(v, a);
    std::vector<std::string> rows;
    for (unsigned id = 0; id < letters.size(); ++id) rows.push_back(rowOf(a, id));
    return rows;
}

}  // namespace

// What the cache relies on: the engine's alignment of two sequences depends on them alone.
TEST(cEngineCallCache, EngineAlignsAPairAlikeWhateverCameBefore) {
    MSA::ResetIdCount();
    MSA::SetIdCount(8);
    const std::vector<std::string> pair = {
        "KVFGRCELAAAMKRHGLDNYRGYSLGNWVCAAKFESNFNTQATNRNTDGSTDYGILQINSRWWCNDGRTPGSRNLCNIPCSALLSSDITASVNCAKKIVSDGNGMNAWVAWRNRCKGTDVQAWIRGCRL",
        "MKVFGRCELAAAMKRLDNYRGYSLGNWVCAAKFESNFNTQATNRNTDGSTDYGILQINSRWWCNDGRTPGSRNLCNIPCSALLSSDITASVNCAKKIVSDGNGMNAWVAWRNRCKGTDVQAWIRG"};
    const std::vector<std::string> first = alignWithEngine(pair);
    ASSERT_EQ(first.size(), 2u);
    EXPECT_NE(first[1].find('-'), std::string::npos) << "the pair should need gaps";

    alignWithEngine({pair[1], pair[0]});
    alignWithEngine({"VLSPADKTNVKAAWGKVGAHAGEYGAEALERMFLSFPTTKTYFPHF", "VHLTPEEKSAVTALWGKVNVDEVGGEALGRLLVVYPWTQRFFESFGDL",
                     pair[0]});
    alignWithEngine({"MKTAYIAKQRQISFVKSHFSRQ", "MKTAYIAKQRQISFVKSHF"});
    EXPECT_EQ(alignWithEngine(pair), first);

    cEngineCallCache cache;
    std::string err;
    for (int round = 0; round < 2; ++round) {
        SeqVect v;
        fill(v, pair);
        MSA a;
        cache.align(v, a);
        EXPECT_EQ(rowOf(a, 0), first[0]) << round;
        EXPECT_EQ(rowOf(a, 1), first[1]) << round;
    }
    EXPECT_EQ(cache.hits(), 1u);
}
