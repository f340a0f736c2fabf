#include "job_json.h"

#include "model/fixed_text.h"
#include "model/job_fields.h"

#include <nlohmann/json.hpp>

#include <algorithm>
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

bool IsZero(Single value)
{
    return std::bit_cast<std::uint32_t>(value) == 0; // -0.0 is not zero here: its sign bit is kept
}

template <typename T> bool IsZero(T value)
{
    return value == 0;
}

template <typename T, std::size_t N> bool AllZero(const std::array<T, N>& values)
{
    return std::all_of(values.begin(), values.end(), [](T v) { return IsZero(v); });
}

Json ValueJson(Single value)
{
    return FloatJson(value);
}

Json ValueJson(Integer value)
{
    return value;
}

template <typename T, std::size_t N> Json ArrayJson(const std::array<T, N>& values, std::size_t first = 0)
{
    Json out = Json::array();
    for (std::size_t i = first; i < N; ++i)
        out.push_back(ValueJson(values[i]));
    return out;
}

Json PairJson(Single x, Single y)
{
    return Json::array({FloatJson(x), FloatJson(y)});
}

/** Writes a record's fields as the members of one object; the field visitor of model/job_fields.h. */
class JsonWriter {
public:
    /** `heads`: the grid whose dimensions the piezometric settings write. */
    explicit JsonWriter(const PiezoHeads* heads) : heads_(heads) {}
    Json Take() { return std::move(out_); }

    void Int(const char* name, Integer value) { out_[name] = value; }
    void Flag(const char* name, Integer value) { out_[name] = FlagJson(value); }
    void Float(const char* name, Single value) { out_[name] = FloatJson(value); }
    template <std::size_t N> void Text(const char* name, const FixedText<N>& text)
    {
        out_[name] = text.Trimmed(); // the blanks that pad the field come back when the text is stored
    }
    template <std::size_t N> void Floats(const char* name, const std::array<Single, N>& values)
    {
        out_[name] = ArrayJson(values);
    }

    // What the program does not use appears only when it holds something; bytes are written as hex.
    template <std::size_t N> void Reserved(const char* name, const ReservedBytes<N>& bytes)
    {
        if (!AllZero(bytes))
            out_[name] = HexJson(bytes);
    }
    template <typename T, std::size_t N> void Reserved(const char* name, const std::array<T, N>& values)
    {
        if (!AllZero(values))
            out_[name] = ArrayJson(values);
    }
    void Reserved(const char* name, Single value)
    {
        if (!IsZero(value))
            Float(name, value);
    }

    /** The points 1..count, and the other slots the file keeps when any of them holds a value. */
    template <std::size_t N>
    void Points(const char* name, Integer count, const std::array<Single, N>& xs, const std::array<Single, N>& ys,
                std::size_t firstSlot, int)
    {
        Json points = Json::array();
        for (int j = 1; j <= count; ++j)
            points.push_back(PairJson(xs[j], ys[j]));
        out_[name] = points;
        Json unused = Json::object();
        for (std::size_t slot = firstSlot; slot < N; ++slot) {
            if (slot >= 1 && slot <= static_cast<std::size_t>(count))
                continue;
            if (!IsZero(xs[slot]) || !IsZero(ys[slot]))
                unused[std::to_string(slot)] = PairJson(xs[slot], ys[slot]);
        }
        if (!unused.empty())
            out_["UnusedSlots"] = unused;
    }

    // The counts are the lengths of the lists; the grid's size is that of the grid itself.
    void Count(const char*, Integer HeaderCounts::*) {}
    void GridSize(const char* name, Integer, int (PiezoHeads::*size)() const) { out_[name] = (heads_->*size)(); }

private:
    Json out_ = Json::object();
    const PiezoHeads* heads_;
};

template <typename Record> Json RecordJson(const Record& record, const PiezoHeads* heads = nullptr)
{
    JsonWriter writer(heads);
    VisitFields(record, writer);
    return writer.Take();
}

template <typename Record> Json ListJson(const std::vector<Record>& records)
{
    Json out = Json::array();
    for (const Record& record : records)
        out.push_back(RecordJson(record));
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

void ReadValue(const Json& v, const std::string& path, Single& out)
{
    out = ReadFloat(v, path);
}

void ReadValue(const Json& v, const std::string& path, Integer& out)
{
    out = ReadInteger(v, path);
}

/** What every soil, load or block must give: without these fields the record means nothing. */
struct ItemRules {
    const char* owner; // for "missing (every soil needs it)"
    std::array<std::string_view, 6> required;
};

constexpr ItemRules kSoilRules{"soil", {"Density", "Phi", "Cohesion", "Points"}};
constexpr ItemRules kLoadRules{"load", {"LoadType", "Value", "XMin"}};
constexpr ItemRules kBlockRules{
    "block", {"Strength", "Length", "FrictionCoefficient", "VerticalSpacing", "BlockHeight", "BlockBase"}};

/**
 * Reads the fields of one JSON object by name; the field visitor of
 * model/job_fields.h. A field that is not given keeps the record's value, unless
 * the rules of a list item require it. Fields it is not asked for are an error
 * (Finish), so a misspelt field name never goes unnoticed.
 */
class ObjectReader {
public:
    ObjectReader(const Json& object, std::string path, const ItemRules* rules = nullptr)
        : object_(object), path_(std::move(path)), rules_(rules)
    {
        if (!object_.is_object())
            Fail(path_.empty() ? "(top level)" : path_, "expected an object { ... }");
    }

    std::string PathOf(const std::string& key) const { return Join(path_, key); }
    bool Given(const std::string& key) const { return object_.contains(key); }

    const Json* Find(const std::string& key)
    {
        known_.insert(key);
        auto it = object_.find(key);
        return it == object_.end() ? nullptr : &*it;
    }

    void Int(const char* key, Integer& out)
    {
        if (const Json* v = Field(key))
            out = ReadInteger(*v, PathOf(key));
    }
    void Flag(const char* key, Integer& out)
    {
        if (const Json* v = Field(key))
            out = ReadFlag(*v, PathOf(key));
    }
    void Float(const char* key, Single& out)
    {
        if (const Json* v = Field(key))
            out = ReadFloat(*v, PathOf(key));
    }
    template <std::size_t N> void Text(const char* key, FixedText<N>& out)
    {
        if (const Json* v = Field(key))
            out = ReadText<N>(*v, PathOf(key));
    }
    template <std::size_t N> void Floats(const char* key, std::array<Single, N>& out) { List(key, out); }
    template <std::size_t N> void Reserved(const char* key, ReservedBytes<N>& out)
    {
        if (const Json* v = Field(key))
            out = ReadHex<N>(*v, PathOf(key));
    }
    template <typename T, std::size_t N> void Reserved(const char* key, std::array<T, N>& out) { List(key, out); }
    void Reserved(const char* key, Single& out) { Float(key, out); }

    /**
     * "Points" (1..count, at most maxPoints) and "UnusedSlots" (the other slots the
     * file keeps, from firstSlot to N - 1) of a soil or the water surface.
     */
    template <std::size_t N>
    void Points(const char* key, Integer& count, std::array<Single, N>& xs, std::array<Single, N>& ys,
                std::size_t firstSlot, int maxPoints)
    {
        if (const Json* points = Field(key)) {
            const std::string path = PathOf(key);
            ExpectArray(*points, path, static_cast<std::size_t>(maxPoints), "points");
            count = static_cast<Integer>(points->size());
            for (std::size_t j = 1; j <= points->size(); ++j)
                std::tie(xs[j], ys[j]) = ReadPair((*points)[j - 1], Indexed(path, j));
        }
        if (const Json* unused = Find("UnusedSlots")) {
            const std::string path = PathOf("UnusedSlots");
            if (!unused->is_object())
                Fail(path, "expected an object of slot numbers, e.g. {\"0\": [x, y]}");
            for (const auto& item : unused->items()) {
                const std::string& slotKey = item.key();
                std::size_t slot = 0;
                auto [end, ec] = std::from_chars(slotKey.data(), slotKey.data() + slotKey.size(), slot);
                const bool isNumber = ec == std::errc() && end == slotKey.data() + slotKey.size() && !slotKey.empty();
                if (!isNumber || slot < firstSlot || slot >= N)
                    Fail(path + "." + slotKey, "not a slot number from " + std::to_string(firstSlot) + " to "
                                                   + std::to_string(N - 1));
                if (slot >= 1 && slot <= static_cast<std::size_t>(count))
                    Fail(path + "." + slotKey, "slot " + slotKey + " holds a point of Points");
                std::tie(xs[slot], ys[slot]) = ReadPair(item.value(), path + "." + slotKey);
            }
        }
    }

    // The counts are the lengths of the lists; the grid's size is checked against the grid by ReadHeads.
    void Count(const char*, Integer HeaderCounts::*) {}
    void GridSize(const char* key, Integer& out, int (PiezoHeads::*)() const) { Int(key, out); }

    void Finish() const
    {
        for (const auto& item : object_.items())
            if (!known_.count(item.key()))
                Fail(PathOf(item.key()), "unknown field");
    }

private:
    /** An array field, listed in full. */
    template <typename T, std::size_t N> void List(const char* key, std::array<T, N>& out)
    {
        if (const Json* v = Field(key)) {
            if (!v->is_array() || v->size() != N)
                Fail(PathOf(key), "expected a list of " + std::to_string(N) + " values");
            for (std::size_t i = 0; i < N; ++i)
                ReadValue((*v)[i], Indexed(PathOf(key), i), out[i]);
        }
    }

    /** The value of a field of the record; nothing when it is not given and need not be. */
    const Json* Field(const char* key)
    {
        const Json* v = Find(key);
        if (!v && rules_ && std::find(rules_->required.begin(), rules_->required.end(), key) != rules_->required.end())
            Fail(PathOf(key), std::string("missing (every ") + rules_->owner + " needs it)");
        return v;
    }

    const Json& object_;
    std::string path_;
    const ItemRules* rules_;
    std::set<std::string> known_;
};

/** One of the fixed records, when the job gives it, read over the values the record already holds. */
template <typename Record> void ReadSection(ObjectReader& job, const char* key, Record& record)
{
    if (const Json* v = job.Find(key)) {
        ObjectReader r(*v, key);
        VisitFields(record, r);
        r.Finish();
    }
}

/** The grid settings; `hasNY`/`hasNX` tell whether the dimensions were given. */
void ReadPiezo(const Json& v, PiezoSettings& p, bool& hasNY, bool& hasNX)
{
    ObjectReader r(v, "Piezo");
    VisitFields(p, r);
    hasNY = r.Given("NY");
    hasNX = r.Given("NX");
    if (p.NY < 0)
        Fail("Piezo.NY", "must not be negative");
    if (p.NX < 0)
        Fail("Piezo.NX", "must not be negative");
    r.Finish();
}

/** A soil, load or block of its list: a new record with the fields given. */
template <typename Record, const ItemRules& rules> Record ReadItem(const Json& v, const std::string& path)
{
    Record record;
    ObjectReader r(v, path, &rules);
    VisitFields(record, r);
    if constexpr (std::is_same_v<Record, LoadRecord>) {
        if (!r.Given("XMax"))
            record.XMax = record.XMin; // a line, lateral or anchor load has no right end
    }
    r.Finish();
    return record;
}

void ReadPrint(const Json& v, PrintOptions& print)
{
    if (!v.is_array() || v.size() != kPrintFlags)
        Fail("Print", "expected a list of 100 flags (elements 1 to 100)");
    for (std::size_t i = 1; i <= kPrintFlags; ++i)
        print[i] = ReadInteger(v[i - 1], Indexed("Print", i));
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
    ReadSection(r, "Header", job.Header);
    ReadSection(r, "View", job.View);
    ReadSection(r, "Factors", job.Factors);
    ReadSection(r, "Water", job.Water);
    bool hasNY = false, hasNX = false;
    if (const Json* v = r.Find("Piezo"))
        ReadPiezo(*v, job.Piezo, hasNY, hasNX);
    ReadSection(r, "Slip", job.Slip);
    ReadSection(r, "Wedge", job.Wedge);
    if (const Json* v = r.Find("Print"))
        ReadPrint(*v, job.Print);
    job.Soils = ReadList<SoilRecord>(r.Find("Soils"), "Soils", "soils", ReadItem<SoilRecord, kSoilRules>);
    job.Loads = ReadList<LoadRecord>(r.Find("Loads"), "Loads", "loads", ReadItem<LoadRecord, kLoadRules>);
    job.Reinforcement = ReadList<ReinforcementBlock>(r.Find("Reinforcement"), "Reinforcement", "blocks",
                                                    ReadItem<ReinforcementBlock, kBlockRules>);
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
    root["Header"] = RecordJson(job.Header);
    root["View"] = RecordJson(job.View);
    root["Factors"] = RecordJson(job.Factors);
    root["Water"] = RecordJson(job.Water);
    root["Piezo"] = RecordJson(job.Piezo, &job.Heads);
    root["Slip"] = RecordJson(job.Slip);
    root["Wedge"] = RecordJson(job.Wedge);
    root["Print"] = ArrayJson(job.Print, 1);
    root["Soils"] = ListJson(job.Soils);
    root["Loads"] = ListJson(job.Loads);
    root["Reinforcement"] = ListJson(job.Reinforcement);
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
