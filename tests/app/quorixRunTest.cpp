// Whole runs of the quorix executable: symmetry found on synthetic assemblies with known
// answers, the results in their fixed layouts, manual permutations, trajectories, and the ends
// of a run on unusable input.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <poll.h>
#include <sys/stat.h>
#include <unistd.h>

#include <Eigen/Geometry>
#include <cmath>
#include <filesystem>
#include <fstream>
#include <map>
#include <nlohmann/json.hpp>
#include <regex>
#include <string>
#include <thread>
#include <tuple>

#include "tests/app/runProgram.h"
#include "tests/libs/ReadDCD/dcdBytes.h"
#include "tests/structure/tempFile.h"

namespace {

using nlohmann::json;

const std::string kData = std::string(QUORIX_TEST_DATA) + "/symmetry/";
constexpr double kDegree = 3.141592653589793 / 180.0;

sProgramRun quorix(std::vector<std::string> args) {
    args.insert(args.begin(), quorixPath());
    return runProgram(args);
}

// A path in the temporary directory for an output file, removed with the object.
class cOutputPath {
public:
    explicit cOutputPath(const std::string& name)
        : path((std::filesystem::temp_directory_path() /
                ("quorix_run_" + std::to_string(::getpid()) + "_" + name))
                   .string()) {}
    ~cOutputPath() { std::filesystem::remove(path); }
    std::string path;
};

json readJson(const std::string& path) { return json::parse(readWholeFile(path)); }

Eigen::Vector3d vec(const json& v) { return {v.at(0).get<double>(), v.at(1).get<double>(), v.at(2).get<double>()}; }

// Angle (radians) between the axis and the nearest of the ground truth's axes, either sign.
double axisError(const Eigen::Vector3d& axis, const json& truth) {
    double best = 10.0;
    for (const json& a : truth.at("axes")) {
        const double c = std::min(1.0, std::fabs(axis.normalized().dot(vec(a.at("direction")).normalized())));
        best = std::min(best, std::acos(c));
    }
    return best;
}

std::string lowerCase(std::string s) {
    for (char& c : s) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return s;
}

const json* groupObject(const json& document, const std::string& group) {
    for (const json& g : document)
        if (g.at("group") == group) return &g;
    return nullptr;
}

// Lines of the output between the "Symmetry group :" line of the group and the next title.
std::vector<std::string> groupLines(const std::string& out, const std::string& group) {
    std::vector<std::string> lines;
    bool inside = false;
    for (const std::string& line : splitLines(out)) {
        if (line.rfind("Symmetry group :", 0) == 0) {
            inside = line.size() >= group.size() + 3 && line.substr(line.size() - group.size() - 3) == " : " + group;
            continue;
        }
        if (line.rfind("=====", 0) == 0) inside = false;
        if (inside) lines.push_back(line);
    }
    return lines;
}

// The PDB text of a file's lines without the ATOM and TER records of the chains named in gone.
std::string withoutChains(const std::vector<std::string>& lines, const std::string& gone) {
    std::string text;
    for (const std::string& line : lines) {
        const bool record = line.rfind("ATOM", 0) == 0 || line.rfind("TER", 0) == 0;
        if (record && line.size() > 21 && gone.find(line[21]) != std::string::npos) continue;
        text += line + "\n";
    }
    return text;
}

const std::string kFullHeader =
    "   RMSD RMSD_R RMSD_T RMSD_Z RADGYR ORDER  AXIS X  AXIS Y  AXIS Z  CENTER X  CENTER Y  CENTER Z";
const std::string kPartialHeader = "   RMSD RADGYR ORDER  AXIS X  AXIS Y  AXIS Z  CENTER X  CENTER Y  CENTER Z";
const std::regex kFullRow(R"(( *-?\d+\.\d{3}){5} +\d+( *-?\d+\.\d{3}){6})");
const std::regex kPartialRow(R"(( *-?\d+\.\d{3}){2} +\d+( *-?\d+\.\d{3}){6})");
const std::regex kGlobalLine(R"(RMSD : \d+\.\d{6} )");
const std::string kNumber = R"(-?[0-9.]+(e[-+]\d+)?)";
const std::regex kArrowLine("cgo_arrow \\[" + kNumber + "," + kNumber + "," + kNumber + "\\], \\[" + kNumber + "," +
                            kNumber + "," + kNumber + "\\] ");

struct sSynthetic {
    const char* name;
    double sigma;  // noise of every coordinate, Å
};

}  // namespace

class QuorixRunSynthetic : public ::testing::TestWithParam<sSynthetic> {};

TEST_P(QuorixRunSynthetic, AutomaticDetectionFindsTheGroupAxesCentreAndRMSD) {
    const sSynthetic c = GetParam();
    const json truth = readJson(kData + c.name + ".json");
    cOutputPath results(std::string(c.name) + ".json");
    const sProgramRun run = quorix({kData + c.name + "_ca.pdb", "-j", results.path});
    ASSERT_EQ(run.status, 0) << run.err;
    const json document = readJson(results.path);
    const std::string group = lowerCase(truth.at("group"));
    const json* found = groupObject(document, group);
    ASSERT_NE(found, nullptr) << group << " was not tested";

    // Perfect copies fit to the coordinates' rounding; noisy ones to the noise of a structure
    // against its image, sigma sqrt(6).
    const double expected = c.sigma * std::sqrt(6.0);
    const double global = found->at("globalRMSD");
    EXPECT_NEAR(global, expected, c.sigma > 0 ? 0.15 : 0.01);
    for (const json& other : document) {
        if (other.at("group") != group) {
            EXPECT_GT(other.at("globalRMSD").get<double>(), global + 1.0) << other.at("group");
        }
    }

    const Eigen::Vector3d centre = vec(truth.at("centre"));
    const Eigen::Vector3d mainAxis = vec(truth.at("main_axis")).normalized();
    ASSERT_FALSE(found->at("transforms").empty());
    for (const json& element : found->at("transforms")) {
        const Eigen::Vector3d axis = vec(element.at("AXIS"));
        EXPECT_LT(axisError(axis, truth), 0.5 * kDegree);
        const Eigen::Vector3d fitted = vec(element.at("CENTER"));
        // A cyclic group's centre is a point of its axis; other groups have one centre.
        const Eigen::Vector3d offset = fitted - centre;
        const double centreError =
            group[0] == 'c' ? (offset - offset.dot(mainAxis) * mainAxis).norm() : offset.norm();
        EXPECT_LT(centreError, 0.1);
        EXPECT_NEAR(element.at("RMSD").get<double>(), expected, c.sigma > 0 ? 0.25 : 0.01);
    }
}

INSTANTIATE_TEST_SUITE_P(QuorixRun, QuorixRunSynthetic,
                         ::testing::Values(sSynthetic{"c2_noise0.5", 0.5}, sSynthetic{"c3_exact", 0.0},
                                           sSynthetic{"c5_shuffled", 0.0}, sSynthetic{"d2_exact", 0.0},
                                           sSynthetic{"t_exact", 0.0}),
                         [](const auto& info) {
                             std::string name = info.param.name;
                             for (char& ch : name)
                                 if (!std::isalnum(static_cast<unsigned char>(ch))) ch = '_';
                             return name;
                         });

TEST(QuorixRun, ChainsOfDifferentSequencesAreMatchedWithinTheirCopies) {
    // Two alpha and two beta chains of haemoglobin about one two-fold axis.
    const json truth = readJson(kData + "hetero_a2b2_c2.json");
    cOutputPath results("hetero.json");
    const sProgramRun run = quorix({kData + "hetero_a2b2_c2_ca.pdb", "c2", "-j", results.path});
    ASSERT_EQ(run.status, 0) << run.err;
    const json document = readJson(results.path);
    const json& element = document.at(0).at("transforms").at(0);
    EXPECT_LT(axisError(vec(element.at("AXIS")), truth), 0.5 * kDegree);
    EXPECT_LT(element.at("RMSD").get<double>(), 0.01);
}

TEST(QuorixRun, TrimmedChainsAreMatchedByAlignment) {
    const json truth = readJson(kData + "c3_noise0.5_shuffled_trimmed.json");
    cOutputPath results("trimmed.json");
    const sProgramRun run = quorix({kData + "c3_noise0.5_shuffled_trimmed_ca.pdb", "-j", results.path});
    ASSERT_EQ(run.status, 0) << run.err;
    const json document = readJson(results.path);
    const json* found = groupObject(document, "c3");
    ASSERT_NE(found, nullptr);
    EXPECT_NEAR(found->at("globalRMSD").get<double>(), 0.5 * std::sqrt(6.0), 0.15);
    for (const json& element : found->at("transforms"))
        EXPECT_LT(axisError(vec(element.at("AXIS")), truth), 0.5 * kDegree);
}

TEST(QuorixRun, TableRowsPermutationsAndArrowsHaveTheirFixedLayout) {
    cOutputPath results("layout.json");
    const sProgramRun run = quorix({kData + "d2_exact_ca.pdb", "d2", "-p", "-y", "-j", results.path});
    ASSERT_EQ(run.status, 0) << run.err;
    const std::vector<std::string> lines = groupLines(run.out, "d2");
    ASSERT_EQ(lines.size(), 1u + 3 * 3 + 1);
    EXPECT_EQ(lines[0], kFullHeader);
    const json document = readJson(results.path);
    const json& transforms = document.at(0).at("transforms");
    ASSERT_EQ(transforms.size(), 3u);
    for (int e = 0; e < 3; ++e) {
        const std::string& row = lines[1 + 3 * e];
        EXPECT_TRUE(std::regex_match(row, kFullRow)) << row;
        EXPECT_EQ(row.size(), 5 * 7 + 6 + 3 * 8 + 3 * 10u);
        // The permutation line holds the element's chain slots, also kept in the JSON.
        std::string permutation = "(";
        for (std::size_t k = 0; k < transforms[e].at("permutation").size(); ++k)
            permutation += (k ? ", " : "") + std::to_string(transforms[e].at("permutation")[k].get<int>());
        EXPECT_EQ(lines[2 + 3 * e], permutation + ")");
        EXPECT_EQ(transforms[e].at("permutation").size(), 4u);
        // The arrow runs through the centre along the axis, from P0 to P1.
        const std::string& arrow = lines[3 + 3 * e];
        EXPECT_TRUE(std::regex_match(arrow, kArrowLine)) << arrow;
        const Eigen::Vector3d p0 = vec(transforms[e].at("P0")), p1 = vec(transforms[e].at("P1"));
        char expectedArrow[200];
        std::snprintf(expectedArrow, sizeof expectedArrow, "cgo_arrow [%g,%g,%g], [%g,%g,%g] ", p0.x(), p0.y(), p0.z(),
                      p1.x(), p1.y(), p1.z());
        EXPECT_EQ(arrow, expectedArrow);
        EXPECT_LT(((p0 + p1) / 2 - vec(transforms[e].at("CENTER"))).norm(), 1e-9);
        EXPECT_NEAR(std::fabs((p0 - p1).normalized().dot(vec(transforms[e].at("AXIS")))), 1.0, 1e-9);
    }
    EXPECT_TRUE(std::regex_match(lines.back(), kGlobalLine)) << lines.back();
}

TEST(QuorixRun, GroupMissingChainsGetsThePartialTable) {
    // C3 on four chains: a complete trimer and a copy holding one chain only.
    cOutputPath results("partial.json");
    const sProgramRun run = quorix({kData + "d2_exact_ca.pdb", "c3", "-j", results.path});
    ASSERT_EQ(run.status, 0) << run.err;
    const std::vector<std::string> lines = groupLines(run.out, "c3");
    ASSERT_EQ(lines.size(), 3u);
    EXPECT_EQ(lines[0], kPartialHeader);
    for (int e = 1; e < 3; ++e) EXPECT_TRUE(std::regex_match(lines[e], kPartialRow)) << lines[e];
    EXPECT_EQ(run.out.find("RMSD : "), std::string::npos);
    const json document = readJson(results.path);
    const json& group = document.at(0);
    EXPECT_FALSE(group.contains("globalRMSD"));
    for (const json& element : group.at("transforms")) {
        EXPECT_FALSE(element.contains("RMSD_R"));
        EXPECT_EQ(element.at("ORDER"), 3);
    }
}

// The trimer c3_exact with every coordinate times `scale`: still a C3, about the scaled axis,
// with a radius of gyration `scale` times its own.
std::string scaledTrimer(double scale) {
    std::string text;
    for (const std::string& line : splitLines(readWholeFile(kData + "c3_exact_ca.pdb"))) {
        if (line.rfind("ATOM", 0) != 0) {
            text += line + "\n";
            continue;
        }
        char xyz[32];
        std::snprintf(xyz, sizeof xyz, "%8.3f%8.3f%8.3f", scale * std::stod(line.substr(30, 8)),
                      scale * std::stod(line.substr(38, 8)), scale * std::stod(line.substr(46, 8)));
        text += line.substr(0, 30) + xyz + line.substr(54) + "\n";
    }
    return text;
}

TEST(QuorixRun, RotationPairingNoChainPresentShowsTheGroupsAxis) {
    // C6 on a trimer: the turns by 1/6, 3/6 and 5/6 relate no two chains present. Their RMSD is
    // "-" (null), with a blank after it even where RADGYR fills its 7 columns (100 Å and more),
    // and they still get the ring's axis, a radius and an arrow; where that axis lies is checked
    // with the rings below.
    const std::regex unmeasured(R"(     - ( *\d+\.\d{3}) +[26]( *-?\d+\.\d{3}){6})");
    for (double scale : {1.0, 5.0}) {
        SCOPED_TRACE("coordinates times " + std::to_string(scale));
        cTempFile pdb(scaledTrimer(scale));
        cOutputPath results("unmeasured.json");
        const sProgramRun run = quorix({pdb.path(), "c6", "-y", "-j", results.path});
        ASSERT_EQ(run.status, 0) << run.err;
        EXPECT_EQ(run.out.find("nan"), std::string::npos);
        int rows = 0, arrows = 0;
        for (const std::string& line : groupLines(run.out, "c6")) {
            arrows += line.rfind("cgo_arrow", 0) == 0;
            std::smatch match;
            if (!std::regex_match(line, match, unmeasured)) continue;
            ++rows;
            EXPECT_EQ(std::stod(match[1]) >= 100.0, scale > 1.0) << line;
        }
        EXPECT_EQ(rows, 3);
        EXPECT_EQ(arrows, 5);
        const json document = readJson(results.path);
        int nulls = 0;
        for (const json& element : document.at(0).at("transforms")) {
            nulls += element.at("RMSD").is_null();
            EXPECT_TRUE(element.at("RAD_GYR").is_number() && element.at("P0").at(0).is_number()) << element.dump();
        }
        EXPECT_EQ(nulls, 3);
    }
}

TEST(QuorixRun, NamedCyclicGroupWithChainsMissingPairsChainsByTheirPlaceOnTheRing) {
    // Exact rings with every set of two and three chains taken out (a sample of them for C12),
    // and a ring of alpha+beta pairs with whole pairs and single chains taken out. Every row is
    // measured or shown as not measured; a measured row pairs the chains its rotation relates,
    // so it fits to the coordinates' rounding, and every row lies on the true axis.
    struct sRing {
        const char* name;
        std::string chains;
        int sampleEvery;
        std::vector<std::string> extra;  // further sets of chains to take out
    };
    const sRing rings[] = {{"c5_exact", "ABCDE", 1, {}},
                           {"c6_origin_zaxis", "ABCDEF", 1, {}},
                           {"c7_exact", "ABCDEFG", 1, {}},
                           {"c12_exact", "ABCDEFGHIJKL", 7, {"BCDEFGHIJ", "ACEGIK"}},
                           {"hetero_a4b4_c4", "", 1, {"CD", "AB", "GH", "C", "B", "CH", "BCE", "ADF"}}};
    int runs = 0;
    for (const sRing& ring : rings) {
        const json truth = readJson(kData + ring.name + ".json");
        const std::string group = lowerCase(truth.at("group"));
        const Eigen::Vector3d centre = vec(truth.at("centre")), axis = vec(truth.at("main_axis")).normalized();
        const std::vector<std::string> lines = splitLines(readWholeFile(kData + ring.name + "_ca.pdb"));
        std::vector<std::string> removals = ring.extra;
        const int c = static_cast<int>(ring.chains.size());
        int counter = 0;
        for (int i = 0; i < c; ++i)
            for (int j = i + 1; j < c; ++j) {
                if (counter++ % ring.sampleEvery == 0) removals.push_back({ring.chains[i], ring.chains[j]});
                for (int k = j + 1; k < c; ++k)
                    if (counter++ % ring.sampleEvery == 0)
                        removals.push_back({ring.chains[i], ring.chains[j], ring.chains[k]});
            }
        for (const std::string& gone : removals) {
            SCOPED_TRACE(std::string(ring.name) + " without " + gone);
            std::string kept;
            for (const std::string& line : lines)
                if (line.rfind("ATOM", 0) == 0 && gone.find(line[21]) == std::string::npos &&
                    kept.find(line[21]) == std::string::npos)
                    kept += line[21];
            cTempFile pdb(withoutChains(lines, gone));
            cOutputPath results("ring.json");
            const sProgramRun run = quorix({pdb.path(), group, "-p", "-j", results.path});
            ++runs;
            ASSERT_EQ(run.status, 0) << run.out << run.err;
            EXPECT_EQ(run.out.find("nan"), std::string::npos);
            const int n = static_cast<int>(kept.size());
            const json document = readJson(results.path);
            const json& transforms = document.at(0).at("transforms");
            ASSERT_EQ(transforms.size(), static_cast<std::size_t>(truth.at("axes").at(0).at("fold").get<int>() - 1));
            for (const json& element : transforms) {
                const std::vector<int> P = element.at("permutation").get<std::vector<int>>();
                bool pairs = false;
                for (int k = 0; k < n; ++k) pairs = pairs || (P[k] >= 0 && P[k] < n);
                ASSERT_EQ(element.at("RMSD").is_null(), !pairs) << element.dump();
                if (pairs) {
                    EXPECT_LT(element.at("RMSD").get<double>(), 0.01) << element.dump();
                }
                EXPECT_LT(axisError(vec(element.at("AXIS")), truth), 0.5 * kDegree) << element.dump();
                const Eigen::Vector3d offset = vec(element.at("CENTER")) - centre;
                EXPECT_LT((offset - offset.dot(axis) * axis).norm(), 0.1) << element.dump();
            }
        }
    }
    EXPECT_GT(runs, 150);
}

TEST(QuorixRun, RingWithChainsMissingKeepsTheSenseAndPermutationsItPrinted) {
    // The sense around the ring: the search's own map where it puts the chains in their places,
    // in either sense (without A, its map runs the other way round from the places' rule, and
    // its axis points the other way); otherwise the places, read in the sense that meets the
    // chains in the lower order (without A and B). Both tables are printed byte for byte as
    // before the places were taken from the chains' centres.
    const std::string rows = "(1, 2, 3, 4, 0)\n%s(2, 3, 4, 0, 1)\n%s(3, 4, 0, 1, 2)\n%s(4, 0, 1, 2, 3)\n";
    struct sCase {
        const char* gone;
        const char* first;  // the first row, whose RADGYR differs in the last digit
        const char* other;  // every other row
    };
    const sCase cases[] = {
        {"AB", "  0.001 28.055     5  -0.258  -0.895   0.363    28.603   -31.715   -16.873",
         "  0.001 28.054     5  -0.258  -0.895   0.363    28.603   -31.715   -16.873"},
        {"A", "  0.001 28.054     5   0.258   0.895  -0.363    28.603   -31.715   -16.873",
         "  0.001 28.054     5   0.258   0.895  -0.363    28.603   -31.715   -16.873"},
    };
    const std::vector<std::string> lines = splitLines(readWholeFile(kData + "c5_exact_ca.pdb"));
    for (const sCase& c : cases) {
        cTempFile pdb(withoutChains(lines, c.gone));
        const sProgramRun run = quorix({pdb.path(), "c5", "-p"});
        ASSERT_EQ(run.status, 0) << run.err;
        const std::string other = std::string(c.other) + "\n";
        std::string expected = kPartialHeader + "\n" + c.first + "\n";
        char text[512];
        std::snprintf(text, sizeof text, rows.c_str(), other.c_str(), other.c_str(), other.c_str());
        expected += text;
        std::string printed;
        for (const std::string& line : groupLines(run.out, "c5")) printed += line + "\n";
        EXPECT_EQ(printed, expected) << "c5_exact without " << c.gone;
    }
}

TEST(QuorixRun, CopyOfOneChainIsLeftOutOfTheFitWhereverItStands) {
    // A far copy of chain A, as the file's first chain, beside a perfect trimer: the lone chain
    // forms a copy of its own, which has nothing to fit.
    std::string lone, rest;
    for (const std::string& line : splitLines(readWholeFile(kData + "c3_exact_ca.pdb"))) {
        if (line.rfind("ATOM", 0) == 0 && line[21] == 'A') {
            char x[16];
            std::snprintf(x, sizeof x, "%8.3f", std::stod(line.substr(30, 8)) + 300.0);
            lone += line.substr(0, 21) + "Z" + line.substr(22, 8) + x + line.substr(38) + "\n";
        }
        if (line.rfind("HEADER", 0) != 0 && line.rfind("TITLE", 0) != 0 && line.rfind("REMARK", 0) != 0)
            rest += line + "\n";
    }
    cTempFile pdb(lone + "TER\n" + rest);
    const json truth = readJson(kData + "c3_exact.json");
    cOutputPath results("lone.json");
    const sProgramRun run = quorix({pdb.path(), "c3", "-j", results.path});
    ASSERT_EQ(run.status, 0) << run.out << run.err;
    const json document = readJson(results.path);
    const json& transforms = document.at(0).at("transforms");
    ASSERT_EQ(transforms.size(), 2u);
    for (const json& element : transforms) {
        EXPECT_LT(element.at("RMSD").get<double>(), 0.01);
        EXPECT_LT(axisError(vec(element.at("AXIS")), truth), 0.5 * kDegree);
    }
}

TEST(QuorixRun, JsonKeysAreSortedWithOneObjectPerTestedGroup) {
    cOutputPath results("sorted.json");
    const sProgramRun run = quorix({kData + "t_exact_ca.pdb", "-j", results.path});
    ASSERT_EQ(run.status, 0) << run.err;
    const std::string text = readWholeFile(results.path);
    const json document = json::parse(text);
    // Serialised with sorted keys and an indentation of one blank per level.
    EXPECT_EQ(text, document.dump(1) + "\n");
    ASSERT_EQ(document.size(), 3u);
    EXPECT_EQ(document[0].at("group"), "t");
    EXPECT_EQ(document[1].at("group"), "d6");
    EXPECT_EQ(document[2].at("group"), "c12");
    for (const json& group : document) {
        EXPECT_EQ(group.size(), 3u);
        EXPECT_EQ(group.at("transforms").size(), group.at("group") == "d6" ? 11u : 11u);
        for (const json& element : group.at("transforms")) {
            std::vector<std::string> keys;
            for (const auto& [key, value] : element.items()) keys.push_back(key);
            EXPECT_EQ(keys, (std::vector<std::string>{"AXIS", "CENTER", "ORDER", "P0", "P1", "RAD_GYR", "RMSD",
                                                      "RMSD_R", "RMSD_T", "RMSD_Z"}));
        }
    }
}

TEST(QuorixRun, NoPrintedGroupLeavesANullDocument) {
    // D4 holds 8 chains: twelve chains cannot be split into its copies.
    cOutputPath results("null.json");
    const sProgramRun run = quorix({kData + "t_exact_ca.pdb", "d4", "-j", results.path});
    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_NE(run.out.find("Unable to perform chain clustering"), std::string::npos);
    EXPECT_EQ(readWholeFile(results.path), "null\n");
}

TEST(QuorixRun, ResultsFileIsTruncatedOnceAndHoldsEveryGroup) {
    cOutputPath output("results.txt");
    std::ofstream(output.path) << "results of an earlier run\n";
    const sProgramRun run = quorix({kData + "d2_exact_ca.pdb", "--output", output.path});
    ASSERT_EQ(run.status, 0) << run.err;
    const std::vector<std::string> lines = splitLines(readWholeFile(output.path));
    ASSERT_FALSE(lines.empty());
    EXPECT_EQ(lines.front(), kFullHeader);
    EXPECT_EQ(std::count(lines.begin(), lines.end(), kFullHeader), 2);  // d2, then c4
    int globalLines = 0;
    for (const std::string& line : lines) globalLines += std::regex_match(line, kGlobalLine);
    EXPECT_EQ(globalLines, 2);
    EXPECT_EQ(run.out.find(kFullHeader), std::string::npos);
}

TEST(QuorixRun, ManualPermutationsAndTheirErrors) {
    const std::string pdb = kData + "c3_exact_ca.pdb";
    const sProgramRun clustered = quorix({pdb, "c3"});
    const sProgramRun manual = quorix({pdb, "c3", "-P", "(1,2,0)"});
    ASSERT_EQ(manual.status, 0) << manual.err;
    EXPECT_EQ(groupLines(manual.out, "c3"), groupLines(clustered.out, "c3"));

    struct sCase {
        std::vector<std::string> args;
        std::string message;
    };
    const std::vector<sCase> cases = {
        {{"c3", "-P", "(1,2,0);(0,2,1)"},
         "Syntax error in permutations,1 permutation(s) expected for c symmetries (use \";\" as separator) "},
        {{"c3", "-P", "1,2,0"}, "Syntax error in permutations, parenthesis expected"},
        {{"c3", "-P", "(1,0)"}, "Permutation size does not contains the expected nb of elements"},
        {{"c3", "-P", "(1,2,2)"}, "Incorrect permutation provided"},
        {{"c3", "-P", "(1,2,5)"}, "Incorrect permutation provided"},
        {{"c3", "-P", "(1,0,2)"}, "Incorrect permutation provided"},  // no three-cycle
        {{"c2", "-P", "(1,0)"}, "Incorrect permutation provided"},    // two slots for three chains
    };
    for (const sCase& c : cases) {
        std::vector<std::string> args{pdb};
        args.insert(args.end(), c.args.begin(), c.args.end());
        const sProgramRun run = quorix(args);
        EXPECT_EQ(run.status, 1) << c.args.back();
        const std::vector<std::string> lines = splitLines(run.out);
        ASSERT_FALSE(lines.empty());
        EXPECT_EQ(lines.back(), c.message) << c.args.back();
    }
}

namespace {

// The ATOM records of a PDB text with serial numbers 1, 2, ... in file order, and the atoms'
// positions.
std::string renumbered(const std::string& pdb, std::vector<Eigen::Vector3d>& positions) {
    std::string out;
    int serial = 0;
    for (std::string line : splitLines(pdb)) {
        if (line.rfind("ATOM", 0) == 0) {
            char number[16];
            std::snprintf(number, sizeof number, "%5d", ++serial);
            line.replace(6, 5, number, 5);
            positions.emplace_back(std::stod(line.substr(30, 8)), std::stod(line.substr(38, 8)),
                                   std::stod(line.substr(46, 8)));
        }
        out += line + "\n";
    }
    return out;
}

// A DCD of the positions moved rigidly, one frame per motion; NSTEP far beyond the frame count.
DcdBytes rigidTrajectory(const std::vector<Eigen::Vector3d>& positions, const std::vector<Eigen::Isometry3d>& motions,
                         int natom) {
    std::array<std::int32_t, 20> control = controlWords(static_cast<int>(motions.size()), 0);
    control[3] = 100000;
    DcdBytes dcd;
    dcd.header(control).titles({"rigid motions"}).ints({natom});
    for (const Eigen::Isometry3d& motion : motions) {
        std::vector<float> x, y, z;
        for (const Eigen::Vector3d& p : positions) {
            const Eigen::Vector3d q = motion * p;
            x.push_back(static_cast<float>(q.x()));
            y.push_back(static_cast<float>(q.y()));
            z.push_back(static_cast<float>(q.z()));
        }
        x.resize(natom, 0.0f);
        y.resize(natom, 0.0f);
        z.resize(natom, 0.0f);
        dcd.floats(x).floats(y).floats(z);
    }
    return dcd;
}

std::vector<Eigen::Isometry3d> threeMotions() {
    std::vector<Eigen::Isometry3d> motions;
    for (int t = 0; t < 3; ++t) {
        Eigen::Isometry3d m = Eigen::Isometry3d::Identity();
        m.rotate(Eigen::AngleAxisd(0.3 + 0.7 * t, Eigen::Vector3d(1.0, 2.0 - t, 0.5).normalized()));
        m.pretranslate(Eigen::Vector3d(5.0 * t, -3.0, 2.0 * t));
        motions.push_back(m);
    }
    return motions;
}

// The numbers printed by the trajectory fit: the lines between the group line and the table.
std::vector<double> trajectoryValues(const std::string& out, const std::string& group) {
    std::vector<double> values;
    for (const std::string& line : groupLines(out, group)) {
        if (line == kFullHeader || line == kPartialHeader) break;
        values.push_back(std::stod(line));
    }
    return values;
}

}  // namespace

TEST(QuorixRun, RigidlyMovedFramesGiveEqualRMSDs) {
    std::vector<Eigen::Vector3d> positions;
    cTempFile pdb(renumbered(readWholeFile(kData + "c2_noise0.5_ca.pdb"), positions));
    TempDcdFile dcd("rigid", rigidTrajectory(positions, threeMotions(), static_cast<int>(positions.size())));
    const sProgramRun run = quorix({pdb.path(), "c2", "-d", dcd.path});
    ASSERT_EQ(run.status, 0) << run.err;
    const std::vector<double> values = trajectoryValues(run.out, "c2");
    ASSERT_EQ(values.size(), 4u);  // the structure itself, then the three frames the file holds
    EXPECT_GT(values[0], 0.5);  // noise of sigma sqrt(3) over identity and rotation
    for (double v : values) EXPECT_NEAR(v, values[0], 1e-4 * values[0]);
    // The table reports the last frame, which is the structure moved: same RMSD.
    EXPECT_NE(run.out.find("RMSD : "), std::string::npos);
}

namespace {

// The chains of a PDB text laid out as files of the Protein Data Bank are: every TER record takes
// a serial number, and a water HETATM record (which the run skips) follows the first TER;
// overflowing serials are written "*****". positions receives every ATOM/HETATM record's
// position in file order: the atoms of a trajectory written for the file.
std::string pdbStyle(const std::string& pdb, bool overflowingSerials, std::vector<Eigen::Vector3d>& positions) {
    std::string out;
    int serial = 0;
    bool waterWritten = false;
    auto number = [&] {
        char text[16];
        std::snprintf(text, sizeof text, "%5d", ++serial);
        return overflowingSerials ? std::string("*****") : std::string(text, 5);
    };
    for (std::string line : splitLines(pdb)) {
        if (line.rfind("ATOM", 0) == 0 || line.rfind("TER", 0) == 0) {
            line.resize(std::max<std::size_t>(line.size(), 11), ' ');
            line.replace(6, 5, number());
        }
        if (line.rfind("ATOM", 0) == 0)
            positions.emplace_back(std::stod(line.substr(30, 8)), std::stod(line.substr(38, 8)),
                                   std::stod(line.substr(46, 8)));
        out += line + "\n";
        if (line.rfind("TER", 0) == 0 && !waterWritten) {
            out += "HETATM" + number() + "  O   HOH W   1      11.000  12.000  13.000  1.00  0.00           O\n";
            positions.emplace_back(11.0, 12.0, 13.0);
            waterWritten = true;
        }
    }
    return out;
}

}  // namespace

TEST(QuorixRun, TrajectoryAtomsAreTheFilesAtomRecordsInOrder) {
    // Overflowing serials, trajectory atoms beyond the file's atom records, the warning ("" for
    // none). Too few atoms is refused (UnusableTrajectoriesEndWithStatusOne).
    const std::tuple<bool, int, std::string> cases[] = {
        {false, 0, ""}, {true, 0, ""}, {false, 50, "holds 309 atoms per frame, but the PDB file has 259 atom records"}};
    for (const auto& [overflowingSerials, extraAtoms, err] : cases) {
        std::vector<Eigen::Vector3d> positions;
        cTempFile pdb(pdbStyle(readWholeFile(kData + "c2_noise0.5_ca.pdb"), overflowingSerials, positions));
        ASSERT_EQ(positions.size(), 259u);
        const int natom = static_cast<int>(positions.size()) + extraAtoms;
        TempDcdFile dcd("records", rigidTrajectory(positions, threeMotions(), natom));
        const sProgramRun run = quorix({pdb.path(), "c2", "-d", dcd.path});
        ASSERT_EQ(run.status, 0) << extraAtoms << run.err;
        EXPECT_TRUE(err.empty() ? run.err.empty() : run.err.find(err) != std::string::npos) << run.err;
        // Rigid motions of the structure keep its deviation from symmetry.
        const std::vector<double> values = trajectoryValues(run.out, "c2");
        ASSERT_EQ(values.size(), 4u);
        for (double v : values) EXPECT_NEAR(v, values[0], 1e-4 * values[0]) << overflowingSerials;
    }
}

TEST(QuorixRun, TrajectoryCutOrDamagedKeepsTheResultsOfItsWholeFrames) {
    std::vector<Eigen::Vector3d> positions;
    cTempFile pdb(renumbered(readWholeFile(kData + "c2_noise0.5_ca.pdb"), positions));
    const int natom = static_cast<int>(positions.size());
    const DcdBytes whole = rigidTrajectory(positions, threeMotions(), natom);
    const std::size_t record = 8 + 4 * static_cast<std::size_t>(natom), frame = 3 * record;
    const std::size_t first = whole.bytes.size() - 3 * frame, end = whole.bytes.size();
    const auto str = [](std::size_t v) { return std::to_string(v); };

    // Status, standard streams, table and JSON document of a c2 run on the trajectory.
    struct sRun {
        sProgramRun run;
        std::string table, document, path;
    };
    const auto run = [&](const std::string& name, const DcdBytes& bytes) {
        TempDcdFile dcd(name, bytes);
        cOutputPath table(name + ".txt"), document(name + ".json");
        sRun r{quorix({pdb.path(), "c2", "-d", dcd.path, "--output", table.path, "-j", document.path}), "", "",
               dcd.path};
        r.table = readWholeFile(table.path);
        r.document = readWholeFile(document.path);
        return r;
    };
    struct sCase {
        const char* name;
        std::size_t cutTo;   // bytes kept (0: all)
        std::size_t marker;  // a record marker set to 7 (0: none)
        std::size_t zeros;   // zero bytes appended
        int wholeFrames;     // the frames fitted, whose results the run reports
        int status;
        // On standard error, after "Warning: trajectory <path> " (status 0) or after
        // "Error in trajectory <path>: DCD file '<path>': " (status 1).
        std::string message;
    };
    const sCase cases[] = {
        {"cut_in_last_z", end - 100, 0, 0, 2, 0,
         "ends inside frame 3 (the file ends at byte " + str(end - 100) + "); fitted the 2 complete frames before it"},
        {"cut_before_x", first + 2 * frame + 3, 0, 0, 2, 0, "ends inside frame 3"},
        {"cut_in_first", first + 100, 0, 0, 0, 0, "ends inside frame 1 (the file ends at byte " + str(first + 100) + ")"},
        {"x_marker", 0, first + frame, 0, 1, 1,
         "frame 2: the X record at byte " + str(first + frame) + " holds 7 bytes, expected " + str(4 * natom) +
             "; the results reported are those of frame 1"},
        {"y_end_marker", 0, first + 2 * record - 4, 0, 0, 1,
         "frame 1: the Y record at byte " + str(first + record) + " ends with the marker 7, expected " +
             str(4 * natom) + "; the results reported are those of the PDB file's coordinates"},
        {"cut_and_damaged", end - 100, first + 2 * frame, 0, 2, 1, "frame 3: the X record at byte"},
        // What a file system can leave after a crash in mid-write: zeros where a frame would start,
        // or from inside one.
        {"zero_tail", 0, 0, 4, 3, 0,
         "ends inside frame 4 (only zero bytes from byte " + str(end) + " to the end of the file at byte " +
             str(end + 4) + "); fitted the 3 complete frames before it"},
        {"zeros_inside_last", end - 100, 0, 100, 2, 0,
         "ends inside frame 3 (only zero bytes from byte " + str(end - 100) + " to the end of the file at byte " +
             str(end) + "); fitted the 2 complete frames before it"},
    };
    std::map<int, sRun> reference;  // a whole file of the first k frames
    for (const sCase& c : cases) {
        SCOPED_TRACE(c.name);
        if (!reference.count(c.wholeFrames)) {
            DcdBytes good = whole;
            good.bytes.resize(first + c.wholeFrames * frame);
            reference[c.wholeFrames] = run("good", good);
            ASSERT_EQ(reference[c.wholeFrames].run.status, 0);
        }
        DcdBytes bytes = whole;
        const std::int32_t seven = 7;
        if (c.marker) bytes.bytes.replace(c.marker, 4, reinterpret_cast<const char*>(&seven), 4);
        if (c.cutTo) bytes.bytes.resize(c.cutTo);
        bytes.bytes.append(c.zeros, '\0');
        const sRun r = run(c.name, bytes);
        EXPECT_EQ(r.run.status, c.status) << r.run.err;
        const std::string& path = r.path;
        const std::string message = c.status == 0 ? "Warning: trajectory " + path + " " + c.message
                                                  : "Error in trajectory " + path + ": DCD file '" + path + "': " +
                                                        c.message;
        EXPECT_NE(r.run.err.find(message), std::string::npos) << r.run.err;
        EXPECT_EQ(trajectoryValues(r.run.out, "c2").size(), c.wholeFrames + 1u);
        EXPECT_EQ(r.table, reference[c.wholeFrames].table);
        EXPECT_EQ(r.document, reference[c.wholeFrames].document);
    }

    // Every group reads the file to its end; the warning is given once.
    DcdBytes cut = whole;
    cut.bytes.resize(end - 100);
    TempDcdFile dcd("cut_twice", cut);
    const sProgramRun twice = quorix({pdb.path(), "c2", "c4", "-d", dcd.path});
    EXPECT_EQ(twice.status, 0) << twice.err;
    EXPECT_EQ(trajectoryValues(twice.out, "c4").size(), 3u);
    const std::size_t warning = twice.err.find("Warning: trajectory");
    EXPECT_NE(warning, std::string::npos);
    EXPECT_EQ(warning, twice.err.rfind("Warning: trajectory")) << twice.err;
}

TEST(QuorixRun, TrajectoryFromAPipeReadsAsTheFile) {
    std::vector<Eigen::Vector3d> positions;
    cTempFile pdb(renumbered(readWholeFile(kData + "c2_noise0.5_ca.pdb"), positions));
    TempDcdFile dcd("piped", rigidTrajectory(positions, threeMotions(), static_cast<int>(positions.size())));
    const sProgramRun file = quorix({pdb.path(), "c2", "c4", "-d", dcd.path});
    ASSERT_EQ(file.status, 0) << file.err;
    // Each group reads the whole trajectory.
    const std::string run = quorixPath() + " " + pdb.path() + " c2 c4 -d ";
    for (const std::string& command : {"cat " + dcd.path + " | " + run + "/dev/stdin", run + "<(cat " + dcd.path + ")"}) {
        const sProgramRun piped = runProgram({"/bin/bash", "-c", command});
        EXPECT_EQ(piped.status, 0) << command << piped.err;
        for (const char* group : {"c2", "c4"}) EXPECT_EQ(groupLines(piped.out, group), groupLines(file.out, group)) << command;
    }
    // A copy that cannot be made ends the run before any work.
    const sProgramRun refused = runProgram({"/bin/bash", "-c", "TMPDIR=/nonexistent " + run + "<(cat " + dcd.path + ")"});
    EXPECT_EQ(refused.status, 1);
    EXPECT_NE(refused.err.find("Error in trajectory /dev/fd/"), std::string::npos) << refused.err;
    EXPECT_EQ(refused.out.find("Reading PDB file"), std::string::npos);
}

TEST(QuorixRun, UnusableTrajectoriesEndWithStatusOne) {
    std::vector<Eigen::Vector3d> positions;
    cTempFile pdb(renumbered(readWholeFile(kData + "c2_noise0.5_ca.pdb"), positions));
    const int natom = static_cast<int>(positions.size());

    TempDcdFile fewAtoms("few", rigidTrajectory(positions, threeMotions(), natom - 1));
    const sProgramRun fewRun = quorix({pdb.path(), "c2", "-d", fewAtoms.path});
    EXPECT_EQ(fewRun.status, 1);
    EXPECT_NE(fewRun.err.find("it holds " + std::to_string(natom - 1) + " atoms per frame, but the PDB file has " +
                              std::to_string(natom) + " atom records"),
              std::string::npos)
        << fewRun.err;

    const sProgramRun missing = quorix({pdb.path(), "c2", "-d", "/nonexistent/trajectory.dcd"});
    EXPECT_EQ(missing.status, 1);
    EXPECT_NE(missing.err.find("Error in trajectory /nonexistent/trajectory.dcd"), std::string::npos);
}

TEST(QuorixRun, OneChainOrNoneEndsTheRunAsSpecified) {
    cTempFile one("ATOM      1  CA  ALA A   1       1.000   2.000   3.000  1.00  0.00           C  \n"
                  "ATOM      2  CA  GLY A   2       4.800   2.000   3.000  1.00  0.00           C  \n"
                  "END\n");
    const sProgramRun withGroup = quorix({one.path(), "c2"});
    EXPECT_EQ(withGroup.status, 1);
    EXPECT_EQ(withGroup.err, "Only one chain found, exit\n");
    for (const std::string& line : splitLines(withGroup.out)) EXPECT_NE(line.rfind(">", 0), 0u) << "stray FASTA";

    cOutputPath results("one.json");
    const sProgramRun automatic = quorix({one.path(), "-j", results.path});
    EXPECT_EQ(automatic.status, 0);
    EXPECT_EQ(readWholeFile(results.path), "null\n");  // no group tested
    EXPECT_NE(automatic.out.find("Not enough chains, finishing"), std::string::npos);
    EXPECT_NE(automatic.out.find("Auto-detecting Symmetry...."), std::string::npos);
    EXPECT_EQ(automatic.out.find("Detecting Symmetry...."), std::string::npos);

    // Atom records without a chain that can be aligned: the engine is the one to stop.
    cTempFile none("ATOM      1  O   HOH A   1       1.000   2.000   3.000  1.00  0.00           O  \nEND\n");
    const sProgramRun empty = quorix({none.path(), "c2"});
    EXPECT_EQ(empty.status, 2);
    EXPECT_NE(empty.err.find("No sequences in input file"), std::string::npos);
    EXPECT_EQ(empty.out.find(" Timing : "), std::string::npos);
}

TEST(QuorixRun, FilesWithoutAtomRecordsAreRefusedBeforeChainPreparation) {
    const std::string atomLine = "ATOM      1  CA  ALA A   1       1.000   2.000   3.000  1.00  0.00           C  \n";
    const struct {
        std::string contents, extension, where;
    } files[] = {
        {"", "pdb", ""},
        {"HETATM    1  O   HOH A   1       1.000   2.000   3.000  1.00  0.00           O  \nEND\n", "pdb", ""},
        {"data_1ABC\nloop_\n_atom_site.group_PDB\n", "cif", ""},
        {std::string("\x1f\x8b\x08\x00\x00\x00\x00\x00\x00\x03", 10), "gz", ""},
        {"END\n" + atomLine, "pdb", " before its END record"},
    };
    for (const auto& f : files) {
        const cTempFile file(f.contents, f.extension);
        const sProgramRun run = quorix({file.path(), "c2"});
        EXPECT_EQ(run.status, 1) << f.extension;
        EXPECT_EQ(run.err, "Error: no ATOM records were found in " + file.path() + f.where +
                               "; quorix reads PDB text (and PQR in PDB columns), not mmCIF or compressed files\n");
        EXPECT_EQ(run.out.find("Number of chains read"), std::string::npos);
    }
}

TEST(QuorixRun, ChainWithoutKnownResiduesIsDroppedAndReported) {
    std::string pdb = readWholeFile(kData + "c3_exact_ca.pdb");
    pdb.insert(pdb.rfind("END"), "ATOM   9001  C1  LIG D   1       1.000   2.000   3.000  1.00  0.00           C  \n"
                                 "ATOM   9002  C2  LIG D   1       2.000   2.000   3.000  1.00  0.00           C  \n"
                                 "TER\n");
    cTempFile file(pdb);
    const sProgramRun run = quorix({file.path()});
    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_NE(run.out.find("Number of chains read....."), std::string::npos);
    EXPECT_NE(run.out.find(" : 4\n"), std::string::npos);
    EXPECT_NE(run.out.find("Chain without known residues dropped"), std::string::npos);
    EXPECT_NE(run.out.find(" : chain 'D', atom serials 9001 to 9002"), std::string::npos);
    EXPECT_NE(run.out.find("Symmetry group :.") , std::string::npos);
    EXPECT_EQ(groupLines(run.out, "c4").size(), 0u);
    EXPECT_TRUE(std::regex_match(groupLines(run.out, "c3").back(), kGlobalLine));
}

TEST(QuorixRun, PairWhoseMidpointLiesOnTheAxisHasNoNaN) {
    // A C2 dimer about the z axis whose second CA lies on the axis in both chains.
    cTempFile dimer("ATOM      1  CA  ALA A   1       5.000   0.000   0.000  1.00  0.00           C  \n"
                    "ATOM      2  CA  GLY A   2       0.000   0.000   3.000  1.00  0.00           C  \n"
                    "ATOM      3  CA  SER A   3       6.000   2.000   5.000  1.00  0.00           C  \n"
                    "ATOM      4  CA  LYS A   4       4.000  -3.000   8.000  1.00  0.00           C  \n"
                    "TER\n"
                    "ATOM      5  CA  ALA B   1      -5.000   0.000   0.000  1.00  0.00           C  \n"
                    "ATOM      6  CA  GLY B   2       0.000   0.000   3.000  1.00  0.00           C  \n"
                    "ATOM      7  CA  SER B   3      -6.000  -2.000   5.000  1.00  0.00           C  \n"
                    "ATOM      8  CA  LYS B   4      -4.000   3.000   8.000  1.00  0.00           C  \n"
                    "END\n");
    const sProgramRun run = quorix({dimer.path(), "c2"});
    ASSERT_EQ(run.status, 0) << run.err;
    const std::vector<std::string> lines = groupLines(run.out, "c2");
    ASSERT_EQ(lines.size(), 3u);
    EXPECT_TRUE(std::regex_match(lines[1], kFullRow)) << lines[1];
    EXPECT_EQ(lines[1].find("nan"), std::string::npos);
}

TEST(QuorixRun, LostStandardOutputEndsWithStatusOne) {
    cOutputPath results("lost.txt");
    for (const std::vector<std::string>& options : {std::vector<std::string>{}, {"--output", results.path}}) {
        std::vector<std::string> args{quorixPath(), kData + "c3_exact_ca.pdb", "c3"};
        args.insert(args.end(), options.begin(), options.end());
        const sProgramRun run = runProgram(args, "/dev/full");
        EXPECT_EQ(run.status, 1) << options.size();
        EXPECT_NE(run.err.find("Error: could not write the results to standard output"), std::string::npos) << run.err;
    }
}

TEST(QuorixRun, UnopenablePathsEndWithStatusOne) {
    const std::string pdb = kData + "c3_exact_ca.pdb";
    const sProgramRun missing = quorix({kData + "no_such_file.pdb", "c3"});
    EXPECT_EQ(missing.status, 1);
    EXPECT_NE(missing.out.find("Error: could not open pdb file"), std::string::npos);

    // Output paths are refused before the structure or the trajectory is read.
    // A link is written through: a target that cannot be made is refused as early, and a loop of
    // links names its own reason.
    const std::string folder = std::filesystem::temp_directory_path().string();
    cOutputPath dangling("dangling_link"), loop("loop_a"), back("loop_b");
    std::filesystem::create_symlink("/nonexistent/dir/results.json", dangling.path);
    std::filesystem::create_symlink(back.path, loop.path);
    std::filesystem::create_symlink(loop.path, back.path);
    const std::string loops = " for writing: Too many levels of symbolic links";
    const std::pair<std::string, std::string> outputs[] = {
        {"-j", "Cannot open the JSON file /nonexistent/dir/results.json for writing: No such file or directory"},
        {"--output", "Cannot open the output file /nonexistent/dir/results.txt for writing: No such file or directory"},
        {"-j", "Cannot open the JSON file " + folder + " for writing: Is a directory"},
        {"--output", "Cannot open the output file " + dangling.path + " for writing: No such file or directory"},
        {"-j", "Cannot open the JSON file " + loop.path + loops},
        {"--output", "Cannot open the output file " + loop.path + loops},
    };
    for (const auto& [option, message] : outputs) {
        const std::string path = message.substr(message.find('/'), message.find(" for writing") - message.find('/'));
        const sProgramRun run = quorix({pdb, "c3", "-d", "/nonexistent/trajectory.dcd", option, path});
        EXPECT_EQ(run.status, 1) << path;
        EXPECT_EQ(run.err, message + "\n");
        EXPECT_EQ(run.out.find("Reading PDB file"), std::string::npos) << path;
    }
}

TEST(QuorixRun, InputFromAPipeReadsAsTheFile) {
    // 127 KB and then 320 KB of remarks: far more than a pipe holds at once, so the reader's buffer,
    // which cannot ask a pipe its size, grows from 64 KiB three times.
    const std::string pdb = kData + "c12_exact_ca.pdb", program = quorixPath();
    const std::vector<std::string> table = groupLines(quorix({pdb, "c12"}).out, "c12");
    ASSERT_EQ(table.size(), 13u);
    const std::string text = "(cat " + pdb + "; yes 'REMARK 999 " + std::string(63, '-') + "' | head -n 4000)";
    for (const std::string& command : {text + " | " + program + " /dev/stdin c12", program + " <(" + text + ") c12"}) {
        const sProgramRun run = runProgram({"/bin/bash", "-c", command});
        EXPECT_EQ(run.status, 0) << command << run.err;
        EXPECT_EQ(groupLines(run.out, "c12"), table) << command;
    }
}

TEST(QuorixRun, OutputNamingAnInputOrTheOtherOutputIsRefused) {
    const std::string pdbText = readWholeFile(kData + "c3_exact_ca.pdb");
    cTempFile pdb(pdbText);
    const DcdBytes dcdBytes = DcdBytes().header(controlWords(0, 0)).titles({}).ints({387});
    TempDcdFile dcd("input", dcdBytes);
    cOutputPath results("results.txt"), link("link.pdb"), dangling("dangling.txt"), again("again.txt"),
        report("report.txt");
    std::filesystem::create_symlink(pdb.path(), link.path);
    // Links to the JSON file before it exists.
    std::filesystem::create_symlink(results.path, dangling.path);
    std::filesystem::create_symlink(std::filesystem::path(results.path).filename(), again.path);
    // The same file through another name: a link, or a detour through a folder.
    const std::string detour = std::filesystem::path(pdb.path()).parent_path().string() + "/./" +
                               std::filesystem::path(pdb.path()).filename().string();
    struct sCase {
        std::vector<std::string> options;
        std::string message;
        bool toReport = false;  // standard output redirected to the report file
    };
    const std::string onStandardOutput = ": it is the same file as the standard output";
    const sCase cases[] = {
        {{"-j", report.path}, "Cannot write the JSON file " + report.path + onStandardOutput, true},
        {{"--output", report.path}, "Cannot write the output file " + report.path + onStandardOutput, true},
        {{"-j", "/dev/stdout"}, "Cannot write the JSON file /dev/stdout" + onStandardOutput, true},
        {{"--output", results.path, "-j", results.path},
         "Cannot write the JSON file " + results.path + ": it is the same file as the output file " + results.path},
        {{"--output", pdb.path()},
         "Cannot write the output file " + pdb.path() + ": it is the same file as the input PDB file " + pdb.path()},
        {{"-j", link.path},
         "Cannot write the JSON file " + link.path + ": it is the same file as the input PDB file " + pdb.path()},
        {{"-j", detour},
         "Cannot write the JSON file " + detour + ": it is the same file as the input PDB file " + pdb.path()},
        {{"-d", dcd.path, "-j", dcd.path},
         "Cannot write the JSON file " + dcd.path + ": it is the same file as the trajectory " + dcd.path},
        {{"--output", dangling.path, "-j", results.path},
         "Cannot write the JSON file " + results.path + ": it is the same file as the output file " + dangling.path},
        {{"--output", dangling.path, "-j", again.path},
         "Cannot write the JSON file " + again.path + ": it is the same file as the output file " + dangling.path},
    };
    for (const sCase& c : cases) {
        std::vector<std::string> args{quorixPath(), pdb.path(), "c3"};
        args.insert(args.end(), c.options.begin(), c.options.end());
        std::ofstream(report.path).flush();  // as the shell's > makes it
        const sProgramRun run = runProgram(args, c.toReport ? report.path.c_str() : nullptr);
        EXPECT_EQ(run.status, 1) << c.message;
        EXPECT_EQ(run.err, c.message + "\n");
        EXPECT_EQ((c.toReport ? readWholeFile(report.path) : run.out).find("Reading PDB file"), std::string::npos)
            << c.message;
        EXPECT_EQ(readWholeFile(pdb.path()), pdbText);
        EXPECT_EQ(readWholeFile(dcd.path), dcdBytes.bytes);
        EXPECT_FALSE(std::filesystem::exists(results.path));
    }
    // Standard output in another file clashes with nothing.
    EXPECT_EQ(runProgram({quorixPath(), pdb.path(), "c3", "-j", results.path}, report.path.c_str()).status, 0);
}

namespace {

// Reads a named pipe as `cat` would, stopping at the first end of file, but present from before
// the program starts: a reader that opened it later could miss an early open and close.
class cPipeReader {
public:
    explicit cPipeReader(const std::string& path) : fd(::open(path.c_str(), O_RDONLY | O_NONBLOCK)) {
        reader = std::thread([this] {
            char chunk[4096];
            // poll waits for a first writer; a pipe never written ends the wait after 60 s.
            for (pollfd ready{fd, POLLIN, 0}; ::poll(&ready, 1, 60000) > 0;) {
                const ssize_t n = ::read(fd, chunk, sizeof chunk);
                if (n <= 0) break;
                text.append(chunk, static_cast<std::size_t>(n));
            }
            ::close(fd);
        });
    }
    // What was read, once the reader has stopped.
    std::string finish() {
        reader.join();
        return text;
    }

private:
    int fd;
    std::string text;
    std::thread reader;
};

}  // namespace

TEST(QuorixRun, OutputsToNamedPipesReachTheirReaders) {
    const std::string pdb = kData + "c3_exact_ca.pdb";
    for (const std::string option : {"-j", "--output"}) {
        cOutputPath pipe("pipe" + option);
        ASSERT_EQ(::mkfifo(pipe.path.c_str(), 0600), 0);
        cPipeReader reader(pipe.path);
        // Checking the pipe must not end its reader's input, or the results would wait forever
        // for a reader that is gone: the time limit turns that into a failure.
        const sProgramRun run = runProgram({"/usr/bin/timeout", "20", quorixPath(), pdb, "c3", option, pipe.path});
        const std::string text = reader.finish();
        EXPECT_EQ(run.status, 0) << option << run.err;
        if (option == "-j") {
            const json document = json::parse(text, nullptr, false);
            EXPECT_TRUE(document.is_array() && document.size() == 1u) << text;
        } else {
            EXPECT_NE(text.find("RMSD : "), std::string::npos) << text;
        }
    }
}

TEST(QuorixRun, LaterGroupEndingTheRunKeepsWhatEarlierGroupsReported) {
    const std::string pdb = kData + "c3_exact_ca.pdb";
    cOutputPath output("kept.txt"), results("kept.json");
    // t needs a multiple of 12 chains: it ends the run after c3 was reported.
    const sProgramRun run = quorix({pdb, "c3", "t", "--output", output.path, "-j", results.path});
    EXPECT_EQ(run.status, 1);
    EXPECT_NE(run.err.find("Number of expected chains multiple of 12"), std::string::npos) << run.err;
    const json document = readJson(results.path);
    ASSERT_EQ(document.size(), 1u);
    EXPECT_EQ(document[0].at("group"), "c3");
    const std::vector<std::string> lines = splitLines(readWholeFile(output.path));
    ASSERT_EQ(lines.size(), 4u);
    EXPECT_EQ(lines[0], kFullHeader);
    EXPECT_TRUE(std::regex_match(lines[3], kGlobalLine)) << lines[3];

    // When the first group ends the run there is nothing to keep: no file is made, and an
    // earlier run's results stay as they were.
    std::filesystem::remove(results.path);
    std::ofstream(output.path) << "results of an earlier run\n";
    EXPECT_EQ(quorix({pdb, "t", "c3", "--output", output.path, "-j", results.path}).status, 1);
    EXPECT_FALSE(std::filesystem::exists(results.path));
    EXPECT_EQ(readWholeFile(output.path), "results of an earlier run\n");

    // A JSON file that cannot be written while the run ends is one more message, not a second
    // end; at the end of a run that went well it is the end. Either way the message says why.
    for (const std::vector<std::string>& groups : {std::vector<std::string>{"c3", "t"}, {"c3"}}) {
        std::vector<std::string> args{pdb};
        args.insert(args.end(), groups.begin(), groups.end());
        args.insert(args.end(), {"-j", "/dev/full"});
        const sProgramRun full = quorix(args);
        EXPECT_EQ(full.status, 1);
        const std::string message = "Cannot write the JSON file /dev/full: No space left on device\n";
        EXPECT_NE(full.err.find(message), std::string::npos) << full.err;
        EXPECT_EQ(full.err.find(message), full.err.rfind(message)) << full.err;
    }
}

TEST(QuorixRun, MatchedAtomsAtOnePointHaveNoAxis) {
    std::string pdb;
    for (int k = 0; k < 9; ++k) {
        char line[82];
        std::snprintf(line, sizeof line, "ATOM  %5d  CA  %s %c%4d       1.500  -2.250   3.125  1.00  0.00           C  \n",
                      k + 1, k % 3 == 0 ? "ALA" : "GLY", "ABC"[k / 3], k % 3 + 1);
        pdb += line;
        if (k % 3 == 2) pdb += "TER\n";
    }
    cTempFile file(pdb + "END\n");
    for (const std::vector<std::string>& groups : {std::vector<std::string>{"c3"}, {}}) {
        std::vector<std::string> args{file.path()};
        args.insert(args.end(), groups.begin(), groups.end());
        const sProgramRun run = quorix(args);
        EXPECT_EQ(run.status, 1) << groups.size();
        EXPECT_NE(run.err.find("lie at one point (1.500, -2.250, 3.125)"), std::string::npos) << run.err;
        EXPECT_EQ(run.out.find("RMSD :"), std::string::npos);
    }
}
