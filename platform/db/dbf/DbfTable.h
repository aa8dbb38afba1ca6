#pragma once
// A dBase table read as it lies on disk: dBase III/IV/5, FoxBASE, FoxPro 2 and Visual FoxPro (version
// bytes 02 03 04 05 30 31 83 8B F5 FB), field types C N F D L M I Y T B, VFP's hidden _NullFlags field,
// memos in .dbt or .fpt files, texts in the table's code page. Records are read a block at a time, never
// the whole table, so a table of a million records costs no more memory than one of ten.
//
// Values, as the imports read them:
//   C  the text as stored, trailing blanks kept, decoded to UTF-8
//   N F  parsed exactly from their digits: with no decimals an Integer; with 1 to 4 decimals a Currency
//      (exact, four decimals like the ERP's amounts) while it stays below 10^11 in magnitude, so it also
//      passes through SQLite's doubles unchanged; otherwise (more decimals, larger values, an exponent)
//      the nearest Double. Blank is Null.
//   D  a DateTime at midnight; blank or zeros is Null
//   T  (VFP) a DateTime to the nearest second; zero is Null
//   L  Boolean (T Y true, F N false); blank or "?" is Null
//   I  Integer; Y Currency (VFP's scaled integer); B Double (VFP's 8-byte double)
//   M  the memo's text decoded to UTF-8; "" when the record has none
// A VFP field whose bit is set in _NullFlags is Null whatever it holds. A field of another type (G, P, V,
// Q, W, dBase's binary B) makes the table unreadable, with an error naming the field.
//
// Anything else is an error naming file, record and field: a number such as "12a.4", a date such as
// "20051340", a memo pointer past the memo file's end, a header that is cut short, a record count that
// the file's size cannot hold. A value is never guessed and never read as 0.

#include "platform/base/CodePages.h"
#include "platform/base/Value.h"
#include "platform/db/dbf/ByteSource.h"
#include "platform/db/dbf/MemoFile.h"

#include <cstdint>
#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace db::dbf {

struct DbfField {
    std::string name;          // as stored (UTF-8)
    char type = 'C';
    std::uint32_t length = 0;
    std::uint32_t decimals = 0;
    std::uint32_t offset = 0;  // from the start of the record; byte 0 is the deletion flag
    int nullBit = -1;          // the field's bit in _NullFlags; -1 when it cannot be Null that way
};

class DbfTable {
public:
    // Opens `file` and, when it has memo fields, the .fpt or .dbt of the same name beside it (found
    // without regard to case). The code page is MIGRA_DBF_CODEPAGE's when set, else the header's
    // language-driver byte's (0 meaning CP850). Raises base::Error naming the file when anything is wrong.
    static std::shared_ptr<const DbfTable> open(const std::filesystem::path& file);

    // Reads a table from its sources. `memo` may be null for a table without memo fields; its name's
    // extension (.fpt or .dbt) tells its layout. `codePage`, when given, overrides the header's.
    static std::shared_ptr<const DbfTable> read(std::unique_ptr<ByteSource> table, std::unique_ptr<ByteSource> memo,
                                                std::optional<base::CodePage> codePage = std::nullopt);

    const std::string& name() const { return source_->name(); }
    std::uint8_t version() const { return version_; }
    base::CodePage codePage() const { return codePage_; }
    // The table's own fields, in order; _NullFlags is not among them.
    const std::vector<DbfField>& fields() const { return fields_; }
    // How many records the header counts, deleted ones included.
    std::uint32_t recordCount() const { return recordCount_; }
    std::uint32_t recordLength() const { return recordLength_; }
    std::uint32_t headerLength() const { return headerLength_; }
    // The records not marked deleted: counted on the first call by reading every deletion flag.
    std::uint32_t liveRecordCount() const;

    // The value of field `index` in `record` (the record's bytes, deletion flag first). Raises base::Error
    // naming file, record and field when the bytes do not hold a value of the field's type.
    base::Value value(const char* record, std::size_t index, std::uint32_t recordNumber) const;

    // Reads `count` records from record `first` (0-based) into `buffer`.
    void readRecords(std::uint32_t first, std::uint32_t count, char* buffer) const;

    // An error about this table, and about one record (and field) of it.
    [[noreturn]] void fail(const std::string& what) const;
    [[noreturn]] void fail(std::uint32_t recordNumber, const std::string& what) const;
    [[noreturn]] void fail(std::uint32_t recordNumber, const DbfField& field, const std::string& what) const;

private:
    DbfTable() = default;
    void readHeader(std::optional<base::CodePage> codePage);
    void readFields(const std::string& header);
    void checkSize() const;
    std::string text(const char* bytes, std::size_t length) const;

    std::unique_ptr<ByteSource> source_;
    std::unique_ptr<MemoFile> memo_;
    std::uint8_t version_ = 0;
    base::CodePage codePage_ = base::CodePage::Cp850;
    std::vector<DbfField> fields_;
    std::uint32_t recordCount_ = 0;
    std::uint32_t recordLength_ = 0;
    std::uint32_t headerLength_ = 0;
    std::uint32_t nullFlagsOffset_ = 0;
    std::uint32_t nullFlagsLength_ = 0;
    mutable std::optional<std::uint32_t> liveRecords_;
};

// One pass over a table's records in file order, deleted records skipped unless asked for.
class DbfRecords {
public:
    explicit DbfRecords(std::shared_ptr<const DbfTable> table, bool includeDeleted = false);

    // Moves to the next record; false after the last one.
    bool next();
    // Goes back to before the first record.
    void rewind();

    std::uint32_t recordNumber() const { return current_ + 1; }  // 1-based, as dBase numbers them
    bool deleted() const { return *record() == '*'; }
    base::Value value(std::size_t field) const { return table_->value(record(), field, recordNumber()); }
    const char* record() const { return buffer_.data() + (current_ - first_) * table_->recordLength(); }
    const DbfTable& table() const { return *table_; }

private:
    std::shared_ptr<const DbfTable> table_;
    bool includeDeleted_;
    std::vector<char> buffer_;
    std::uint32_t capacity_;  // records the buffer holds
    std::uint32_t first_ = 0; // the first record in the buffer
    std::uint32_t loaded_ = 0;
    std::uint32_t current_ = 0;
    bool started_ = false;
};

// The code page a header's language-driver byte names; nothing for one this program cannot decode.
std::optional<base::CodePage> codePageOfDriver(std::uint8_t languageDriver);

}  // namespace db::dbf
