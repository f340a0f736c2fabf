#include "job_json.h"
#include "model/job_file.h"
#include "model/rich_job.h"

#include <gtest/gtest.h>

#include <bit>
#include <cmath>
#include <limits>

namespace clv::cli {
namespace {

float FromBits(std::uint32_t bits)
{
    return std::bit_cast<float>(bits);
}

/** The rich job with the floats and texts that are hardest to carry through text. */
Job OddJob()
{
    Job job = test::RichJob();
    job.Header.Reserved1 = FromBits(0xFFC00000u);               // the NaN an x86 0/0 gives
    job.Header.Reserved2 = FromBits(0x7F800001u);               // a signalling NaN with a payload
    job.Header.ReservedSingles[0] = std::numeric_limits<float>::infinity();
    job.Header.ReservedSingles[1] = -std::numeric_limits<float>::infinity();
    job.Header.ReservedSingles[2] = -0.0f;
    job.Header.ReservedSingles[3] = std::numeric_limits<float>::denorm_min();
    job.Header.ReservedSingles[4] = std::numeric_limits<float>::max();
    job.Header.ReservedSingles[5] = FromBits(0x7FC00000u);       // the plain quiet NaN
    job.Soils[0].Density = 1.0f / 3.0f;
    job.Soils[0].X[0] = 0.1f;                                    // slot 0, outside the points
    job.Soils[1].Y[51] = -0.0f;                                  // a spare slot that only has a sign bit
    job.Heads.At(1, 1) = -std::numeric_limits<float>::max();
    job.UserPoints.push_back({16777217.0f, 1e-30f});
    job.View.ShowGrid = 5;                                       // a Boolean holding neither -1 nor 0
    const std::uint8_t odd[25] = {'M', 'u', 'd', 0x00, 0x81, 0x8D, 0x8F, 0x90, 0x9D, 0x80, 0xFF, ' ', ' ', 'x',
                                  ' ', ' ', ' ', ' ', ' ', ' ', ' ', ' ', ' ', ' ', ' '};
    job.Soils[2].Description = FixedText<25>::FromBytes(odd);
    const std::uint8_t blanksFirst[15] = {' ', ' ', 'l', 'e', 'a', 'd', ' ', ' ', ' ', ' ', ' ', ' ', ' ', ' ', ' '};
    job.Header.Engineer = FixedText<15>::FromBytes(blanksFirst);
    return job;
}

Bytes Encode(const Job& job, Single version)
{
    std::optional<Bytes> bytes = EncodeJobFile(job, version);
    EXPECT_TRUE(bytes);
    return bytes ? *bytes : Bytes{};
}

Bytes ThroughJson(const Bytes& file)
{
    std::optional<DecodedJob> decoded = DecodeJobFile(file);
    EXPECT_TRUE(decoded);
    if (!decoded)
        return {};
    std::string error;
    std::optional<JsonJob> back = JobFromJson(JobToJson(decoded->job, decoded->StoredVersion), error);
    EXPECT_TRUE(back) << error;
    return back ? Encode(back->job, back->StoredVersion) : Bytes{};
}

TEST(JobJson, EveryByteOfARichJobSurvivesTheRoundTrip)
{
    for (Single version : {2.0f, 2.02f, 7.5f, std::numeric_limits<float>::infinity(), FromBits(0x7FC00000u)}) {
        const Bytes original = Encode(OddJob(), version);
        EXPECT_EQ(ThroughJson(original), original) << "leading version " << version;
    }
    const Bytes empty = Encode(MakeDefaultJob(), ProgramVersion());
    EXPECT_EQ(ThroughJson(empty), empty);
}

TEST(JobJson, FloatsAreShortAndSpecialValuesNamed)
{
    const std::string text = JobToJson(OddJob(), 2.02f);
    EXPECT_NE(text.find("\"StoredVersion\": 2.02,"), std::string::npos);
    EXPECT_NE(text.find("\"FrictionCoefficient\": 0.8,"), std::string::npos);
    EXPECT_NE(text.find("\"Reserved1\": \"NaN(0xffc00000)\""), std::string::npos);
    EXPECT_NE(text.find("\"Reserved2\": \"NaN(0x7f800001)\""), std::string::npos);
    EXPECT_NE(text.find("\"Infinity\", \"-Infinity\", -0.0, 1e-45, 3.4028235e+38, \"NaN\"]"), std::string::npos);
    EXPECT_NE(text.find("\"ShowGrid\": 5"), std::string::npos);
    EXPECT_NE(text.find("\"ShowPoints\": false"), std::string::npos);
    EXPECT_NE(text.find("\"Engineer\": \"  lead\""), std::string::npos);
    // A point is one line.
    EXPECT_NE(text.find("[-20.0, 2.0],\n"), std::string::npos);
}

TEST(JobJson, AnEmptyObjectIsANewJob)
{
    std::string error;
    std::optional<JsonJob> parsed = JobFromJson("{}", error);
    ASSERT_TRUE(parsed) << error;
    EXPECT_EQ(parsed->StoredVersion, ProgramVersion());
    const Bytes bytes = Encode(parsed->job, parsed->StoredVersion);
    EXPECT_EQ(bytes.size(), file_layout::kEmptyJobSize);
    EXPECT_EQ(bytes, Encode(MakeDefaultJob(), ProgramVersion()));
}

TEST(JobJson, HandWrittenElementsTakeSensibleDefaults)
{
    std::string error;
    std::optional<JsonJob> parsed = JobFromJson(R"({
        "Soils": [{"Description": "Clay", "Density": 19, "Phi": 25, "Cohesion": 5, "Points": [[0, 0], [10, 5]]}],
        "Loads": [{"LoadType": 1, "Value": 50, "XMin": 12.5}],
        "PiezoHeads": [[0, 10, 20], [5, 4.5, 4], [0, 3, -100000]]
    })", error);
    ASSERT_TRUE(parsed) << error;
    const Job& job = parsed->job;
    ASSERT_EQ(job.SoilCount(), 1);
    EXPECT_EQ(job.Soil(1).Description.Utf8(), "Clay                     ");
    EXPECT_EQ(job.Soil(1).PointCount, 2);
    EXPECT_EQ(job.Soil(1).X[2], 10.0f);
    EXPECT_EQ(job.Soil(1).Y[2], 5.0f);
    EXPECT_EQ(job.Soil(1).Ru, 0.0f);
    ASSERT_EQ(job.LoadCount(), 1);
    EXPECT_EQ(job.Loads[0].XMax, 12.5f); // a line load's right end is its x
    EXPECT_EQ(job.Loads[0].Y, kNoLevel); // on the ground surface
    // The grid size comes from the heads when Piezo does not give it.
    EXPECT_EQ(job.Heads.NY(), 2);
    EXPECT_EQ(job.Heads.NX(), 2);
    EXPECT_EQ(job.Heads.At(2, 2), kNoLevel);
    EXPECT_EQ(job.Slip.Method, kBishop);
    EXPECT_EQ(job.Header.WaterUnitWeight, 9.81f);
}

struct BadJson {
    const char* text;
    const char* error; // the start of the expected message
};

TEST(JobJson, ErrorsNameTheField)
{
    const std::string soil = R"("Density": 19, "Phi": 25, "Cohesion": 5, "Points": [])";
    std::string points51 = "[";
    for (int i = 0; i < 51; ++i)
        points51 += std::string(i ? "," : "") + "[" + std::to_string(i) + ", 0]";
    points51 += "]";
    const std::string soil51 = R"({"Soils": [{"Density": 19, "Phi": 25, "Cohesion": 5, "Points": )" + points51 + "}]}";
    const std::string slot52 = R"({"Soils": [{)" + soil + R"(, "UnusedSlots": {"52": [0, 0]}}]})";
    const std::string phiText = R"({"Soils": [{"Density": 19, "Phi": "25 deg", "Cohesion": 5, "Points": []}]})";
    const std::string twoSoils = R"({"Soils": [{)" + soil + "}, {" + soil + R"(, "Colour": 3}]})";

    const BadJson cases[] = {
        {phiText.c_str(), "Soils[1].Phi: expected a number"},
        {R"({"Soils": [{"Phi": 25, "Cohesion": 5, "Points": []}]})", "Soils[1].Density: missing"},
        {soil51.c_str(), "Soils[1].Points: at most 50 points"},
        {slot52.c_str(), "Soils[1].UnusedSlots.52: not a slot number from 0 to 51"},
        {twoSoils.c_str(), "Soils[2].Colour: unknown field"},
        {R"({"Soils": {}})", "Soils: expected a list"},
        {R"({"Header": {"Titel": "x"}})", "Header.Titel: unknown field"},
        {R"({"Header": {"Project": "1234567890123456"}})", "Header.Project: longer than 15 characters"},
        {R"({"Header": {"MainTitle": "Slope Ω"}})", "Header.MainTitle: holds a character"},
        {R"({"Header": {"FirstPageNumber": 1, "FirstPageNumber": 2}})", "FirstPageNumber: given twice"},
        {R"({"Slip": {"MinSlices": 40000}})", "Slip.MinSlices: expected a whole number from -32768 to 32767"},
        {R"({"Slip": {"MinSlices": 2.5}})", "Slip.MinSlices: expected a whole number"},
        {R"({"Slip": {"Fx": [1, 1]}})", "Slip.Fx: expected a list of 11 values"},
        {R"({"Slip": {"Fx": [1, 1, 1, 1, 1, 1, 1, 1, 1, 1, null]}})", "Slip.Fx[10]: expected a number"},
        {R"({"View": {"XMin": 1e39}})", "View.XMin: beyond the range of a Single"},
        {R"({"View": {"ShowGrid": "yes"}})", "View.ShowGrid: expected true, false or a whole number"},
        {R"({"Factors": {"Reserved": "00"}})", "Factors.Reserved: expected 40 bytes as 80 hex digits"},
        {R"({"Water": {"Points": [[1, 2], [3]]}})", "Water.Points[2]: expected a point [x, y]"},
        {R"({"Water": {"Points": [[1, 2]], "UnusedSlots": {"1": [0, 0]}}})", "Water.UnusedSlots.1: slot 1 holds a point"},
        {R"({"Piezo": {"NY": 2}})", "PiezoHeads: missing"},
        {R"({"Piezo": {"NY": -1}})", "Piezo.NY: must not be negative"},
        {R"({"Piezo": {"NY": 1, "NX": 1}, "PiezoHeads": [[0, 1], [2]]})", "PiezoHeads[1]: expected a row of 2 values"},
        {R"({"Print": [1, 2]})", "Print: expected a list of 100 flags"},
        {R"({"Loads": [{"LoadType": 1, "Value": 5}]})", "Loads[1].XMin: missing"},
        {R"j({"UserPoints": [[1, "NaN(0x00000001)"]]})j", "UserPoints[1][1]: expected a number"},
        {R"({"StoredVersion": 1.5})", "StoredVersion: below 2.0"},
        {R"([1, 2])", "(top level): expected an object"},
        {"{\"Header\": {", "invalid JSON: parse error at line 1"},
    };
    for (const BadJson& c : cases) {
        std::string error;
        EXPECT_FALSE(JobFromJson(c.text, error)) << c.text;
        EXPECT_EQ(error.rfind(c.error, 0), 0u) << "got: " << error;
        EXPECT_EQ(error.find('\n'), std::string::npos) << error;
    }
}

} // namespace
} // namespace clv::cli
