#pragma once

// The job: one two-dimensional cross-section of a slope with its soils, water,
// loads, reinforcement, partial factors and analysis settings. The records mirror
// the job file field by field (see job_file.h for the byte layout), so their
// field names and order are the file's. Everything is a value type; whoever runs
// the session (the main window, the command line) owns the one Job.

#include "model/fixed_text.h"

#include <array>
#include <cstdint>
#include <string>
#include <vector>

namespace clv {

using Integer = std::int16_t; // 16-bit signed, as stored in the job file
using Long = std::int32_t;
using Single = float;

// Booleans are stored as 16-bit integers: true = -1, false = 0; any nonzero value counts as set.
constexpr Integer kTrue = -1;
constexpr Integer kFalse = 0;
inline bool IsSet(Integer flag) { return flag != 0; }
inline Integer ToFlag(bool value) { return value ? kTrue : kFalse; }

// Sentinels shared by the whole program.
constexpr Single kNoLevel = -100000.0f;      // no level, or "at the ground surface"
constexpr Single kInvalidFactor = 1001.0f;   // an invalid or failed slip

/** The running program's version as stored in job files: major + minor / 100 (2.02). */
Single ProgramVersion();

using Bytes = std::vector<std::uint8_t>;
template <std::size_t N> using ReservedBytes = std::array<std::uint8_t, N>;

struct JobHeader {
    Single FileVersion = 0.0f;
    FixedText<50> MainTitle;
    FixedText<50> SubTitle;
    FixedText<15> Project;
    FixedText<15> Analysis;
    FixedText<15> Engineer;
    Integer FirstPageNumber = 1;
    // SoilCount, LoadCount, ReinforcementCount and UserPointCount are the sizes of
    // the job's arrays (Job::SoilCount() etc.); the file codec writes them here.
    Integer ReinforcementKind = 0; // 0 = geogrid layers, the only kind any operation makes
    Single Reserved1 = 0.0f;
    Single Reserved2 = 0.0f;
    Single VerticalAccelerationFactor = 0.0f;
    Single LateralAccelerationFactor = 0.0f;
    Single WaterUnitWeight = 9.81f;
    std::array<Single, 6> ReservedSingles{};
    std::array<Integer, 5> ReservedIntegers{};
};

/** One stratum; its points describe the top surface of the stratum. Point j is at index j (1..PointCount). */
struct SoilRecord {
    static constexpr int kMaxPoints = 50;
    FixedText<25> Description;
    Single Density = 0.0f;
    Single Phi = 0.0f;
    Single Cohesion = 0.0f;
    Single Ru = 0.0f;
    Single Suction = 0.0f;
    Integer PointCount = 0;
    std::array<Single, 52> X{}; // slots 0..51 are all stored in the file
    std::array<Single, 52> Y{};
    std::array<Single, 6> ReservedSingles{};
    std::array<Integer, 6> ReservedIntegers{};
};

/** The phreatic surface. Point j is at index j (1..PointCount); slot 0 is unused and not stored. */
struct WaterSurface {
    static constexpr int kMaxPoints = 50;
    Integer PointCount = 0;
    std::array<Single, 51> X{};
    std::array<Single, 51> Y{};
    ReservedBytes<36> Reserved{};
};

struct PiezoSettings {
    Integer Enabled = kFalse;
    Single MinX = 0.0f, MaxX = 0.0f, IncX = 10.0f;
    Single MinY = 0.0f, MaxY = 0.0f, IncY = 5.0f;
    Integer NY = 0; // grid rows: upper bound of the first index of PiezoHeads
    Integer NX = 0; // grid columns: upper bound of the second index
};

/**
 * The piezometric grid, indexed (row 0..NY, column 0..NX): row 0 holds the x of
 * each station, column 0 the level of each row (highest first), the other cells
 * the piezometric level, kNoLevel where there is no data.
 */
class PiezoHeads {
public:
    PiezoHeads() : values_(1, 0.0f) {}
    /** Resizes to (0..ny, 0..nx); cells inside both the old and new bounds keep their values. */
    void Resize(int ny, int nx);
    int NY() const { return ny_; }
    int NX() const { return nx_; }
    Single At(int row, int col) const { return values_[Index(row, col)]; }
    Single& At(int row, int col) { return values_[Index(row, col)]; }
    const std::vector<Single>& Values() const { return values_; }
    bool operator==(const PiezoHeads&) const = default;

private:
    std::size_t Index(int row, int col) const { return static_cast<std::size_t>(row) * (nx_ + 1) + col; }
    int ny_ = 0;
    int nx_ = 0;
    std::vector<Single> values_;
};

enum LoadType : Integer { kSurcharge = 0, kLineLoad = 1, kLateralLoad = 2, kAnchor = 3 };

struct LoadRecord {
    Integer LoadType = kSurcharge;
    Single Value = 0.0f;
    Single XMin = 0.0f;
    Single XMax = 0.0f;
    Single Y = kNoLevel; // kNoLevel: the load acts on the ground surface
    Single Angle = 0.0f;
    Single FreeLength = 0.0f;
    Single FixedLength = 0.0f;
    ReservedBytes<24> Reserved{};
};

/** A block of equally spaced horizontal geogrid layers. */
struct ReinforcementBlock {
    FixedText<25> Description;
    Single Strength = 0.0f;
    Single Length = 0.0f;
    Single FrictionCoefficient = 0.0f;
    Single NailAngle = 0.0f;
    Single NailSpacing = 0.0f;
    Single VerticalSpacing = 0.0f;
    Single BlockHeight = 0.0f;
    Single BlockBase = 0.0f;
    std::array<Single, 5> ReservedSingles{};
    std::array<Integer, 6> ReservedIntegers{};
};

enum DesignCode : Integer {
    kEc7Da1C1 = 0,
    kEc7Da1C2Drained = 1,
    kEc7Da1C2Undrained = 2,
    kBs8006Uls = 3,
    kServiceability = 4,
    kCustomFactors = 5,
};

struct PartialFactors {
    Single RamificationsOfFailure = 1.0f; // fn
    Single SoilSelfWeight = 1.0f;         // ffs
    Single ImposedLoads = 1.0f;           // fq
    Single TanPhi = 1.0f;                 // fms on tan(phi)
    Single Cohesion = 1.0f;               // fms on cohesion
    Single ReinforcementStrength = 1.0f;  // fm
    Single SlidingOnReinforcement = 1.0f; // fs
    Single PullOut = 1.0f;                // fp
    ReservedBytes<40> Reserved{};
    Integer DesignCode = kServiceability;
    ReservedBytes<10> Reserved2{};
};

enum SlipMethod : Integer { kFellenius = 0, kBishop = 1, kBs8006 = 2, kJanbu = 3, kRigorous = 4 };

struct SlipSettings {
    Integer Method = kBishop;
    Single TensionCrackDepth = 0.0f;
    Integer MinSlices = 10;
    Single GridXMin = 0.0f, GridXMax = 0.0f, GridXInc = 0.0f;
    Single GridYMin = 0.0f, GridYMax = 0.0f, GridYInc = 0.0f;
    Integer AutoExtendGrid = kFalse;
    Integer LegacyCommonPoint = 0;
    Single CommonXMin = 0.0f, CommonXMax = 0.0f, CommonXInc = 0.0f;
    Single CommonY = 0.0f;
    std::array<Single, 11> Fx{1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1};
    Integer AutoGenerate = kTrue;
    ReservedBytes<20> Reserved{};
    Single MinSlipDepth = 1.0f;
    ReservedBytes<40> Reserved2{};
};

struct WedgeSettings {
    Integer UseDefaults = 1;
    Single BaseWidthMin = 0.0f, BaseWidthMax = 0.0f, BaseWidthInc = 0.0f;
    Single BaseAngleMin = 0.0f, BaseAngleMax = 0.0f;
    Single RearAngleMin = 0.0f, RearAngleMax = 0.0f;
    Single AngleInc = 0.0f;
    ReservedBytes<36> Reserved{};
};

struct UserPoint {
    Single X = 0.0f;
    Single Y = 0.0f;
};

struct ViewSettings {
    Integer ShowPoints = kTrue;
    Integer ShowSoils = kTrue;
    Integer ShowSoilFill = kTrue;
    Integer ShowWater = kTrue;
    Integer ShowLoads = kTrue;
    Integer ShowReinforcement = kTrue;
    Integer ShowPiezo = kTrue;
    Single XMin = -10.0f, XMax = 20.0f;
    Single YMin = -2.0f, YMax = 8.0f;
    Single GridIncrement = 0.5f;
    Integer SnapToGrid = kTrue;
    Integer ShowGrid = kTrue;
};

/** Print-selection flags, index 1..100 (index 0 is unused and not stored); 1 = print. */
using PrintOptions = std::array<Integer, 101>;

/** The whole job: everything the job file holds. */
struct Job {
    JobHeader Header;
    ViewSettings View;
    PartialFactors Factors;
    WaterSurface Water;
    PiezoSettings Piezo;
    SlipSettings Slip;
    WedgeSettings Wedge;
    PrintOptions Print{};
    std::vector<SoilRecord> Soils;                 // soil k is Soils[k - 1]; soil 1 is the top stratum
    std::vector<LoadRecord> Loads;                 // load k is Loads[k - 1]
    std::vector<ReinforcementBlock> Reinforcement; // block k is Reinforcement[k - 1]
    PiezoHeads Heads;
    std::vector<UserPoint> UserPoints;             // defined slip surface, point k is UserPoints[k - 1]

    int SoilCount() const { return static_cast<int>(Soils.size()); }
    int LoadCount() const { return static_cast<int>(Loads.size()); }
    int ReinforcementCount() const { return static_cast<int>(Reinforcement.size()); }
    int UserPointCount() const { return static_cast<int>(UserPoints.size()); }

    /** Soil k, 1-based as everywhere in the analysis. */
    const SoilRecord& Soil(int k) const { return Soils[static_cast<std::size_t>(k - 1)]; }
    SoilRecord& Soil(int k) { return Soils[static_cast<std::size_t>(k - 1)]; }
};

/**
 * The session around the one job: where it is stored and what is pending. Owned
 * by the front end together with the job.
 */
struct JobSession {
    Job job;
    std::string JobFilePath = "untitled";
    std::string JobFileTitle = "untitled";
    bool JobModified = false;
    bool JobRefreshPending = true;
    bool SlipResultsStale = true;
    bool DefinedResultsStale = true;
    bool WedgeResultsStale = true;
    int CurrentSoil = 1; // 1..SoilCount a soil, SoilCount + 1 the water surface
};

/** A job as a new cross-section starts: the defaults every field takes in a new job. */
Job MakeDefaultJob();

/**
 * Resets the session for a new cross-section. The grid of centres, the common
 * points, AutoExtendGrid, the wedge ranges, ReinforcementKind, the unused print
 * flags and the reserved fields keep the previous job's values.
 */
void NewJob(JobSession& session);

} // namespace clv
