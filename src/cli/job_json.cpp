#include "job_json.h"

#include "model/fixed_text.h"

#include <nlohmann/json.hpp>

#include <bit>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <limits>
#include <set>
#include <vector>

namespace clv::cli {

namespace {

// Ordered, so that the fields come out in the order of the records.
using Json = nlohmann::ordered_json;

constexpr std::uint32_t kQuietNaNBits = 0x7FC00000u;
constexpr int kMaxCount = std::numeric_limits<Integer>::max();
constexpr int kPrintFlags = 100;

// ---------------------------------------------------------------- writing

// A float is written as the shortest decimal that reads back to the same float
// ("9.81", not 9.8100004196167), passed on as the double of that decimal. In the
// rare case where the double, rounded back to float, would not give the same
// bits, the float's exact value is written instead. NaN and infinities have no
// JSON number, so they are strings; a NaN other than the common quiet one keeps
// its bits.
Json FloatJson(Single value)
{
    if (std::isnan(value)) {
        const auto bits = std::bit_cast<std::uint32_t>(value);
        if (bits == kQuietNaNBits)
            return "NaN";
        char hex[16];
        auto end = std::to_chars(hex, hex + sizeof hex, bits, 16).ptr;
        return "NaN(0x" + std::string(8 - (end - hex), '0') + std::string(hex, end) + ")";
    }
    if (std::isinf(value))
        return value > 0 ? "Infinity" : "-Infinity";
    char text[32];
    auto end = std::to_chars(text, text + sizeof text, value).ptr;
    double decimal = 0.0;
    std::from_chars(text, end, decimal);
    if (std::bit_cast<std::uint32_t>(static_cast<Single>(decimal)) != std::bit_cast<std::uint32_t>(value))
        decimal = static_cast<double>(value);
    return decimal;
}

// Booleans of the file are Integers: -1 and 0 are written as true and false, any other value as the number.
Json FlagJson(Integer value)
{
    if (value == kTrue)
        return true;
    if (value == kFalse)
        return false;
    return value;
}

template <std::size_t N> Json TextJson(const FixedText<N>& text)
{
    return text.Trimmed(); // the blanks that pad the field come back when the text is stored
}

template <std::size_t N> bool AllZero(const ReservedBytes<N>& bytes)
{
    for (auto b : bytes)
        if (b != 0)
            return false;
    return true;
}

template <std::size_t N> Json HexJson(const ReservedBytes<N>& bytes)
{
    static const char digits[] = "0123456789abcdef";
    std::string hex;
    hex.reserve(2 * N);
    for (auto b : bytes) {
        hex += digits[b >> 4];
        hex += digits[b & 0xF];
    }
    return hex;
}

bool ZeroBits(Single value)
{
    return std::bit_cast<std::uint32_t>(value) == 0; // -0.0 is not zero here: its sign bit is kept
}

template <typename T, std::size_t N> bool AllZeroValues(const std::array<T, N>& values)
{
    for (const T& v : values) {
        if constexpr (std::is_same_v<T, Single>) {
            if (!ZeroBits(v))
                return false;
        } else if (v != 0) {
            return false;
        }
    }
    return true;
}

template <std::size_t N> Json FloatsJson(const std::array<Single, N>& values, std::size_t first = 0)
{
    Json out = Json::array();
    for (std::size_t i = first; i < N; ++i)
        out.push_back(FloatJson(values[i]));
    return out;
}

template <std::size_t N> Json IntsJson(const std::array<Integer, N>& values, std::size_t first = 0)
{
    Json out = Json::array();
    for (std::size_t i = first; i < N; ++i)
        out.push_back(values[i]);
    return out;
}

Json PairJson(Single x, Single y)
{
    return Json::array({FloatJson(x), FloatJson(y)});
}

/** The points 1..count, and the other slots the file keeps when any of them holds a value. */
template <std::size_t N>
void WritePoints(Json& out, const std::array<Single, N>& xs, const std::array<Single, N>& ys, int count,
                 std::size_t firstSlot)
{
    Json points = Json::array();
    for (int j = 1; j <= count; ++j)
        points.push_back(PairJson(xs[j], ys[j]));
    out["Points"] = points;
    Json unused = Json::object();
    for (std::size_t slot = firstSlot; slot < N; ++slot) {
        if (slot >= 1 && slot <= static_cast<std::size_t>(count))
            continue;
        if (!ZeroBits(xs[slot]) || !ZeroBits(ys[slot]))
            unused[std::to_string(slot)] = PairJson(xs[slot], ys[slot]);
    }
    if (!unused.empty())
        out["UnusedSlots"] = unused;
}

Json HeaderJson(const JobHeader& h)
{
    Json out;
    out["FileVersion"] = FloatJson(h.FileVersion);
    out["MainTitle"] = TextJson(h.MainTitle);
    out["SubTitle"] = TextJson(h.SubTitle);
    out["Project"] = TextJson(h.Project);
    out["Analysis"] = TextJson(h.Analysis);
    out["Engineer"] = TextJson(h.Engineer);
    out["FirstPageNumber"] = h.FirstPageNumber;
    out["ReinforcementKind"] = h.ReinforcementKind;
    if (!ZeroBits(h.Reserved1))
        out["Reserved1"] = FloatJson(h.Reserved1);
    if (!ZeroBits(h.Reserved2))
        out["Reserved2"] = FloatJson(h.Reserved2);
    out["VerticalAccelerationFactor"] = FloatJson(h.VerticalAccelerationFactor);
    out["LateralAccelerationFactor"] = FloatJson(h.LateralAccelerationFactor);
    out["WaterUnitWeight"] = FloatJson(h.WaterUnitWeight);
    if (!AllZeroValues(h.ReservedSingles))
        out["ReservedSingles"] = FloatsJson(h.ReservedSingles);
    if (!AllZeroValues(h.ReservedIntegers))
        out["ReservedIntegers"] = IntsJson(h.ReservedIntegers);
    return out;
}

Json ViewJson(const ViewSettings& v)
{
    Json out;
    out["ShowPoints"] = FlagJson(v.ShowPoints);
    out["ShowSoils"] = FlagJson(v.ShowSoils);
    out["ShowSoilFill"] = FlagJson(v.ShowSoilFill);
    out["ShowWater"] = FlagJson(v.ShowWater);
    out["ShowLoads"] = FlagJson(v.ShowLoads);
    out["ShowReinforcement"] = FlagJson(v.ShowReinforcement);
    out["ShowPiezo"] = FlagJson(v.ShowPiezo);
    out["XMin"] = FloatJson(v.XMin);
    out["XMax"] = FloatJson(v.XMax);
    out["YMin"] = FloatJson(v.YMin);
    out["YMax"] = FloatJson(v.YMax);
    out["GridIncrement"] = FloatJson(v.GridIncrement);
    out["SnapToGrid"] = FlagJson(v.SnapToGrid);
    out["ShowGrid"] = FlagJson(v.ShowGrid);
    return out;
}

Json FactorsJson(const PartialFactors& f)
{
    Json out;
    out["RamificationsOfFailure"] = FloatJson(f.RamificationsOfFailure);
    out["SoilSelfWeight"] = FloatJson(f.SoilSelfWeight);
    out["ImposedLoads"] = FloatJson(f.ImposedLoads);
    out["TanPhi"] = FloatJson(f.TanPhi);
    out["Cohesion"] = FloatJson(f.Cohesion);
    out["ReinforcementStrength"] = FloatJson(f.ReinforcementStrength);
    out["SlidingOnReinforcement"] = FloatJson(f.SlidingOnReinforcement);
    out["PullOut"] = FloatJson(f.PullOut);
    if (!AllZero(f.Reserved))
        out["Reserved"] = HexJson(f.Reserved);
    out["DesignCode"] = f.DesignCode;
    if (!AllZero(f.Reserved2))
        out["Reserved2"] = HexJson(f.Reserved2);
    return out;
}

Json WaterJson(const WaterSurface& w)
{
    Json out = Json::object();
    WritePoints(out, w.X, w.Y, w.PointCount, 1); // slot 0 is not part of the file
    if (!AllZero(w.Reserved))
        out["Reserved"] = HexJson(w.Reserved);
    return out;
}

Json PiezoJson(const PiezoSettings& p, const PiezoHeads& heads)
{
    Json out;
    out["Enabled"] = FlagJson(p.Enabled);
    out["MinX"] = FloatJson(p.MinX);
    out["MaxX"] = FloatJson(p.MaxX);
    out["IncX"] = FloatJson(p.IncX);
    out["MinY"] = FloatJson(p.MinY);
    out["MaxY"] = FloatJson(p.MaxY);
    out["IncY"] = FloatJson(p.IncY);
    // The file stores the dimensions of the heads array itself.
    out["NY"] = heads.NY();
    out["NX"] = heads.NX();
    return out;
}

Json SlipJson(const SlipSettings& s)
{
    Json out;
    out["Method"] = s.Method;
    out["TensionCrackDepth"] = FloatJson(s.TensionCrackDepth);
    out["MinSlices"] = s.MinSlices;
    out["GridXMin"] = FloatJson(s.GridXMin);
    out["GridXMax"] = FloatJson(s.GridXMax);
    out["GridXInc"] = FloatJson(s.GridXInc);
    out["GridYMin"] = FloatJson(s.GridYMin);
    out["GridYMax"] = FloatJson(s.GridYMax);
    out["GridYInc"] = FloatJson(s.GridYInc);
    out["AutoExtendGrid"] = FlagJson(s.AutoExtendGrid);
    out["LegacyCommonPoint"] = s.LegacyCommonPoint;
    out["CommonXMin"] = FloatJson(s.CommonXMin);
    out["CommonXMax"] = FloatJson(s.CommonXMax);
    out["CommonXInc"] = FloatJson(s.CommonXInc);
    out["CommonY"] = FloatJson(s.CommonY);
    out["Fx"] = FloatsJson(s.Fx);
    out["AutoGenerate"] = FlagJson(s.AutoGenerate);
    if (!AllZero(s.Reserved))
        out["Reserved"] = HexJson(s.Reserved);
    out["MinSlipDepth"] = FloatJson(s.MinSlipDepth);
    if (!AllZero(s.Reserved2))
        out["Reserved2"] = HexJson(s.Reserved2);
    return out;
}

Json WedgeJson(const WedgeSettings& w)
{
    Json out;
    out["UseDefaults"] = w.UseDefaults;
    out["BaseWidthMin"] = FloatJson(w.BaseWidthMin);
    out["BaseWidthMax"] = FloatJson(w.BaseWidthMax);
    out["BaseWidthInc"] = FloatJson(w.BaseWidthInc);
    out["BaseAngleMin"] = FloatJson(w.BaseAngleMin);
    out["BaseAngleMax"] = FloatJson(w.BaseAngleMax);
    out["RearAngleMin"] = FloatJson(w.RearAngleMin);
    out["RearAngleMax"] = FloatJson(w.RearAngleMax);
    out["AngleInc"] = FloatJson(w.AngleInc);
    if (!AllZero(w.Reserved))
        out["Reserved"] = HexJson(w.Reserved);
    return out;
}

Json SoilJson(const SoilRecord& s)
{
    Json out;
    out["Description"] = TextJson(s.Description);
    out["Density"] = FloatJson(s.Density);
    out["Phi"] = FloatJson(s.Phi);
    out["Cohesion"] = FloatJson(s.Cohesion);
    out["Ru"] = FloatJson(s.Ru);
    out["Suction"] = FloatJson(s.Suction);
    WritePoints(out, s.X, s.Y, s.PointCount, 0);
    if (!AllZeroValues(s.ReservedSingles))
        out["ReservedSingles"] = FloatsJson(s.ReservedSingles);
    if (!AllZeroValues(s.ReservedIntegers))
        out["ReservedIntegers"] = IntsJson(s.ReservedIntegers);
    return out;
}

Json LoadJson(const LoadRecord& l)
{
    Json out;
    out["LoadType"] = l.LoadType;
    out["Value"] = FloatJson(l.Value);
    out["XMin"] = FloatJson(l.XMin);
    out["XMax"] = FloatJson(l.XMax);
    out["Y"] = FloatJson(l.Y);
    out["Angle"] = FloatJson(l.Angle);
    out["FreeLength"] = FloatJson(l.FreeLength);
    out["FixedLength"] = FloatJson(l.FixedLength);
    if (!AllZero(l.Reserved))
        out["Reserved"] = HexJson(l.Reserved);
    return out;
}

Json BlockJson(const ReinforcementBlock& b)
{
    Json out;
    out["Description"] = TextJson(b.Description);
    out["Strength"] = FloatJson(b.Strength);
    out["Length"] = FloatJson(b.Length);
    out["FrictionCoefficient"] = FloatJson(b.FrictionCoefficient);
    out["NailAngle"] = FloatJson(b.NailAngle);
    out["NailSpacing"] = FloatJson(b.NailSpacing);
    out["VerticalSpacing"] = FloatJson(b.VerticalSpacing);
    out["BlockHeight"] = FloatJson(b.BlockHeight);
    out["BlockBase"] = FloatJson(b.BlockBase);
    if (!AllZeroValues(b.ReservedSingles))
        out["ReservedSingles"] = FloatsJson(b.ReservedSingles);
    if (!AllZeroValues(b.ReservedIntegers))
        out["ReservedIntegers"] = IntsJson(b.ReservedIntegers);
    return out;
}

// Indented like any pretty JSON, except that an array of plain values stays on
// one line: a point is "[x, y]" and a row of the piezometric grid one line.
void AppendPretty(const Json& value, std::string& out, int indent)
{
    auto scalar = [](const Json& v) { return v.dump(-1, ' ', false, Json::error_handler_t::strict); };
    const std::string inner(static_cast<std::size_t>(indent + 2), ' ');
    if (value.is_object()) {
        if (value.empty()) {
            out += "{}";
            return;
        }
        out += "{\n";
        std::size_t i = 0;
        for (const auto& item : value.items()) {
            out += inner + scalar(Json(item.key())) + ": ";
            AppendPretty(item.value(), out, indent + 2);
            out += ++i < value.size() ? ",\n" : "\n";
        }
        out += std::string(static_cast<std::size_t>(indent), ' ') + "}";
    } else if (value.is_array()) {
        bool flat = true;
        for (const auto& element : value)
            flat = flat && !element.is_structured();
        if (value.empty() || flat) {
            out += "[";
            for (std::size_t i = 0; i < value.size(); ++i)
                out += (i ? ", " : "") + scalar(value[i]);
            out += "]";
            return;
        }
        out += "[\n";
        for (std::size_t i = 0; i < value.size(); ++i) {
            out += inner;
            AppendPretty(value[i], out, indent + 2);
            out += i + 1 < value.size() ? ",\n" : "\n";
        }
        out += std::string(static_cast<std::size_t>(indent), ' ') + "]";
    } else {
        out += scalar(value);
    }
}

// ---------------------------------------------------------------- reading

/** A value that cannot go into the job: where it is (a path such as "Soils[2].Phi") and what is wrong. */
struct FieldError {
    std::string path;
    std::string what;
};

[[noreturn]] void Fail(const std::string& path, const std::string& what)
{
    throw FieldError{path, what};
}

std::string Join(const std::string& path, const std::string& key)
{
    return path.empty() ? key : path + "." + key;
}

std::string Indexed(const std::string& path, std::size_t index)
{
    return path + "[" + std::to_string(index) + "]";
}

// The first double that rounds to infinity as a float: half an ulp above the largest float.
constexpr double kFloatOverflow = 0x1.ffffffp127;

Single ReadFloat(const Json& v, const std::string& path)
{
    if (v.is_number()) {
        const double d = v.get<double>();
        if (!(std::fabs(d) < kFloatOverflow))
            Fail(path, "beyond the range of a Single");
        return static_cast<Single>(d);
    }
    if (v.is_string()) {
        const std::string& s = v.get_ref<const std::string&>();
        if (s == "NaN")
            return std::bit_cast<Single>(kQuietNaNBits);
        if (s == "Infinity")
            return std::numeric_limits<Single>::infinity();
        if (s == "-Infinity")
            return -std::numeric_limits<Single>::infinity();
        if (s.size() == 15 && s.rfind("NaN(0x", 0) == 0 && s.back() == ')') {
            std::uint32_t bits = 0;
            auto [end, ec] = std::from_chars(s.data() + 6, s.data() + 14, bits, 16);
            if (ec == std::errc() && end == s.data() + 14 && std::isnan(std::bit_cast<Single>(bits)))
                return std::bit_cast<Single>(bits);
        }
    }
    Fail(path, "expected a number (or \"NaN\", \"Infinity\", \"-Infinity\")");
}

Integer ReadInteger(const Json& v, const std::string& path)
{
    constexpr std::int64_t lo = std::numeric_limits<Integer>::min(), hi = std::numeric_limits<Integer>::max();
    if (v.is_number_unsigned() && v.get<std::uint64_t>() <= static_cast<std::uint64_t>(hi))
        return static_cast<Integer>(v.get<std::uint64_t>());
    if (v.is_number_integer() && !v.is_number_unsigned() && v.get<std::int64_t>() >= lo
        && v.get<std::int64_t>() <= hi)
        return static_cast<Integer>(v.get<std::int64_t>());
    Fail(path, "expected a whole number from -32768 to 32767");
}

Integer ReadFlag(const Json& v, const std::string& path)
{
    if (v.is_boolean())
        return ToFlag(v.get<bool>());
    if (v.is_number_integer())
        return ReadInteger(v, path);
    Fail(path, "expected true, false or a whole number");
}

template <std::size_t N> FixedText<N> ReadText(const Json& v, const std::string& path)
{
    if (!v.is_string())
        Fail(path, "expected a text");
    const std::string& s = v.get_ref<const std::string&>();
    // Refused rather than silently cut or changed to '?', as storing it would do.
    if (Utf8Length(s) > N)
        Fail(path, "longer than " + std::to_string(N) + " characters");
    if (Cp1252ToUtf8(Utf8ToCp1252(s)) != s)
        Fail(path, "holds a character a job file cannot store (Windows-1252)");
    return FixedText<N>(s);
}

template <std::size_t N> ReservedBytes<N> ReadHex(const Json& v, const std::string& path)
{
    auto digit = [](char c) -> int {
        if (c >= '0' && c <= '9') return c - '0';
        if (c >= 'a' && c <= 'f') return c - 'a' + 10;
        if (c >= 'A' && c <= 'F') return c - 'A' + 10;
        return -1;
    };
    const std::string expected = "expected " + std::to_string(N) + " bytes as " + std::to_string(2 * N) + " hex digits";
    if (!v.is_string() || v.get_ref<const std::string&>().size() != 2 * N)
        Fail(path, expected);
    const std::string& s = v.get_ref<const std::string&>();
    ReservedBytes<N> bytes{};
    for (std::size_t i = 0; i < N; ++i) {
        const int hi = digit(s[2 * i]), lo = digit(s[2 * i + 1]);
        if (hi < 0 || lo < 0)
            Fail(path, expected);
        bytes[i] = static_cast<std::uint8_t>(hi * 16 + lo);
    }
    return bytes;
}

const Json& ExpectArray(const Json& v, const std::string& path, std::size_t maxSize, const std::string& what)
{
    if (!v.is_array())
        Fail(path, "expected a list");
    if (v.size() > maxSize)
        Fail(path, "at most " + std::to_string(maxSize) + " " + what);
    return v;
}

std::pair<Single, Single> ReadPair(const Json& v, const std::string& path)
{
    if (!v.is_array() || v.size() != 2)
        Fail(path, "expected a point [x, y]");
    return {ReadFloat(v[0], Indexed(path, 0)), ReadFloat(v[1], Indexed(path, 1))};
}

/**
 * Reads the fields of one JSON object by name. Fields it is not asked for are an
 * error (Finish), so a misspelt field name never goes unnoticed.
 */
class ObjectReader {
public:
    ObjectReader(const Json& object, std::string path) : object_(object), path_(std::move(path))
    {
        if (!object_.is_object())
            Fail(path_.empty() ? "(top level)" : path_, "expected an object { ... }");
    }

    const std::string& Path() const { return path_; }
    std::string PathOf(const std::string& key) const { return Join(path_, key); }

    const Json* Find(const std::string& key)
    {
        known_.insert(key);
        auto it = object_.find(key);
        return it == object_.end() ? nullptr : &*it;
    }

    const Json& Require(const std::string& key, const std::string& owner)
    {
        const Json* v = Find(key);
        if (!v)
            Fail(PathOf(key), "missing (every " + owner + " needs it)");
        return *v;
    }

    void Float(const std::string& key, Single& out)
    {
        if (const Json* v = Find(key))
            out = ReadFloat(*v, PathOf(key));
    }
    void Int(const std::string& key, Integer& out)
    {
        if (const Json* v = Find(key))
            out = ReadInteger(*v, PathOf(key));
    }
    void Flag(const std::string& key, Integer& out)
    {
        if (const Json* v = Find(key))
            out = ReadFlag(*v, PathOf(key));
    }
    template <std::size_t N> void Text(const std::string& key, FixedText<N>& out)
    {
        if (const Json* v = Find(key))
            out = ReadText<N>(*v, PathOf(key));
    }
    template <std::size_t N> void Hex(const std::string& key, ReservedBytes<N>& out)
    {
        if (const Json* v = Find(key))
            out = ReadHex<N>(*v, PathOf(key));
    }
    /** An array field of the record, elements first..N-1 (the model's indices), listed in full. */
    template <std::size_t N> void Floats(const std::string& key, std::array<Single, N>& out, std::size_t first)
    {
        if (const Json* v = Find(key)) {
            ExpectLength(*v, key, N - first);
            for (std::size_t i = first; i < N; ++i)
                out[i] = ReadFloat((*v)[i - first], Indexed(PathOf(key), i));
        }
    }
    template <std::size_t N> void Ints(const std::string& key, std::array<Integer, N>& out, std::size_t first)
    {
        if (const Json* v = Find(key)) {
            ExpectLength(*v, key, N - first);
            for (std::size_t i = first; i < N; ++i)
                out[i] = ReadInteger((*v)[i - first], Indexed(PathOf(key), i));
        }
    }

    void Finish() const
    {
        for (const auto& item : object_.items())
            if (!known_.count(item.key()))
                Fail(PathOf(item.key()), "unknown field");
    }

private:
    void ExpectLength(const Json& v, const std::string& key, std::size_t length) const
    {
        if (!v.is_array() || v.size() != length)
            Fail(PathOf(key), "expected a list of " + std::to_string(length) + " values");
    }

    const Json& object_;
    std::string path_;
    std::set<std::string> known_;
};

/**
 * "Points" (1..count, at most maxPoints) and "UnusedSlots" (the other slots the
 * file keeps, from firstSlot to N - 1) of a soil or the water surface.
 */
template <std::size_t N>
void ReadPoints(ObjectReader& r, std::array<Single, N>& xs, std::array<Single, N>& ys, Integer& count,
                int maxPoints, std::size_t firstSlot, bool required, const std::string& owner)
{
    const Json* points = required ? &r.Require("Points", owner) : r.Find("Points");
    if (points) {
        const std::string path = r.PathOf("Points");
        ExpectArray(*points, path, static_cast<std::size_t>(maxPoints), "points");
        count = static_cast<Integer>(points->size());
        for (std::size_t j = 1; j <= points->size(); ++j)
            std::tie(xs[j], ys[j]) = ReadPair((*points)[j - 1], Indexed(path, j));
    }
    if (const Json* unused = r.Find("UnusedSlots")) {
        const std::string path = r.PathOf("UnusedSlots");
        if (!unused->is_object())
            Fail(path, "expected an object of slot numbers, e.g. {\"0\": [x, y]}");
        for (const auto& item : unused->items()) {
            const std::string& key = item.key();
            std::size_t slot = 0;
            auto [end, ec] = std::from_chars(key.data(), key.data() + key.size(), slot);
            const bool isNumber = ec == std::errc() && end == key.data() + key.size() && !key.empty();
            if (!isNumber || slot < firstSlot || slot >= N)
                Fail(path + "." + key, "not a slot number from " + std::to_string(firstSlot) + " to "
                                           + std::to_string(N - 1));
            if (slot >= 1 && slot <= static_cast<std::size_t>(count))
                Fail(path + "." + key, "slot " + key + " holds a point of Points");
            std::tie(xs[slot], ys[slot]) = ReadPair(item.value(), path + "." + key);
        }
    }
}

void ReadHeader(const Json& v, JobHeader& h)
{
    ObjectReader r(v, "Header");
    r.Float("FileVersion", h.FileVersion);
    r.Text("MainTitle", h.MainTitle);
    r.Text("SubTitle", h.SubTitle);
    r.Text("Project", h.Project);
    r.Text("Analysis", h.Analysis);
    r.Text("Engineer", h.Engineer);
    r.Int("FirstPageNumber", h.FirstPageNumber);
    r.Int("ReinforcementKind", h.ReinforcementKind);
    r.Float("Reserved1", h.Reserved1);
    r.Float("Reserved2", h.Reserved2);
    r.Float("VerticalAccelerationFactor", h.VerticalAccelerationFactor);
    r.Float("LateralAccelerationFactor", h.LateralAccelerationFactor);
    r.Float("WaterUnitWeight", h.WaterUnitWeight);
    r.Floats("ReservedSingles", h.ReservedSingles, 0);
    r.Ints("ReservedIntegers", h.ReservedIntegers, 0);
    r.Finish();
}

void ReadView(const Json& v, ViewSettings& view)
{
    ObjectReader r(v, "View");
    r.Flag("ShowPoints", view.ShowPoints);
    r.Flag("ShowSoils", view.ShowSoils);
    r.Flag("ShowSoilFill", view.ShowSoilFill);
    r.Flag("ShowWater", view.ShowWater);
    r.Flag("ShowLoads", view.ShowLoads);
    r.Flag("ShowReinforcement", view.ShowReinforcement);
    r.Flag("ShowPiezo", view.ShowPiezo);
    r.Float("XMin", view.XMin);
    r.Float("XMax", view.XMax);
    r.Float("YMin", view.YMin);
    r.Float("YMax", view.YMax);
    r.Float("GridIncrement", view.GridIncrement);
    r.Flag("SnapToGrid", view.SnapToGrid);
    r.Flag("ShowGrid", view.ShowGrid);
    r.Finish();
}

void ReadFactors(const Json& v, PartialFactors& f)
{
    ObjectReader r(v, "Factors");
    r.Float("RamificationsOfFailure", f.RamificationsOfFailure);
    r.Float("SoilSelfWeight", f.SoilSelfWeight);
    r.Float("ImposedLoads", f.ImposedLoads);
    r.Float("TanPhi", f.TanPhi);
    r.Float("Cohesion", f.Cohesion);
    r.Float("ReinforcementStrength", f.ReinforcementStrength);
    r.Float("SlidingOnReinforcement", f.SlidingOnReinforcement);
    r.Float("PullOut", f.PullOut);
    r.Hex("Reserved", f.Reserved);
    r.Int("DesignCode", f.DesignCode);
    r.Hex("Reserved2", f.Reserved2);
    r.Finish();
}

void ReadWater(const Json& v, WaterSurface& w)
{
    ObjectReader r(v, "Water");
    ReadPoints(r, w.X, w.Y, w.PointCount, WaterSurface::kMaxPoints, 1, false, "water surface");
    r.Hex("Reserved", w.Reserved);
    r.Finish();
}

/** The grid settings; `hasNY`/`hasNX` tell whether the dimensions were given. */
void ReadPiezo(const Json& v, PiezoSettings& p, bool& hasNY, bool& hasNX)
{
    ObjectReader r(v, "Piezo");
    r.Flag("Enabled", p.Enabled);
    r.Float("MinX", p.MinX);
    r.Float("MaxX", p.MaxX);
    r.Float("IncX", p.IncX);
    r.Float("MinY", p.MinY);
    r.Float("MaxY", p.MaxY);
    r.Float("IncY", p.IncY);
    hasNY = r.Find("NY") != nullptr;
    hasNX = r.Find("NX") != nullptr;
    r.Int("NY", p.NY);
    r.Int("NX", p.NX);
    if (p.NY < 0)
        Fail("Piezo.NY", "must not be negative");
    if (p.NX < 0)
        Fail("Piezo.NX", "must not be negative");
    r.Finish();
}

void ReadSlip(const Json& v, SlipSettings& s)
{
    ObjectReader r(v, "Slip");
    r.Int("Method", s.Method);
    r.Float("TensionCrackDepth", s.TensionCrackDepth);
    r.Int("MinSlices", s.MinSlices);
    r.Float("GridXMin", s.GridXMin);
    r.Float("GridXMax", s.GridXMax);
    r.Float("GridXInc", s.GridXInc);
    r.Float("GridYMin", s.GridYMin);
    r.Float("GridYMax", s.GridYMax);
    r.Float("GridYInc", s.GridYInc);
    r.Flag("AutoExtendGrid", s.AutoExtendGrid);
    r.Int("LegacyCommonPoint", s.LegacyCommonPoint);
    r.Float("CommonXMin", s.CommonXMin);
    r.Float("CommonXMax", s.CommonXMax);
    r.Float("CommonXInc", s.CommonXInc);
    r.Float("CommonY", s.CommonY);
    r.Floats("Fx", s.Fx, 0);
    r.Flag("AutoGenerate", s.AutoGenerate);
    r.Hex("Reserved", s.Reserved);
    r.Float("MinSlipDepth", s.MinSlipDepth);
    r.Hex("Reserved2", s.Reserved2);
    r.Finish();
}

void ReadWedge(const Json& v, WedgeSettings& w)
{
    ObjectReader r(v, "Wedge");
    r.Int("UseDefaults", w.UseDefaults);
    r.Float("BaseWidthMin", w.BaseWidthMin);
    r.Float("BaseWidthMax", w.BaseWidthMax);
    r.Float("BaseWidthInc", w.BaseWidthInc);
    r.Float("BaseAngleMin", w.BaseAngleMin);
    r.Float("BaseAngleMax", w.BaseAngleMax);
    r.Float("RearAngleMin", w.RearAngleMin);
    r.Float("RearAngleMax", w.RearAngleMax);
    r.Float("AngleInc", w.AngleInc);
    r.Hex("Reserved", w.Reserved);
    r.Finish();
}

void ReadPrint(const Json& v, PrintOptions& print)
{
    if (!v.is_array() || v.size() != kPrintFlags)
        Fail("Print", "expected a list of 100 flags (elements 1 to 100)");
    for (std::size_t i = 1; i <= kPrintFlags; ++i)
        print[i] = ReadInteger(v[i - 1], Indexed("Print", i));
}

SoilRecord ReadSoil(const Json& v, const std::string& path)
{
    SoilRecord s;
    ObjectReader r(v, path);
    r.Text("Description", s.Description);
    s.Density = ReadFloat(r.Require("Density", "soil"), r.PathOf("Density"));
    s.Phi = ReadFloat(r.Require("Phi", "soil"), r.PathOf("Phi"));
    s.Cohesion = ReadFloat(r.Require("Cohesion", "soil"), r.PathOf("Cohesion"));
    r.Float("Ru", s.Ru);
    r.Float("Suction", s.Suction);
    ReadPoints(r, s.X, s.Y, s.PointCount, SoilRecord::kMaxPoints, 0, true, "soil");
    r.Floats("ReservedSingles", s.ReservedSingles, 0);
    r.Ints("ReservedIntegers", s.ReservedIntegers, 0);
    r.Finish();
    return s;
}

LoadRecord ReadLoad(const Json& v, const std::string& path)
{
    LoadRecord l;
    ObjectReader r(v, path);
    l.LoadType = ReadInteger(r.Require("LoadType", "load"), r.PathOf("LoadType"));
    l.Value = ReadFloat(r.Require("Value", "load"), r.PathOf("Value"));
    l.XMin = ReadFloat(r.Require("XMin", "load"), r.PathOf("XMin"));
    l.XMax = l.XMin; // a line, lateral or anchor load has no right end
    r.Float("XMax", l.XMax);
    r.Float("Y", l.Y);
    r.Float("Angle", l.Angle);
    r.Float("FreeLength", l.FreeLength);
    r.Float("FixedLength", l.FixedLength);
    r.Hex("Reserved", l.Reserved);
    r.Finish();
    return l;
}

ReinforcementBlock ReadBlock(const Json& v, const std::string& path)
{
    ReinforcementBlock b;
    ObjectReader r(v, path);
    auto required = [&](const char* key, Single& out) { out = ReadFloat(r.Require(key, "block"), r.PathOf(key)); };
    r.Text("Description", b.Description);
    required("Strength", b.Strength);
    required("Length", b.Length);
    required("FrictionCoefficient", b.FrictionCoefficient);
    r.Float("NailAngle", b.NailAngle);
    r.Float("NailSpacing", b.NailSpacing);
    required("VerticalSpacing", b.VerticalSpacing);
    required("BlockHeight", b.BlockHeight);
    required("BlockBase", b.BlockBase);
    r.Floats("ReservedSingles", b.ReservedSingles, 0);
    r.Ints("ReservedIntegers", b.ReservedIntegers, 0);
    r.Finish();
    return b;
}

/** The heads grid, rows 0..NY of NX + 1 values; its size is checked before anything is allocated. */
void ReadHeads(const Json* v, PiezoSettings& p, bool hasNY, bool hasNX, PiezoHeads& heads)
{
    if (!v) {
        if (p.NY != 0 || p.NX != 0)
            Fail("PiezoHeads", "missing: Piezo.NY and Piezo.NX call for " + std::to_string(p.NY + 1) + " rows of "
                                   + std::to_string(p.NX + 1) + " values");
        heads.Resize(0, 0);
        return;
    }
    if (!v->is_array() || v->empty())
        Fail("PiezoHeads", "expected a list of rows");
    if (!(*v)[0].is_array() || (*v)[0].empty())
        Fail("PiezoHeads[0]", "expected a row of values");
    if (!hasNY && v->size() - 1 <= static_cast<std::size_t>(kMaxCount))
        p.NY = static_cast<Integer>(v->size() - 1);
    if (!hasNX && (*v)[0].size() - 1 <= static_cast<std::size_t>(kMaxCount))
        p.NX = static_cast<Integer>((*v)[0].size() - 1);
    const auto rows = static_cast<std::size_t>(p.NY) + 1, cols = static_cast<std::size_t>(p.NX) + 1;
    if (v->size() != rows)
        Fail("PiezoHeads", "expected " + std::to_string(rows) + " rows (Piezo.NY + 1)");
    for (std::size_t row = 0; row < rows; ++row)
        if (!(*v)[row].is_array() || (*v)[row].size() != cols)
            Fail(Indexed("PiezoHeads", row), "expected a row of " + std::to_string(cols) + " values (Piezo.NX + 1)");
    heads.Resize(p.NY, p.NX);
    for (std::size_t row = 0; row < rows; ++row)
        for (std::size_t col = 0; col < cols; ++col)
            heads.At(static_cast<int>(row), static_cast<int>(col))
                = ReadFloat((*v)[row][col], Indexed(Indexed("PiezoHeads", row), col));
}

template <typename Record, typename ReadOne>
std::vector<Record> ReadList(const Json* v, const std::string& key, const std::string& what, ReadOne readOne)
{
    std::vector<Record> out;
    if (!v)
        return out;
    ExpectArray(*v, key, static_cast<std::size_t>(kMaxCount), what);
    out.reserve(v->size());
    for (std::size_t i = 1; i <= v->size(); ++i)
        out.push_back(readOne((*v)[i - 1], Indexed(key, i)));
    return out;
}

JsonJob ReadJob(const Json& root)
{
    JsonJob result;
    result.job = MakeDefaultJob();
    result.StoredVersion = ProgramVersion();
    Job& job = result.job;

    ObjectReader r(root, "");
    r.Float("StoredVersion", result.StoredVersion);
    if (result.StoredVersion < 2.0f)
        Fail("StoredVersion", "below 2.0: a reader would take the file for the older layout");
    if (const Json* v = r.Find("Header"))
        ReadHeader(*v, job.Header);
    if (const Json* v = r.Find("View"))
        ReadView(*v, job.View);
    if (const Json* v = r.Find("Factors"))
        ReadFactors(*v, job.Factors);
    if (const Json* v = r.Find("Water"))
        ReadWater(*v, job.Water);
    bool hasNY = false, hasNX = false;
    if (const Json* v = r.Find("Piezo"))
        ReadPiezo(*v, job.Piezo, hasNY, hasNX);
    if (const Json* v = r.Find("Slip"))
        ReadSlip(*v, job.Slip);
    if (const Json* v = r.Find("Wedge"))
        ReadWedge(*v, job.Wedge);
    if (const Json* v = r.Find("Print"))
        ReadPrint(*v, job.Print);
    job.Soils = ReadList<SoilRecord>(r.Find("Soils"), "Soils", "soils", ReadSoil);
    job.Loads = ReadList<LoadRecord>(r.Find("Loads"), "Loads", "loads", ReadLoad);
    job.Reinforcement = ReadList<ReinforcementBlock>(r.Find("Reinforcement"), "Reinforcement", "blocks", ReadBlock);
    ReadHeads(r.Find("PiezoHeads"), job.Piezo, hasNY, hasNX, job.Heads);
    job.UserPoints = ReadList<UserPoint>(r.Find("UserPoints"), "UserPoints", "points",
                                         [](const Json& v, const std::string& path) {
                                             auto [x, y] = ReadPair(v, path);
                                             return UserPoint{x, y};
                                         });
    r.Finish();
    return result;
}

/** Parses the text, refusing a field name given twice in one object (JSON would keep the last silently). */
Json Parse(std::string_view text)
{
    std::vector<std::set<std::string>> keysOfOpenObjects;
    auto callback = [&](int, nlohmann::json::parse_event_t event, Json& parsed) {
        using Event = nlohmann::json::parse_event_t;
        if (event == Event::object_start) {
            keysOfOpenObjects.emplace_back();
        } else if (event == Event::object_end) {
            keysOfOpenObjects.pop_back();
        } else if (event == Event::key && !keysOfOpenObjects.empty()) {
            const std::string& key = parsed.get_ref<const std::string&>();
            if (!keysOfOpenObjects.back().insert(key).second)
                Fail(key, "given twice in the same object");
        }
        return true;
    };
    return Json::parse(text.begin(), text.end(), callback);
}

} // namespace

std::string JobToJson(const Job& job, Single storedVersion)
{
    Json root;
    root["StoredVersion"] = FloatJson(storedVersion);
    root["Header"] = HeaderJson(job.Header);
    root["View"] = ViewJson(job.View);
    root["Factors"] = FactorsJson(job.Factors);
    root["Water"] = WaterJson(job.Water);
    root["Piezo"] = PiezoJson(job.Piezo, job.Heads);
    root["Slip"] = SlipJson(job.Slip);
    root["Wedge"] = WedgeJson(job.Wedge);
    root["Print"] = IntsJson(job.Print, 1);
    Json soils = Json::array(), loads = Json::array(), blocks = Json::array();
    for (const SoilRecord& soil : job.Soils)
        soils.push_back(SoilJson(soil));
    for (const LoadRecord& load : job.Loads)
        loads.push_back(LoadJson(load));
    for (const ReinforcementBlock& block : job.Reinforcement)
        blocks.push_back(BlockJson(block));
    root["Soils"] = soils;
    root["Loads"] = loads;
    root["Reinforcement"] = blocks;
    Json heads = Json::array();
    for (int row = 0; row <= job.Heads.NY(); ++row) {
        Json line = Json::array();
        for (int col = 0; col <= job.Heads.NX(); ++col)
            line.push_back(FloatJson(job.Heads.At(row, col)));
        heads.push_back(line);
    }
    root["PiezoHeads"] = heads;
    Json points = Json::array();
    for (const UserPoint& p : job.UserPoints)
        points.push_back(PairJson(p.X, p.Y));
    root["UserPoints"] = points;

    std::string text;
    AppendPretty(root, text, 0);
    text += '\n';
    return text;
}

std::optional<JsonJob> JobFromJson(std::string_view text, std::string& error)
{
    try {
        return ReadJob(Parse(text));
    } catch (const FieldError& e) {
        error = e.path + ": " + e.what;
    } catch (const nlohmann::json::exception& e) {
        // "[json.exception.parse_error.101] parse error at line 3, column 5: ..." without the bracketed tag.
        std::string what = e.what();
        if (auto close = what.find("] "); what.rfind("[json.exception", 0) == 0 && close != std::string::npos)
            what = what.substr(close + 2);
        error = "invalid JSON: " + what;
    }
    return std::nullopt;
}

} // namespace clv::cli
