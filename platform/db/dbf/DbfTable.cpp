#include "platform/db/dbf/DbfTable.h"

#include "platform/base/Error.h"
#include "platform/db/AdoCodes.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <charconv>
#include <cstring>
#include <fmt/format.h>

namespace db::dbf {
namespace {

constexpr std::string_view kSource = "dBase";
constexpr std::size_t kMinimumHeader = 32;
constexpr std::size_t kDescriptorSize = 32;
constexpr char kHeaderEnd = '\x0D';
constexpr unsigned char kEndOfFile = 0x1A;
constexpr std::uint8_t kNullable = 0x02;
constexpr std::size_t kBufferBytes = 64 * 1024;

// Julian day number of the day our dates count from (1899-12-30); VFP's datetimes count Julian days.
constexpr std::int64_t kJulianDayZero = 2415019;

bool isVisualFoxPro(std::uint8_t version) { return version == 0x30 || version == 0x31; }

bool knownVersion(std::uint8_t version)
{
    switch (version) {
    case 0x02: case 0x03: case 0x04: case 0x05: case 0x30: case 0x31: case 0x83: case 0x8B: case 0xF5: case 0xFB:
        return true;
    default:
        return false;
    }
}

std::uint32_t littleEndian(const unsigned char* p, int bytes)
{
    std::uint32_t value = 0;
    for (int i = bytes - 1; i >= 0; --i) value = (value << 8) | p[i];
    return value;
}

bool sameIgnoringCase(std::string_view a, std::string_view b)
{
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](unsigned char x, unsigned char y) {
               return std::tolower(x) == std::tolower(y);
           });
}

// Bytes shown in a message: printable ASCII as it is, anything else as "?", so a message stays one line.
std::string shown(std::string_view bytes)
{
    std::string out;
    for (char c : bytes) out += (c >= 0x20 && c < 0x7F) ? c : '?';
    return out;
}

bool allOf(std::string_view bytes, std::string_view allowed)
{
    return bytes.find_first_not_of(allowed) == std::string_view::npos;
}

[[noreturn]] void unreadable(std::string what) { throw Unreadable{std::move(what)}; }

// N and F fields: right-aligned decimal text, read digit by digit so nothing is lost to binary fractions.
base::Value readNumber(std::string_view raw, std::uint32_t decimals)
{
    std::size_t begin = 0, end = raw.size();
    while (begin < end && (raw[begin] == ' ' || raw[begin] == '\0')) ++begin;
    while (end > begin && (raw[end - 1] == ' ' || raw[end - 1] == '\0')) --end;
    if (begin == end) return base::Value::null();
    const std::string_view text = raw.substr(begin, end - begin);

    std::size_t i = 0;
    bool negative = false;
    if (text[i] == '+' || text[i] == '-') negative = text[i++] == '-';
    const auto digitsFrom = [&](std::size_t from) {
        while (i < text.size() && text[i] >= '0' && text[i] <= '9') ++i;
        return text.substr(from, i - from);
    };
    std::string_view whole = digitsFrom(i), fraction;
    if (i < text.size() && text[i] == '.') fraction = digitsFrom(++i);
    bool exponent = false;
    if (i < text.size() && (text[i] == 'e' || text[i] == 'E') && !(whole.empty() && fraction.empty())) {
        ++i;
        if (i < text.size() && (text[i] == '+' || text[i] == '-')) ++i;
        exponent = !digitsFrom(i).empty();
        if (!exponent) i = text.size() + 1;  // "1E" is not a number
    }
    if (i != text.size() || (whole.empty() && fraction.empty())) unreadable(fmt::format("unreadable number \"{}\"", shown(raw)));

    while (!whole.empty() && whole.front() == '0') whole.remove_prefix(1);
    while (!fraction.empty() && fraction.back() == '0') fraction.remove_suffix(1);
    if (!exponent) {
        if (decimals == 0 && fraction.empty() && whole.size() <= 18) {
            std::int64_t value = 0;
            for (char c : whole) value = value * 10 + (c - '0');
            return static_cast<long long>(negative ? -value : value);
        }
        if (decimals >= 1 && decimals <= 4 && fraction.size() <= 4 && whole.size() <= 11) {
            std::int64_t scaled = 0;
            for (char c : whole) scaled = scaled * 10 + (c - '0');
            for (std::size_t k = 0; k < 4; ++k) scaled = scaled * 10 + (k < fraction.size() ? fraction[k] - '0' : 0);
            return base::Currency::fromScaled(negative ? -scaled : scaled);
        }
    }
    std::string plain(text);
    if (plain.front() == '+') plain.erase(0, 1);
    double value = 0;
    const auto [stop, error] = std::from_chars(plain.data(), plain.data() + plain.size(), value);
    if (error != std::errc() || stop != plain.data() + plain.size())
        unreadable(fmt::format("number \"{}\" is out of range", shown(raw)));
    return value;
}

base::Value readDate(std::string_view raw)
{
    if (allOf(raw, std::string_view(" 0\0", 3))) return base::Value::null();
    if (raw.size() != 8 || !allOf(raw, "0123456789")) unreadable(fmt::format("unreadable date \"{}\"", shown(raw)));
    const auto number = [&](std::size_t from, std::size_t count) {
        int value = 0;
        for (std::size_t k = from; k < from + count; ++k) value = value * 10 + (raw[k] - '0');
        return value;
    };
    try {
        return base::DateTime::fromParts(number(0, 4), number(4, 2), number(6, 2));
    } catch (const base::Error&) {
        unreadable(fmt::format("\"{}\" is not a date", shown(raw)));
    }
}

base::Value readDateTime(const unsigned char* bytes)
{
    const auto day = static_cast<std::int32_t>(littleEndian(bytes, 4));
    const std::uint32_t milliseconds = littleEndian(bytes + 4, 4);
    if (day == 0 && milliseconds == 0) return base::Value::null();
    if (allOf(std::string_view(reinterpret_cast<const char*>(bytes), 8), " ")) return base::Value::null();
    static const std::int64_t firstDay = base::DateTime::fromParts(100, 1, 1).seconds() / 86400 + kJulianDayZero;
    static const std::int64_t lastDay = base::DateTime::fromParts(9999, 12, 31).seconds() / 86400 + kJulianDayZero;
    if (day < firstDay || day > lastDay || milliseconds >= 86400000u)
        unreadable(fmt::format("unreadable date and time (day {}, millisecond {})", day, milliseconds));
    // VFP keeps milliseconds; our dates keep seconds, the nearest one.
    return base::DateTime::fromSeconds((day - kJulianDayZero) * 86400 + (milliseconds + 500) / 1000);
}

base::Value readLogical(char c)
{
    switch (c) {
    case 'T': case 't': case 'Y': case 'y': return true;
    case 'F': case 'f': case 'N': case 'n': return false;
    case ' ': case '?': case '\0': return base::Value::null();
    default: unreadable(fmt::format("unreadable logical value \"{}\"", shown(std::string_view(&c, 1))));
    }
}

// A memo field holds its first block: ten digits (dBase, FoxPro 2) or, in VFP, a four-byte integer.
std::uint64_t memoBlock(std::string_view raw)
{
    if (raw.size() == 4) return littleEndian(reinterpret_cast<const unsigned char*>(raw.data()), 4);
    std::size_t begin = 0, end = raw.size();
    while (begin < end && (raw[begin] == ' ' || raw[begin] == '\0')) ++begin;
    while (end > begin && (raw[end - 1] == ' ' || raw[end - 1] == '\0')) --end;
    std::uint64_t block = 0;
    for (std::size_t k = begin; k < end; ++k) {
        if (raw[k] < '0' || raw[k] > '9' || block > 1'000'000'000'000ull)
            unreadable(fmt::format("unreadable memo pointer \"{}\"", shown(raw)));
        block = block * 10 + static_cast<std::uint64_t>(raw[k] - '0');
    }
    return block;
}

// Whether a field type has a fixed width, and which.
std::optional<std::uint32_t> fixedWidth(char type)
{
    switch (type) {
    case 'D': return 8;
    case 'L': return 1;
    case 'I': return 4;
    case 'Y': return 8;
    case 'T': return 8;
    case 'B': return 8;
    default: return std::nullopt;
    }
}

}  // namespace

std::optional<base::CodePage> codePageOfDriver(std::uint8_t languageDriver)
{
    using base::CodePage;
    switch (languageDriver) {
    // No mark: the legacy system's DOS programs wrote CP850.
    case 0x00: return CodePage::Cp850;
    case 0x01: case 0x09: case 0x0B: case 0x0D: case 0x0F: case 0x11: case 0x15: case 0x18: case 0x19: case 0x1B:
        return CodePage::Cp437;
    case 0x02: case 0x0A: case 0x0E: case 0x10: case 0x12: case 0x14: case 0x16: case 0x1A: case 0x1D: case 0x25:
    case 0x37:
        return CodePage::Cp850;
    case 0x1F: case 0x22: case 0x23: case 0x40: case 0x64: return CodePage::Cp852;
    case 0x03: case 0x57: case 0x58: case 0x59: return CodePage::Cp1252;
    case 0xC8: return CodePage::Cp1250;
    default: return std::nullopt;
    }
}

void DbfTable::fail(const std::string& what) const
{
    throw base::Error(hresult::kUnspecified, fmt::format("dBase table {}: {}", name(), what), std::string(kSource));
}

void DbfTable::fail(std::uint32_t recordNumber, const std::string& what) const
{
    fail(fmt::format("record {}: {}", recordNumber, what));
}

void DbfTable::fail(std::uint32_t recordNumber, const DbfField& field, const std::string& what) const
{
    fail(fmt::format("record {}, field {}: {}", recordNumber, field.name, what));
}

std::shared_ptr<const DbfTable> DbfTable::read(std::unique_ptr<ByteSource> table, std::unique_ptr<ByteSource> memo,
                                               std::optional<base::CodePage> codePage)
{
    std::shared_ptr<DbfTable> result(new DbfTable());
    result->source_ = std::move(table);
    result->readHeader(codePage);

    const bool needsMemo = std::any_of(result->fields_.begin(), result->fields_.end(),
                                       [](const DbfField& f) { return f.type == 'M'; });
    if (needsMemo) {
        if (!memo) {
            const std::string stem = std::filesystem::path(result->name()).stem().string();
            result->fail(fmt::format("it has memo fields but its memo file ({0}.fpt or {0}.dbt) is missing", stem));
        }
        const std::string extension = std::filesystem::path(memo->name()).extension().string();
        const auto kind = sameIgnoringCase(extension, ".fpt") ? MemoFile::Kind::Fpt : MemoFile::Kind::Dbt;
        result->memo_ = std::make_unique<MemoFile>(std::move(memo), kind);
    }
    return result;
}

void DbfTable::readHeader(std::optional<base::CodePage> codePage)
{
    std::array<unsigned char, kMinimumHeader> head{};
    const std::uint64_t size = source_->size();
    if (size < kMinimumHeader || source_->read(0, head.data(), head.size()) < head.size())
        fail(fmt::format("the header is truncated: the file has {} bytes, a header needs at least {}", size,
                         kMinimumHeader));
    version_ = head[0];
    if (!knownVersion(version_))
        fail(fmt::format("not a dBase table this program reads (version byte 0x{:02X})", version_));
    recordCount_ = littleEndian(&head[4], 4);
    headerLength_ = littleEndian(&head[8], 2);
    recordLength_ = littleEndian(&head[10], 2);
    if (headerLength_ < kMinimumHeader + 1)
        fail(fmt::format("the header length {} is too short to describe any field", headerLength_));
    if (headerLength_ > size)
        fail(fmt::format("the header is truncated: it declares {} bytes, the file has {}", headerLength_, size));
    if (recordLength_ == 0) fail("the header gives records a length of 0");

    const auto page = codePage ? codePage : codePageOfDriver(head[29]);
    if (!page)
        fail(fmt::format("its language driver 0x{:02X} names a code page this program does not read; set "
                         "MIGRA_DBF_CODEPAGE to the right one (437, 850, 852, 1250 or 1252)",
                         head[29]));
    codePage_ = *page;

    std::string header(headerLength_, '\0');
    if (source_->read(0, header.data(), header.size()) < header.size())
        fail(fmt::format("the header is truncated: it declares {} bytes, the file has fewer", headerLength_));
    readFields(header);
    checkSize();
}

void DbfTable::readFields(const std::string& header)
{
    std::uint32_t offset = 1;  // after the deletion flag
    const DbfField* nullFlags = nullptr;
    std::vector<std::uint8_t> flags;
    std::vector<DbfField> all;
    std::size_t at = kMinimumHeader;
    for (; at < header.size() && header[at] != kHeaderEnd; at += kDescriptorSize) {
        if (at + kDescriptorSize > header.size())
            fail(fmt::format("the header is truncated inside the description of field {}", all.size() + 1));
        const auto* d = reinterpret_cast<const unsigned char*>(header.data() + at);
        DbfField field;
        const auto* nameEnd = static_cast<const unsigned char*>(std::memchr(d, 0, 11));
        field.name = text(reinterpret_cast<const char*>(d), nameEnd ? static_cast<std::size_t>(nameEnd - d) : 11);
        while (!field.name.empty() && field.name.back() == ' ') field.name.pop_back();
        field.type = static_cast<char>(std::toupper(d[11]));
        field.length = d[16];
        field.decimals = d[17];
        // FoxPro and Clipper keep the high byte of a long character field's width in its decimals.
        if (field.type == 'C' && !isVisualFoxPro(version_)) {
            field.length |= field.decimals << 8;
            field.decimals = 0;
        }
        field.offset = offset;
        const std::size_t number = all.size() + 1;
        if (field.name.empty()) fail(fmt::format("field {} has no name", number));
        if (field.length == 0) fail(fmt::format("field {} has a width of 0", field.name));
        if (const auto width = fixedWidth(field.type); width && field.length != *width)
            fail(fmt::format("field {} of type {} has width {}, its type needs {}", field.name, field.type, field.length,
                             *width));
        switch (field.type) {
        case 'C': case 'N': case 'F': case 'D': case 'L': case 'I': case 'Y': case 'T': case 'B': case '0': break;
        case 'M':
            if (field.length != 10 && field.length != 4)
                fail(fmt::format("memo field {} has width {}, memo pointers take 10 or 4", field.name, field.length));
            break;
        default:
            fail(fmt::format("field {} has type \"{}\", which this program does not read", field.name,
                             shown(std::string_view(&field.type, 1))));
        }
        offset += field.length;
        all.push_back(std::move(field));
        flags.push_back(d[18]);
    }
    if (all.empty()) fail("the header describes no fields");
    if (offset > recordLength_)
        fail(fmt::format("its fields take {} bytes but its records are {} bytes long", offset, recordLength_));

    for (const DbfField& field : all)
        if (field.type == '0') nullFlags = &field;
    int nextBit = 0;
    for (std::size_t i = 0; i < all.size(); ++i) {
        DbfField& field = all[i];
        if (field.type == '0') continue;
        for (const DbfField& earlier : fields_)
            if (sameIgnoringCase(earlier.name, field.name)) fail(fmt::format("field {} appears twice", field.name));
        // VFP numbers the nullable fields in order, one bit each, in the hidden _NullFlags field.
        if (nullFlags && (flags[i] & kNullable)) {
            if (static_cast<std::uint32_t>(nextBit) >= nullFlags->length * 8)
                fail(fmt::format("field {} has no bit left in _NullFlags", field.name));
            field.nullBit = nextBit++;
        }
        fields_.push_back(field);
    }
    if (nullFlags) {
        nullFlagsOffset_ = nullFlags->offset;
        nullFlagsLength_ = nullFlags->length;
    }
}

void DbfTable::checkSize() const
{
    const std::uint64_t size = source_->size();
    const std::uint64_t expected = headerLength_ + std::uint64_t{recordCount_} * recordLength_;
    if (size < expected) {
        const std::uint64_t complete = (size - headerLength_) / recordLength_;
        std::uint64_t partial = (size - headerLength_) % recordLength_;
        unsigned char last = 0;
        // A lone end-of-file mark after the last whole record is not part of a record.
        if (partial == 1 && source_->read(size - 1, &last, 1) == 1 && last == kEndOfFile) partial = 0;
        if (complete + 1 == recordCount_ && partial > 0)
            fail(static_cast<std::uint32_t>(recordCount_),
                 fmt::format("the file is truncated: the file ends {} bytes into this last record of {} bytes", partial,
                             recordLength_));
        fail(fmt::format("the header counts {} records of {} bytes but the file holds only {} (it is truncated, or "
                         "its record count is wrong); record {} is {}",
                         recordCount_, recordLength_, complete, complete + 1, partial ? "cut short" : "missing"));
    }
    // Whole records past the counted ones mean the count is stale, unless an end-of-file mark closes the table.
    if (size - expected >= recordLength_) {
        unsigned char mark = 0;
        source_->read(expected, &mark, 1);
        if (mark != kEndOfFile)
            fail(fmt::format("the header counts {} records but the file holds {} whole records: its record count "
                             "is wrong",
                             recordCount_, (size - headerLength_) / recordLength_));
    }
}

std::string DbfTable::text(const char* bytes, std::size_t length) const
{
    const std::string_view raw(bytes, length);
    // Most bytes are ASCII, the same in every code page.
    if (std::all_of(raw.begin(), raw.end(), [](char c) { return static_cast<unsigned char>(c) < 0x80; }))
        return std::string(raw);
    return base::toUtf8(raw, codePage_);
}

std::uint32_t DbfTable::liveRecordCount() const
{
    if (!liveRecords_) {
        std::uint32_t live = 0;
        const std::uint32_t perBlock = std::max<std::uint32_t>(1, kBufferBytes / recordLength_);
        std::vector<char> buffer(std::size_t{perBlock} * recordLength_);
        for (std::uint32_t first = 0; first < recordCount_; first += perBlock) {
            const std::uint32_t count = std::min(perBlock, recordCount_ - first);
            readRecords(first, count, buffer.data());
            for (std::uint32_t k = 0; k < count; ++k) live += buffer[std::size_t{k} * recordLength_] != '*';
        }
        liveRecords_ = live;
    }
    return *liveRecords_;
}

void DbfTable::readRecords(std::uint32_t first, std::uint32_t count, char* buffer) const
{
    const std::size_t bytes = std::size_t{count} * recordLength_;
    const std::size_t got = source_->read(headerLength_ + std::uint64_t{first} * recordLength_, buffer, bytes);
    if (got < bytes)
        fail(static_cast<std::uint32_t>(first + got / recordLength_ + 1),
             "the file is truncated: it ends inside this record (it was cut short after being opened)");
}

base::Value DbfTable::value(const char* record, std::size_t index, std::uint32_t recordNumber) const
{
    const DbfField& field = fields_.at(index);
    if (field.nullBit >= 0) {
        const auto byte = static_cast<unsigned char>(record[nullFlagsOffset_ + static_cast<std::uint32_t>(field.nullBit) / 8]);
        if (byte & (1u << (field.nullBit % 8))) return base::Value::null();
    }
    const char* bytes = record + field.offset;
    const auto* unsignedBytes = reinterpret_cast<const unsigned char*>(bytes);
    try {
        switch (field.type) {
        case 'C': return text(bytes, field.length);
        case 'N':
        case 'F': return readNumber(std::string_view(bytes, field.length), field.decimals);
        case 'D': return readDate(std::string_view(bytes, field.length));
        case 'T': return readDateTime(unsignedBytes);
        case 'L': return readLogical(bytes[0]);
        case 'I': return static_cast<long long>(static_cast<std::int32_t>(littleEndian(unsignedBytes, 4)));
        case 'Y': {
            std::int64_t scaled = 0;
            std::memcpy(&scaled, bytes, 8);  // little-endian, like every machine this runs on
            return base::Currency::fromScaled(scaled);
        }
        case 'B': {
            double number = 0;
            std::memcpy(&number, bytes, 8);
            return number;
        }
        case 'M': {
            const std::string memo = memo_->read(memoBlock(std::string_view(bytes, field.length)));
            return text(memo.data(), memo.size());
        }
        default: break;
        }
    } catch (const Unreadable& problem) {
        fail(recordNumber, field, problem.what);
    }
    fail(recordNumber, field, fmt::format("type {} cannot be read", field.type));
}

DbfRecords::DbfRecords(std::shared_ptr<const DbfTable> table, bool includeDeleted)
    : table_(std::move(table)), includeDeleted_(includeDeleted),
      capacity_(std::max<std::uint32_t>(1, kBufferBytes / table_->recordLength()))
{
    buffer_.resize(std::size_t{capacity_} * table_->recordLength());
}

void DbfRecords::rewind()
{
    started_ = false;
    current_ = 0;
}

bool DbfRecords::next()
{
    std::uint32_t candidate = started_ ? current_ + 1 : 0;
    started_ = true;
    for (; candidate < table_->recordCount(); ++candidate) {
        if (candidate < first_ || candidate >= first_ + loaded_) {
            first_ = candidate;
            loaded_ = std::min(capacity_, table_->recordCount() - candidate);
            table_->readRecords(first_, loaded_, buffer_.data());
        }
        current_ = candidate;
        const char flag = *record();
        if (flag == ' ' || (flag == '*' && includeDeleted_)) return true;
        if (flag != '*')
            table_->fail(recordNumber(), fmt::format("unreadable deletion flag 0x{:02X}: the record is not where the "
                                                     "header says records are",
                                                     static_cast<unsigned char>(flag)));
    }
    current_ = table_->recordCount();
    return false;
}

}  // namespace db::dbf
