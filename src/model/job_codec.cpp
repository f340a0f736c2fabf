// The job file's bytes: EncodeJobFile and DecodeJobFile walk the field
// descriptions of job_fields.h, so the two directions cannot drift apart.

#include "model/job_fields.h"
#include "model/job_file.h"

#include <algorithm>
#include <bit>
#include <cstdint>
#include <limits>

namespace clv {

namespace {

namespace L = file_layout;

/** Appends the job's values in file order, little-endian; the field visitor of job_fields.h. */
class FileWriter {
public:
    FileWriter(std::size_t expectedSize, const HeaderCounts& counts, const PiezoHeads& heads)
        : counts_(counts), heads_(heads)
    {
        bytes_.reserve(expectedSize);
    }

    void Put(Integer v)
    {
        const auto u = static_cast<std::uint16_t>(v);
        bytes_.push_back(static_cast<std::uint8_t>(u & 0xFF));
        bytes_.push_back(static_cast<std::uint8_t>(u >> 8));
    }
    void Put(Single v)
    {
        const auto u = std::bit_cast<std::uint32_t>(v);
        for (int shift = 0; shift < 32; shift += 8)
            bytes_.push_back(static_cast<std::uint8_t>((u >> shift) & 0xFF));
    }
    template <std::size_t N> void Put(const std::array<std::uint8_t, N>& raw)
    {
        bytes_.insert(bytes_.end(), raw.begin(), raw.end());
    }
    template <std::size_t N> void Put(const FixedText<N>& text) { Put(text.ToBytes()); }
    template <class T, std::size_t N> void Put(const std::array<T, N>& values, std::size_t first = 0)
    {
        for (std::size_t i = first; i < N; ++i)
            Put(values[i]);
    }

    // Every kind of field is simply its bytes.
    template <class T> void Int(const char*, const T& v) { Put(v); }
    template <class T> void Flag(const char*, const T& v) { Put(v); }
    template <class T> void Float(const char*, const T& v) { Put(v); }
    template <class T> void Text(const char*, const T& v) { Put(v); }
    template <class T> void Floats(const char*, const T& v) { Put(v); }
    template <class T> void Reserved(const char*, const T& v) { Put(v); }
    template <std::size_t N>
    void Points(const char*, Integer count, const std::array<Single, N>& xs, const std::array<Single, N>& ys,
                std::size_t firstSlot, int)
    {
        Put(count);
        Put(xs, firstSlot);
        Put(ys, firstSlot);
    }
    void Count(const char*, Integer HeaderCounts::*count) { Put(counts_.*count); }
    void GridSize(const char*, Integer, int (PiezoHeads::*size)() const) { Put(static_cast<Integer>((heads_.*size)())); }

    Bytes Take() { return std::move(bytes_); }

private:
    Bytes bytes_;
    const HeaderCounts& counts_;
    const PiezoHeads& heads_;
};

/**
 * Takes the job's values in file order; the field visitor of job_fields.h. Reads
 * are not bounds-checked one by one: the caller checks Has() for a whole stretch
 * of records before reading their fields.
 */
class FileReader {
public:
    explicit FileReader(const Bytes& bytes) : bytes_(bytes) {}

    std::size_t Remaining() const { return bytes_.size() - pos_; }
    bool Has(std::size_t n) const { return n <= Remaining(); }
    void Skip(std::size_t n) { pos_ += n; }
    /** The counts of the header, once it has been read. */
    const HeaderCounts& Counts() const { return counts_; }

    void Get(Integer& v)
    {
        const auto u = static_cast<std::uint16_t>(bytes_[pos_] | (bytes_[pos_ + 1] << 8));
        pos_ += 2;
        v = static_cast<Integer>(u);
    }
    void Get(Single& v)
    {
        std::uint32_t u = 0;
        for (int i = 0; i < 4; ++i)
            u |= static_cast<std::uint32_t>(bytes_[pos_ + i]) << (8 * i);
        pos_ += 4;
        v = std::bit_cast<Single>(u);
    }
    template <std::size_t N> void Get(std::array<std::uint8_t, N>& raw)
    {
        std::copy_n(bytes_.begin() + static_cast<std::ptrdiff_t>(pos_), N, raw.begin());
        pos_ += N;
    }
    template <std::size_t N> void Get(FixedText<N>& text)
    {
        text = FixedText<N>::FromBytes(bytes_.data() + pos_);
        pos_ += N;
    }
    template <class T, std::size_t N> void Get(std::array<T, N>& values, std::size_t first = 0)
    {
        for (std::size_t i = first; i < N; ++i)
            Get(values[i]);
    }

    template <class T> void Int(const char*, T& v) { Get(v); }
    template <class T> void Flag(const char*, T& v) { Get(v); }
    template <class T> void Float(const char*, T& v) { Get(v); }
    template <class T> void Text(const char*, T& v) { Get(v); }
    template <class T> void Floats(const char*, T& v) { Get(v); }
    template <class T> void Reserved(const char*, T& v) { Get(v); }
    template <std::size_t N>
    void Points(const char*, Integer& count, std::array<Single, N>& xs, std::array<Single, N>& ys,
                std::size_t firstSlot, int)
    {
        Get(count);
        Get(xs, firstSlot);
        Get(ys, firstSlot);
    }
    void Count(const char*, Integer HeaderCounts::*count) { Get(counts_.*count); }
    void GridSize(const char*, Integer& size, int (PiezoHeads::*)() const) { Get(size); }

private:
    const Bytes& bytes_;
    std::size_t pos_ = 0;
    HeaderCounts counts_; // the arrays are sized from them only after they are checked
};

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

} // namespace

std::optional<DecodedJob> DecodeJobFile(const Bytes& bytes)
{
    FileReader r(bytes);
    DecodedJob out;
    Job& job = out.job;

    if (!r.Has(4 + L::kHeaderSize))
        return std::nullopt;
    r.Get(out.StoredVersion);
    const bool oldLayout = IsOldLayout(out.StoredVersion);
    VisitFields(job.Header, r);
    const HeaderCounts& counts = r.Counts();
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
        VisitFields(job.View, r);
    VisitFields(job.Factors, r);
    VisitFields(job.Water, r);
    VisitFields(job.Piezo, r);
    VisitFields(job.Slip, r);
    r.Skip(extraSize);
    VisitFields(job.Wedge, r);

    if (!PointCountFits(job.Water.PointCount, WaterSurface::kMaxPoints) || job.Piezo.NY < 0 || job.Piezo.NX < 0)
        return std::nullopt;
    // Everything that follows must be present before a single array is sized.
    if (VariableSize(counts, job.Piezo.NY, job.Piezo.NX) > r.Remaining())
        return std::nullopt;

    r.Get(job.Print, 1);
    job.Soils.resize(static_cast<std::size_t>(counts.soils));
    for (SoilRecord& soil : job.Soils) {
        VisitFields(soil, r);
        if (!PointCountFits(soil.PointCount, SoilRecord::kMaxPoints))
            return std::nullopt;
    }
    job.Loads.resize(static_cast<std::size_t>(counts.loads));
    for (LoadRecord& load : job.Loads)
        VisitFields(load, r);
    job.Reinforcement.resize(static_cast<std::size_t>(counts.blocks));
    for (ReinforcementBlock& block : job.Reinforcement)
        VisitFields(block, r);
    job.Heads.Resize(job.Piezo.NY, job.Piezo.NX);
    for (int row = 0; row <= job.Piezo.NY; ++row)
        for (int col = 0; col <= job.Piezo.NX; ++col)
            r.Get(job.Heads.At(row, col));
    job.UserPoints.resize(static_cast<std::size_t>(counts.userPoints));
    for (UserPoint& point : job.UserPoints) {
        r.Get(point.X);
        r.Get(point.Y);
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

    const HeaderCounts counts{static_cast<Integer>(job.SoilCount()), static_cast<Integer>(job.LoadCount()),
                              static_cast<Integer>(job.ReinforcementCount()),
                              static_cast<Integer>(job.UserPointCount())};
    FileWriter w(L::kPrint + VariableSize(counts, job.Heads.NY(), job.Heads.NX()), counts, job.Heads);
    w.Put(leadingVersion);
    VisitFields(job.Header, w);
    VisitFields(job.View, w);
    VisitFields(job.Factors, w);
    VisitFields(job.Water, w);
    VisitFields(job.Piezo, w);
    VisitFields(job.Slip, w);
    VisitFields(job.Wedge, w);
    w.Put(job.Print, 1);
    for (const SoilRecord& soil : job.Soils)
        VisitFields(soil, w);
    for (const LoadRecord& load : job.Loads)
        VisitFields(load, w);
    for (const ReinforcementBlock& block : job.Reinforcement)
        VisitFields(block, w);
    for (Single value : job.Heads.Values())
        w.Put(value);
    for (const UserPoint& point : job.UserPoints) {
        w.Put(point.X);
        w.Put(point.Y);
    }
    return w.Take();
}

} // namespace clv
