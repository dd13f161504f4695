// Tests of SeqVect.
#include "align/seqVect.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "align/alpha.h"
#include "align/msa.h"
#include "tests/align/engineTestUtil.h"

namespace {

void Fill(SeqVect& v, const std::vector<std::string>& letters) {
    v.Clear();
    for (size_t i = 0; i < letters.size(); ++i) {
        Seq* s = new Seq;
        std::string name = std::to_string(i);
        name.insert(0, 1, 's');
        s->FromString(letters[i].c_str(), name.c_str());
        v.push_back(s);
    }
}

ALPHA Guess(const std::vector<std::string>& letters) {
    SeqVect v;
    Fill(v, letters);
    return v.GuessAlpha();
}

}  // namespace

using seqVect = EngineTest;

TEST_F(seqVect, AlphabetGuessing) {
    EXPECT_EQ(Guess({"ACGTACGT", "ACGN"}), ALPHA_DNA);
    EXPECT_EQ(Guess({"ACGU"}), ALPHA_RNA);
    EXPECT_EQ(Guess({"MKV"}), ALPHA_Amino);
    EXPECT_EQ(Guess({}), ALPHA_Amino);
    EXPECT_EQ(Guess({"--..", ""}), ALPHA_Amino);
    // Only the first 100 non-gap characters count, across sequences.
    EXPECT_EQ(Guess({std::string(60, 'A') + "--", std::string(40, 'c') + "MKLWEQRSTV"}), ALPHA_DNA);
    // 95 % is needed: 94 nucleotides in 100 are not enough.
    EXPECT_EQ(Guess({std::string(94, 'A') + "EEEEEE"}), ALPHA_Amino);
    EXPECT_EQ(Guess({std::string(95, 'G') + "EEEEE"}), ALPHA_DNA);
    // DNA is tested before RNA: A, C, G and N alone count as DNA.
    EXPECT_EQ(Guess({"ACGN"}), ALPHA_DNA);
}

TEST_F(seqVect, NamesAndIds) {
    SeqVect v;
    Fill(v, {"MK", "AC"});
    v[0]->SetName("ABC");
    v.SetSeqId(0, 5);
    unsigned index = 99;
    EXPECT_TRUE(v.FindName("abc", &index));
    EXPECT_EQ(index, 0u);
    EXPECT_FALSE(v.FindName("abd", &index));
    EXPECT_EQ(v.GetSeqIdFromName("ABC"), 5u);
    EXPECT_QUIT(v.GetSeqIdFromName("abc"), "SeqVect::GetSeqIdFromName(abc): not found");
    EXPECT_QUIT(v.GetSeqIdFromName("s1"), "Seq::GetId, id not set");
    EXPECT_STREQ(v.GetSeqById(5).GetName(), "ABC");
    EXPECT_QUIT(v.GetSeqById(6), "Seq::GetId, id not set");  // the search meets s1 without an id
    v.SetSeqId(1, 6);
    EXPECT_EQ(v.GetSeqById(6).GetName(), std::string("s1"));
    EXPECT_QUIT(v.GetSeqById(7), "SeqVect::GetSeqIdByUd(7): not found");
}

TEST_F(seqVect, AccessorsCheckTheirIndex) {
    SeqVect v;
    Fill(v, {"MK", "AC"});
    EXPECT_EQ(v.GetSeqLength(1), 2u);
    EXPECT_QUIT(v.GetSeq(2), "SeqVect::GetSeq(2), count=2");
    EXPECT_QUIT(v.GetSeqName(5), "SeqVect::GetSeqName(5), count=2");
    EXPECT_QUIT(v.GetSeqLength(2), "SeqVect::GetSeqLength(2), count=2");
    EXPECT_QUIT(v.SetSeqId(2, 0), "SeqVect::SetSeqId(2), count=2");
    EXPECT_QUIT(v.GetSeqId(9), "SeqVect::GetSeqId(9), count=2");
}

TEST_F(seqVect, CopiesClearAndRefill) {
    SeqVect v, w;
    Fill(v, {"MK", "AC"});
    EXPECT_QUIT(w.AppendSeq(*v[0]), "Seq::GetId, id not set");
    v.SetSeqId(0, 0);
    v.SetSeqId(1, 1);
    Fill(w, {"QQQ"});
    w.Copy(v);  // what w held is released (the sanitizer build checks for leaks)
    ASSERT_EQ(w.Length(), 2u);
    EXPECT_EQ(std::string(w[1]->begin(), w[1]->end()), "AC");
    EXPECT_EQ(w.GetSeqId(1), 1u);
    w.Clear();
    EXPECT_EQ(w.Length(), 0u);
    Fill(w, {"W"});
    EXPECT_EQ(w.Length(), 1u);
}

TEST_F(seqVect, PaddingToAnAlignment) {
    SeqVect v;
    Fill(v, {"ABC", "ABCDE"});
    MSA a;
    v.PadToMSA(a);
    ASSERT_EQ(a.GetSeqCount(), 2u);
    ASSERT_EQ(a.GetColCount(), 5u);
    EXPECT_EQ(std::string(a.GetSeqBuffer(0), 5), "ABC..");
    EXPECT_STREQ(a.GetSeqName(1), "s1");
    SeqVect empty;
    empty.PadToMSA(a);
    EXPECT_EQ(a.GetSeqCount(), 0u);
}

TEST_F(seqVect, RepairWarnsOnceForTheCollection) {
    SetAlpha(ALPHA_Amino);
    SeqVect v;
    Fill(v, {"MKJ", "OAB", "J"});
    testing::internal::CaptureStderr();
    v.FixAlpha();
    EXPECT_EQ(testing::internal::GetCapturedStderr(),
              "\n*** WARNING *** Assuming Amino (see -seqtype option), invalid letters found: JO\n");
    EXPECT_EQ(std::string(v[1]->begin(), v[1]->end()), "XAB");
}
