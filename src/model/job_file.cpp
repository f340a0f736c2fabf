#include "model/job_file.h"

#include "model/point_order.h"

#include <algorithm>
#include <bit>
#include <cerrno>
#include <cstdint>
#include <cstring>
#include <filesystem>
#include <limits>
#include <random>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace clv {

const char* const kReadErrorMessage = "Error during reading of file.\r\n"
                                      "\r\n"
                                      "Please close and reopen the application.\r\n"
                                      "Open the job file from \"File\" menu.";

const char* const kSaveErrorMessage = "An unknown error occured while saving the data. The save was terminated. "
                                      "Please try again with a different file name";

namespace {

namespace L = file_layout;

// Files written before version 2.0 have an older view block and one more block after the slip settings.
constexpr Single kCurrentLayoutVersion = 2.0f;

bool IsOldLayout(Single storedVersion)
{
    return storedVersion < kCurrentLayoutVersion;
}

// ---------------------------------------------------------------- writing

class ByteWriter {
public:
    explicit ByteWriter(std::size_t expectedSize) { bytes_.reserve(expectedSize); }

    void Int(Integer v)
    {
        const auto u = static_cast<std::uint16_t>(v);
        bytes_.push_back(static_cast<std::uint8_t>(u & 0xFF));
        bytes_.push_back(static_cast<std::uint8_t>(u >> 8));
    }
    void Float(Single v)
    {
        const auto u = std::bit_cast<std::uint32_t>(v);
        for (int shift = 0; shift < 32; shift += 8)
            bytes_.push_back(static_cast<std::uint8_t>((u >> shift) & 0xFF));
    }
    template <std::size_t N> void Raw(const std::array<std::uint8_t, N>& raw)
    {
        bytes_.insert(bytes_.end(), raw.begin(), raw.end());
    }
    template <std::size_t N> void Text(const FixedText<N>& text) { Raw(text.ToBytes()); }
    template <std::size_t N> void Floats(const std::array<Single, N>& values, std::size_t first = 0)
    {
        for (std::size_t i = first; i < N; ++i)
            Float(values[i]);
    }
    template <std::size_t N> void Ints(const std::array<Integer, N>& values, std::size_t first = 0)
    {
        for (std::size_t i = first; i < N; ++i)
            Int(values[i]);
    }

    std::size_t Size() const { return bytes_.size(); }
    Bytes Take() { return std::move(bytes_); }

private:
    Bytes bytes_;
};

void WriteHeader(ByteWriter& w, const Job& job)
{
    const JobHeader& h = job.Header;
    w.Float(h.FileVersion);
    w.Text(h.MainTitle);
    w.Text(h.SubTitle);
    w.Text(h.Project);
    w.Text(h.Analysis);
    w.Text(h.Engineer);
    w.Int(h.FirstPageNumber);
    w.Int(static_cast<Integer>(job.SoilCount()));
    w.Int(static_cast<Integer>(job.LoadCount()));
    w.Int(static_cast<Integer>(job.ReinforcementCount()));
    w.Int(h.ReinforcementKind);
    w.Float(h.Reserved1);
    w.Float(h.Reserved2);
    w.Float(h.VerticalAccelerationFactor);
    w.Float(h.LateralAccelerationFactor);
    w.Float(h.WaterUnitWeight);
    w.Floats(h.ReservedSingles);
    w.Int(static_cast<Integer>(job.UserPointCount()));
    w.Ints(h.ReservedIntegers);
}

void WriteView(ByteWriter& w, const ViewSettings& v)
{
    w.Int(v.ShowPoints);
    w.Int(v.ShowSoils);
    w.Int(v.ShowSoilFill);
    w.Int(v.ShowWater);
    w.Int(v.ShowLoads);
    w.Int(v.ShowReinforcement);
    w.Int(v.ShowPiezo);
    w.Float(v.XMin);
    w.Float(v.XMax);
    w.Float(v.YMin);
    w.Float(v.YMax);
    w.Float(v.GridIncrement);
    w.Int(v.SnapToGrid);
    w.Int(v.ShowGrid);
}

void WriteFactors(ByteWriter& w, const PartialFactors& f)
{
    w.Float(f.RamificationsOfFailure);
    w.Float(f.SoilSelfWeight);
    w.Float(f.ImposedLoads);
    w.Float(f.TanPhi);
    w.Float(f.Cohesion);
    w.Float(f.ReinforcementStrength);
    w.Float(f.SlidingOnReinforcement);
    w.Float(f.PullOut);
    w.Raw(f.Reserved);
    w.Int(f.DesignCode);
    w.Raw(f.Reserved2);
}

void WriteWater(ByteWriter& w, const WaterSurface& water)
{
    w.Int(water.PointCount);
    w.Floats(water.X, 1); // points 1..50; slot 0 is not part of the file
    w.Floats(water.Y, 1);
    w.Raw(water.Reserved);
}

// The grid dimensions are written from the heads array itself, so the file always
// describes exactly the cells that follow.
void WritePiezo(ByteWriter& w, const PiezoSettings& p, const PiezoHeads& heads)
{
    w.Int(p.Enabled);
    w.Float(p.MinX);
    w.Float(p.MaxX);
    w.Float(p.IncX);
    w.Float(p.MinY);
    w.Float(p.MaxY);
    w.Float(p.IncY);
    w.Int(static_cast<Integer>(heads.NY()));
    w.Int(static_cast<Integer>(heads.NX()));
}

void WriteSlip(ByteWriter& w, const SlipSettings& s)
{
    w.Int(s.Method);
    w.Float(s.TensionCrackDepth);
    w.Int(s.MinSlices);
    w.Float(s.GridXMin);
    w.Float(s.GridXMax);
    w.Float(s.GridXInc);
    w.Float(s.GridYMin);
    w.Float(s.GridYMax);
    w.Float(s.GridYInc);
    w.Int(s.AutoExtendGrid);
    w.Int(s.LegacyCommonPoint);
    w.Float(s.CommonXMin);
    w.Float(s.CommonXMax);
    w.Float(s.CommonXInc);
    w.Float(s.CommonY);
    w.Floats(s.Fx);
    w.Int(s.AutoGenerate);
    w.Raw(s.Reserved);
    w.Float(s.MinSlipDepth);
    w.Raw(s.Reserved2);
}

void WriteWedge(ByteWriter& w, const WedgeSettings& s)
{
    w.Int(s.UseDefaults);
    w.Float(s.BaseWidthMin);
    w.Float(s.BaseWidthMax);
    w.Float(s.BaseWidthInc);
    w.Float(s.BaseAngleMin);
    w.Float(s.BaseAngleMax);
    w.Float(s.RearAngleMin);
    w.Float(s.RearAngleMax);
    w.Float(s.AngleInc);
    w.Raw(s.Reserved);
}

void WriteSoil(ByteWriter& w, const SoilRecord& s)
{
    w.Text(s.Description);
    w.Float(s.Density);
    w.Float(s.Phi);
    w.Float(s.Cohesion);
    w.Float(s.Ru);
    w.Float(s.Suction);
    w.Int(s.PointCount);
    w.Floats(s.X); // all 52 slots, including slot 0 and those above PointCount
    w.Floats(s.Y);
    w.Floats(s.ReservedSingles);
    w.Ints(s.ReservedIntegers);
}

void WriteLoad(ByteWriter& w, const LoadRecord& l)
{
    w.Int(l.LoadType);
    w.Float(l.Value);
    w.Float(l.XMin);
    w.Float(l.XMax);
    w.Float(l.Y);
    w.Float(l.Angle);
    w.Float(l.FreeLength);
    w.Float(l.FixedLength);
    w.Raw(l.Reserved);
}

void WriteBlock(ByteWriter& w, const ReinforcementBlock& b)
{
    w.Text(b.Description);
    w.Float(b.Strength);
    w.Float(b.Length);
    w.Float(b.FrictionCoefficient);
    w.Float(b.NailAngle);
    w.Float(b.NailSpacing);
    w.Float(b.VerticalSpacing);
    w.Float(b.BlockHeight);
    w.Float(b.BlockBase);
    w.Floats(b.ReservedSingles);
    w.Ints(b.ReservedIntegers);
}

// ---------------------------------------------------------------- reading

/** Walks the bytes in order; every read is bounds-checked and a short read fails the whole decode. */
class ByteReader {
public:
    explicit ByteReader(const Bytes& bytes) : bytes_(bytes) {}

    std::size_t Remaining() const { return bytes_.size() - pos_; }
    bool Has(std::size_t n) const { return n <= Remaining(); }
    std::size_t Position() const { return pos_; }

    // The callers check Has() for a whole record before reading its fields.
    Integer Int()
    {
        const auto u = static_cast<std::uint16_t>(bytes_[pos_] | (bytes_[pos_ + 1] << 8));
        pos_ += 2;
        return static_cast<Integer>(u);
    }
    Single Float()
    {
        std::uint32_t u = 0;
        for (int i = 0; i < 4; ++i)
            u |= static_cast<std::uint32_t>(bytes_[pos_ + i]) << (8 * i);
        pos_ += 4;
        return std::bit_cast<Single>(u);
    }
    template <std::size_t N> void Raw(std::array<std::uint8_t, N>& raw)
    {
        std::copy_n(bytes_.begin() + static_cast<std::ptrdiff_t>(pos_), N, raw.begin());
        pos_ += N;
    }
    template <std::size_t N> void Text(FixedText<N>& text)
    {
        text = FixedText<N>::FromBytes(bytes_.data() + pos_);
        pos_ += N;
    }
    template <std::size_t N> void Floats(std::array<Single, N>& values, std::size_t first = 0)
    {
        for (std::size_t i = first; i < N; ++i)
            values[i] = Float();
    }
    template <std::size_t N> void Ints(std::array<Integer, N>& values, std::size_t first = 0)
    {
        for (std::size_t i = first; i < N; ++i)
            values[i] = Int();
    }
    void Skip(std::size_t n) { pos_ += n; }

private:
    const Bytes& bytes_;
    std::size_t pos_ = 0;
};

/** The counts the header holds; the arrays are sized from them only after they are checked. */
struct HeaderCounts {
    Integer soils = 0, loads = 0, blocks = 0, userPoints = 0;
};

HeaderCounts ReadHeader(ByteReader& r, JobHeader& h)
{
    HeaderCounts counts;
    h.FileVersion = r.Float();
    r.Text(h.MainTitle);
    r.Text(h.SubTitle);
    r.Text(h.Project);
    r.Text(h.Analysis);
    r.Text(h.Engineer);
    h.FirstPageNumber = r.Int();
    counts.soils = r.Int();
    counts.loads = r.Int();
    counts.blocks = r.Int();
    h.ReinforcementKind = r.Int();
    h.Reserved1 = r.Float();
    h.Reserved2 = r.Float();
    h.VerticalAccelerationFactor = r.Float();
    h.LateralAccelerationFactor = r.Float();
    h.WaterUnitWeight = r.Float();
    r.Floats(h.ReservedSingles);
    counts.userPoints = r.Int();
    r.Ints(h.ReservedIntegers);
    return counts;
}

void ReadView(ByteReader& r, ViewSettings& v)
{
    v.ShowPoints = r.Int();
    v.ShowSoils = r.Int();
    v.ShowSoilFill = r.Int();
    v.ShowWater = r.Int();
    v.ShowLoads = r.Int();
    v.ShowReinforcement = r.Int();
    v.ShowPiezo = r.Int();
    v.XMin = r.Float();
    v.XMax = r.Float();
    v.YMin = r.Float();
    v.YMax = r.Float();
    v.GridIncrement = r.Float();
    v.SnapToGrid = r.Int();
    v.ShowGrid = r.Int();
}

void ReadFactors(ByteReader& r, PartialFactors& f)
{
    f.RamificationsOfFailure = r.Float();
    f.SoilSelfWeight = r.Float();
    f.ImposedLoads = r.Float();
    f.TanPhi = r.Float();
    f.Cohesion = r.Float();
    f.ReinforcementStrength = r.Float();
    f.SlidingOnReinforcement = r.Float();
    f.PullOut = r.Float();
    r.Raw(f.Reserved);
    f.DesignCode = r.Int();
    r.Raw(f.Reserved2);
}

void ReadWater(ByteReader& r, WaterSurface& water)
{
    water.PointCount = r.Int();
    r.Floats(water.X, 1);
    r.Floats(water.Y, 1);
    r.Raw(water.Reserved);
}

void ReadPiezo(ByteReader& r, PiezoSettings& p)
{
    p.Enabled = r.Int();
    p.MinX = r.Float();
    p.MaxX = r.Float();
    p.IncX = r.Float();
    p.MinY = r.Float();
    p.MaxY = r.Float();
    p.IncY = r.Float();
    p.NY = r.Int();
    p.NX = r.Int();
}

void ReadSlip(ByteReader& r, SlipSettings& s)
{
    s.Method = r.Int();
    s.TensionCrackDepth = r.Float();
    s.MinSlices = r.Int();
    s.GridXMin = r.Float();
    s.GridXMax = r.Float();
    s.GridXInc = r.Float();
    s.GridYMin = r.Float();
    s.GridYMax = r.Float();
    s.GridYInc = r.Float();
    s.AutoExtendGrid = r.Int();
    s.LegacyCommonPoint = r.Int();
    s.CommonXMin = r.Float();
    s.CommonXMax = r.Float();
    s.CommonXInc = r.Float();
    s.CommonY = r.Float();
    r.Floats(s.Fx);
    s.AutoGenerate = r.Int();
    r.Raw(s.Reserved);
    s.MinSlipDepth = r.Float();
    r.Raw(s.Reserved2);
}

void ReadWedge(ByteReader& r, WedgeSettings& s)
{
    s.UseDefaults = r.Int();
    s.BaseWidthMin = r.Float();
    s.BaseWidthMax = r.Float();
    s.BaseWidthInc = r.Float();
    s.BaseAngleMin = r.Float();
    s.BaseAngleMax = r.Float();
    s.RearAngleMin = r.Float();
    s.RearAngleMax = r.Float();
    s.AngleInc = r.Float();
    r.Raw(s.Reserved);
}

void ReadSoil(ByteReader& r, SoilRecord& s)
{
    r.Text(s.Description);
    s.Density = r.Float();
    s.Phi = r.Float();
    s.Cohesion = r.Float();
    s.Ru = r.Float();
    s.Suction = r.Float();
    s.PointCount = r.Int();
    r.Floats(s.X);
    r.Floats(s.Y);
    r.Floats(s.ReservedSingles);
    r.Ints(s.ReservedIntegers);
}

void ReadLoad(ByteReader& r, LoadRecord& l)
{
    l.LoadType = r.Int();
    l.Value = r.Float();
    l.XMin = r.Float();
    l.XMax = r.Float();
    l.Y = r.Float();
    l.Angle = r.Float();
    l.FreeLength = r.Float();
    l.FixedLength = r.Float();
    r.Raw(l.Reserved);
}

void ReadBlock(ByteReader& r, ReinforcementBlock& b)
{
    r.Text(b.Description);
    b.Strength = r.Float();
    b.Length = r.Float();
    b.FrictionCoefficient = r.Float();
    b.NailAngle = r.Float();
    b.NailSpacing = r.Float();
    b.VerticalSpacing = r.Float();
    b.BlockHeight = r.Float();
    b.BlockBase = r.Float();
    r.Floats(b.ReservedSingles);
    r.Ints(b.ReservedIntegers);
}

bool PointCountFits(Integer count, int maxPoints)
{
    return count >= 0 && count <= maxPoints;
}

/** Bytes that the arrays after the fixed blocks take, in 64 bits: the grid alone may exceed 32 bits. */
std::uint64_t VariableSize(const HeaderCounts& c, int ny, int nx)
{
    const auto cells = static_cast<std::uint64_t>(ny + 1) * static_cast<std::uint64_t>(nx + 1);
    return L::kPrintSize + L::kSoilSize * static_cast<std::uint64_t>(c.soils)
        + L::kLoadSize * static_cast<std::uint64_t>(c.loads) + L::kBlockSize * static_cast<std::uint64_t>(c.blocks)
        + 4 * cells + L::kUserPointSize * static_cast<std::uint64_t>(c.userPoints);
}

// The largest file the counts can describe: every count at its 16-bit maximum, in the older
// (longer) fixed layout. Nothing larger can be a job file.
constexpr std::uint64_t kIntegerMax = std::numeric_limits<Integer>::max();
constexpr std::uint64_t kLargestFixedPart
    = L::kVersion + 4 + L::kHeaderSize + L::kOldViewSize + L::kFactorsSize + L::kWaterSize + L::kPiezoSize
    + L::kSlipSize + L::kOldExtraSize + L::kWedgeSize;
constexpr std::uint64_t kLargestJobFile = kLargestFixedPart + L::kPrintSize
    + kIntegerMax * (L::kSoilSize + L::kLoadSize + L::kBlockSize + L::kUserPointSize)
    + 4 * (kIntegerMax + 1) * (kIntegerMax + 1);

// ---------------------------------------------------------------- files

std::string ParentFolderOf(const std::string& path)
{
    const auto slash = path.find_last_of('/');
    if (slash == std::string::npos)
        return ".";
    return slash == 0 ? "/" : path.substr(0, slash);
}

bool WriteAll(int fd, const Bytes& bytes)
{
    std::size_t done = 0;
    while (done < bytes.size()) {
        const ssize_t n = ::write(fd, bytes.data() + done, bytes.size() - done);
        if (n < 0) {
            if (errno == EINTR)
                continue;
            return false;
        }
        done += static_cast<std::size_t>(n);
    }
    return true;
}

/**
 * Creates a new file in the folder of `target` under a short hidden name no other
 * file has (short, so a target name near the length limit still leaves room);
 * -1 when the folder refuses.
 */
int CreateTempBeside(const std::string& target, std::string& tempPath)
{
    std::random_device seed;
    std::mt19937 rng(seed());
    const std::string folder = ParentFolderOf(target);
    for (int attempt = 0; attempt < 100; ++attempt) {
        tempPath = folder + "/.clivora-save-" + std::to_string(rng() % 100000000);
        const int fd = ::open(tempPath.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd >= 0 || errno != EEXIST)
            return fd;
    }
    return -1;
}

/**
 * Writes the bytes to `target` so that the target is either the old file or the
 * whole new one: a temporary file in the same folder is written, flushed to the
 * disk and renamed over the target. Being replaced whole, a longer old file leaves
 * no tail behind.
 */
bool ReplaceFileContents(const std::string& target, const Bytes& bytes)
{
    // A rename would replace even a file the user has made read-only; writing in
    // place would have been refused, and so is the save.
    if (::access(target.c_str(), F_OK) == 0 && ::access(target.c_str(), W_OK) != 0)
        return false;
    std::string tempPath;
    const int fd = CreateTempBeside(target, tempPath);
    if (fd < 0)
        return false;
    bool ok = WriteAll(fd, bytes);
    struct stat old {};
    if (ok && ::stat(target.c_str(), &old) == 0)
        ::fchmod(fd, old.st_mode & 07777); // a replaced file keeps its permissions
    ok = ok && ::fsync(fd) == 0;
    ok = (::close(fd) == 0) && ok;
    ok = ok && ::rename(tempPath.c_str(), target.c_str()) == 0;
    if (!ok) {
        ::unlink(tempPath.c_str());
        return false;
    }
    // Make the rename itself durable; the data is already safe, so a failure here is not an error.
    const int dir = ::open(ParentFolderOf(target).c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (dir >= 0) {
        ::fsync(dir);
        ::close(dir);
    }
    return true;
}

} // namespace

std::optional<DecodedJob> DecodeJobFile(const Bytes& bytes)
{
    ByteReader r(bytes);
    DecodedJob out;
    Job& job = out.job;

    if (!r.Has(4 + L::kHeaderSize))
        return std::nullopt;
    out.StoredVersion = r.Float();
    const bool oldLayout = IsOldLayout(out.StoredVersion);
    const HeaderCounts counts = ReadHeader(r, job.Header);
    if (counts.soils < 0 || counts.loads < 0 || counts.blocks < 0 || counts.userPoints < 0)
        return std::nullopt;

    const std::size_t viewSize = oldLayout ? L::kOldViewSize : L::kViewSize;
    const std::size_t extraSize = oldLayout ? L::kOldExtraSize : 0;
    if (!r.Has(viewSize + L::kFactorsSize + L::kWaterSize + L::kPiezoSize + L::kSlipSize + extraSize
               + L::kWedgeSize))
        return std::nullopt;
    if (oldLayout)
        r.Skip(L::kOldViewSize); // the older view block is not carried over
    else
        ReadView(r, job.View);
    ReadFactors(r, job.Factors);
    ReadWater(r, job.Water);
    ReadPiezo(r, job.Piezo);
    ReadSlip(r, job.Slip);
    r.Skip(extraSize);
    ReadWedge(r, job.Wedge);

    if (!PointCountFits(job.Water.PointCount, WaterSurface::kMaxPoints) || job.Piezo.NY < 0 || job.Piezo.NX < 0)
        return std::nullopt;
    // Everything that follows must be present before a single array is sized.
    if (VariableSize(counts, job.Piezo.NY, job.Piezo.NX) > r.Remaining())
        return std::nullopt;

    r.Ints(job.Print, 1);
    job.Soils.resize(static_cast<std::size_t>(counts.soils));
    for (SoilRecord& soil : job.Soils) {
        ReadSoil(r, soil);
        if (!PointCountFits(soil.PointCount, SoilRecord::kMaxPoints))
            return std::nullopt;
    }
    job.Loads.resize(static_cast<std::size_t>(counts.loads));
    for (LoadRecord& load : job.Loads)
        ReadLoad(r, load);
    job.Reinforcement.resize(static_cast<std::size_t>(counts.blocks));
    for (ReinforcementBlock& block : job.Reinforcement)
        ReadBlock(r, block);
    job.Heads.Resize(job.Piezo.NY, job.Piezo.NX);
    for (int row = 0; row <= job.Piezo.NY; ++row)
        for (int col = 0; col <= job.Piezo.NX; ++col)
            job.Heads.At(row, col) = r.Float();
    job.UserPoints.resize(static_cast<std::size_t>(counts.userPoints));
    for (UserPoint& point : job.UserPoints) {
        point.X = r.Float();
        point.Y = r.Float();
    }
    return out;
}

std::optional<Bytes> EncodeJobFile(const Job& job, Single leadingVersion)
{
    constexpr int kMaxCount = std::numeric_limits<Integer>::max();
    if (job.SoilCount() > kMaxCount || job.LoadCount() > kMaxCount || job.ReinforcementCount() > kMaxCount
        || job.UserPointCount() > kMaxCount || job.Heads.NY() > kMaxCount || job.Heads.NX() > kMaxCount)
        return std::nullopt;
    // A file the reader would refuse, or walk with the older layout, is never written.
    if (IsOldLayout(leadingVersion) || !PointCountFits(job.Water.PointCount, WaterSurface::kMaxPoints))
        return std::nullopt;
    for (const SoilRecord& soil : job.Soils)
        if (!PointCountFits(soil.PointCount, SoilRecord::kMaxPoints))
            return std::nullopt;

    HeaderCounts counts{static_cast<Integer>(job.SoilCount()), static_cast<Integer>(job.LoadCount()),
                        static_cast<Integer>(job.ReinforcementCount()), static_cast<Integer>(job.UserPointCount())};
    ByteWriter w(L::kPrint + VariableSize(counts, job.Heads.NY(), job.Heads.NX()));
    w.Float(leadingVersion);
    WriteHeader(w, job);
    WriteView(w, job.View);
    WriteFactors(w, job.Factors);
    WriteWater(w, job.Water);
    WritePiezo(w, job.Piezo, job.Heads);
    WriteSlip(w, job.Slip);
    WriteWedge(w, job.Wedge);
    w.Ints(job.Print, 1);
    for (const SoilRecord& soil : job.Soils)
        WriteSoil(w, soil);
    for (const LoadRecord& load : job.Loads)
        WriteLoad(w, load);
    for (const ReinforcementBlock& block : job.Reinforcement)
        WriteBlock(w, block);
    for (Single value : job.Heads.Values())
        w.Float(value);
    for (const UserPoint& point : job.UserPoints) {
        w.Float(point.X);
        w.Float(point.Y);
    }
    return w.Take();
}

std::optional<Bytes> ReadFileBytes(const std::string& path)
{
    // Non-blocking, so that a named pipe given as a job file cannot stall the program.
    const int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0)
        return std::nullopt;
    struct stat info {};
    if (::fstat(fd, &info) != 0 || !S_ISREG(info.st_mode) || info.st_size < 0
        || static_cast<std::uint64_t>(info.st_size) > kLargestJobFile) {
        ::close(fd);
        return std::nullopt;
    }
    Bytes bytes(static_cast<std::size_t>(info.st_size));
    std::size_t done = 0;
    while (done < bytes.size()) {
        const ssize_t n = ::read(fd, bytes.data() + done, bytes.size() - done);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            break;
        done += static_cast<std::size_t>(n);
    }
    ::close(fd);
    if (done != bytes.size())
        return std::nullopt; // the file shrank or could not be read to the end
    return bytes;
}

std::string FileTitleOf(const std::string& path)
{
    const auto separator = path.find_last_of("/\\");
    return separator == std::string::npos ? path : path.substr(separator + 1);
}

std::optional<std::string> SaveJob(JobSession& session)
{
    // Only the file name decides whether an extension was given: a full stop in a folder name does not count.
    if (FileTitleOf(session.JobFilePath).find('.') == std::string::npos) {
        session.JobFilePath += ".clv";
        session.JobFileTitle += ".clv";
    }
    const std::optional<Bytes> bytes = EncodeJobFile(session.job, session.job.Header.FileVersion);
    if (!bytes)
        return std::string(kSaveErrorMessage);

    // A link is followed, so that saving through it replaces the file it points at.
    std::string target = session.JobFilePath;
    std::error_code ec;
    if (std::filesystem::is_symlink(target, ec)) {
        const auto resolved = std::filesystem::weakly_canonical(target, ec);
        if (!ec)
            target = resolved.string();
    }
    if (!ReplaceFileContents(target, *bytes))
        return std::string(kSaveErrorMessage);
    session.JobModified = false;
    return std::nullopt;
}

std::optional<std::string> OpenJob(JobSession& session)
{
    std::string path = session.JobFilePath;
    std::erase(path, '"');

    const std::optional<Bytes> bytes = ReadFileBytes(path);
    if (!bytes)
        return std::string(kReadErrorMessage);
    std::optional<DecodedJob> decoded = DecodeJobFile(*bytes);
    if (!decoded)
        return std::string(kReadErrorMessage);

    // The whole file was read: only now does it replace the session's job.
    const bool oldLayout = IsOldLayout(decoded->StoredVersion);
    if (oldLayout)
        decoded->job.View = session.job.View; // older files carry no usable view
    decoded->job.Header.FileVersion = ProgramVersion(); // a later save stamps this program's version
    session.job = std::move(decoded->job);
    session.JobFilePath = path;
    session.JobModified = false;
    session.JobRefreshPending = true;
    // The soil selected in the previous job may not exist in this one.
    if (session.CurrentSoil < 1 || session.CurrentSoil > session.job.SoilCount() + 1)
        session.CurrentSoil = 1;
    if (oldLayout)
        UpgradeOldJob(session);
    return std::nullopt;
}

void UpgradeOldJob(JobSession& session)
{
    Job& job = session.job;
    SlipSettings& slip = job.Slip;
    slip.MinSlipDepth = 0.0f;
    slip.AutoGenerate = kTrue;
    // The older format held a single common point: (CommonXMin, CommonXMax) was its x and level.
    if (!(slip.GridXMin == 0.0f && slip.GridYMin == 0.0f) && slip.LegacyCommonPoint == 0) {
        slip.AutoGenerate = kFalse;
        slip.CommonY = slip.CommonXMax;
        slip.CommonXMax = slip.CommonXMin;
        slip.CommonXInc = 1.0f;
    }
    // The factors stay as stored, so they no longer match any named code.
    job.Factors.DesignCode = kCustomFactors;
    for (int item = 1; item <= job.SoilCount() + 1; ++item) {
        session.CurrentSoil = item;
        SortItemPoints(job, item);
    }
    session.CurrentSoil = 1;
    session.JobModified = true;
}

} // namespace clv
