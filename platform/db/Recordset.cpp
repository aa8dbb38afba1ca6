#include "platform/db/Recordset.h"

#include "platform/base/Error.h"
#include "platform/db/ConnectionState.h"
#include "platform/db/ConnectionText.h"
#include "platform/db/SingleTable.h"

#include <bit>
#include <cctype>
#include <fmt/format.h>
#include <unordered_map>
#include <utility>

namespace db {
namespace {

constexpr std::string_view kSource = "Recordset";

[[noreturn]] void fail(long number, std::string description)
{
    throw base::Error(number, std::move(description), std::string(kSource));
}

[[noreturn]] void noCurrentRecord()
{
    fail(adoerror::kNoCurrentRecord,
         "Either BOF or EOF is True, or the current record has been deleted. Requested operation requires a "
         "current record.");
}

[[noreturn]] void raiseWriteFailure(const Connection::State& state, std::string_view table)
{
    state.raiseIfFailed(kSource);
    fail(hresult::kUnspecified, fmt::format("The row of {} could not be written.", table));
}

// Counts a recordset read in full among those whose walk goes on, so the connection's provider may let the
// lookups made meanwhile share one read of the database.
class Walk {
public:
    Walk() = default;
    explicit Walk(std::shared_ptr<Connection::State> state) : state_(std::move(state))
    {
        if (state_->walking++ == 0 && state_->provider) state_->provider->keepReading(true);
    }
    Walk(Walk&& other) noexcept : state_(std::move(other.state_)) {}
    Walk& operator=(Walk&& other) noexcept
    {
        if (this != &other) {
            end();
            state_ = std::move(other.state_);
        }
        return *this;
    }
    ~Walk() { end(); }

    void end()
    {
        if (state_ && --state_->walking == 0 && state_->provider) state_->provider->keepReading(false);
        state_.reset();
    }

private:
    std::shared_ptr<Connection::State> state_;
};

// The rows of a snapshot in blocks of whole rows, so that a row read costs no room of its own and no row
// already read is moved again as more come. The blocks grow from 1 row by doubling up to kBlockRows rows,
// and stay at that: a small result takes little room, and a large one is made of blocks the allocator
// keeps at hand rather than of large ones it maps (and the system zeroes) anew for every read. A block is
// filled as rows come: the room of rows never read is never touched.
class Snapshot {
public:
    explicit Snapshot(std::size_t width = 0) : width_(width) {}
    long size() const { return static_cast<long>(count_); }
    bool empty() const { return count_ == 0; }
    // Takes the row's values; the row keeps its room for the next one.
    void append(Row& row)
    {
        const auto [block, offset] = placeOf(count_);
        if (block == blocks_.size()) blocks_.emplace_back().reserve(rowsIn(block) * width_);
        std::vector<base::Value>& values = blocks_.back();
        for (std::size_t i = 0; i < width_; ++i) values.push_back(i < row.size() ? std::move(row[i]) : base::Value());
        ++count_;
    }
    base::Value* at(long index) { return const_cast<base::Value*>(place(static_cast<std::size_t>(index))); }
    const base::Value* at(long index) const { return place(static_cast<std::size_t>(index)); }

private:
    static constexpr std::size_t kDoublings = 6;                           // blocks of 1, 2, 4 ... 32 rows
    static constexpr std::size_t kBlockRows = std::size_t{1} << kDoublings;  // then blocks of 64 rows
    static constexpr std::size_t kGrowing = kBlockRows - 1;                // rows in the growing blocks

    static std::size_t rowsIn(std::size_t block) { return block < kDoublings ? std::size_t{1} << block : kBlockRows; }
    // The block of row `index` and the row's place in it.
    static std::pair<std::size_t, std::size_t> placeOf(std::size_t index)
    {
        if (index < kGrowing) {
            const auto block = static_cast<std::size_t>(std::bit_width(index + 1)) - 1;
            return {block, index + 1 - (std::size_t{1} << block)};
        }
        return {kDoublings + (index - kGrowing) / kBlockRows, (index - kGrowing) % kBlockRows};
    }
    const base::Value* place(std::size_t index) const
    {
        const auto [block, offset] = placeOf(index);
        return blocks_[block].data() + offset * width_;
    }

    std::size_t width_;
    std::vector<std::vector<base::Value>> blocks_;
    std::size_t count_ = 0;
};

}  // namespace

struct Recordset::Impl {
    enum class Edit { None, Editing, Adding };

    bool open = false;
    std::shared_ptr<const std::vector<ColumnInfo>> described;  // shared with the other recordsets of its statement
    const std::vector<ColumnInfo>& columns() const { return *described; }
    // The columns by their folded names, made once a recordset of more than a few columns has been asked
    // for more than a few of them: a lookup's row is read by a handful of names, a walk's rows by many.
    static constexpr std::size_t kScannedColumns = 8;
    static constexpr unsigned kScannedLookups = 16;
    unsigned lookups = 0;
    std::unordered_map<std::string, std::size_t> byName;

    // A snapshot keeps every row; a stream keeps the cursor and the current row only.
    bool snapshot = true;
    Snapshot rows;
    long position = 0;  // snapshot: -1 before the first row, rows.size() after the last
    std::unique_ptr<RowCursor> cursor;
    Row current;
    long streamed = 0;  // rows read from the stream so far
    bool streamAtEnd = false;
    long streamCount = -1;
    Walk walk;  // a snapshot with rows, until the walk first reaches its end

    // Writing.
    std::shared_ptr<Connection::State> connection;
    std::string table;
    bool updatable = false;
    Edit edit = Edit::None;
    std::vector<std::optional<base::Value>> pending;
    Row added;

    void requireOpen() const
    {
        if (!open) fail(adoerror::kClosed, "Operation is not allowed when the object is closed.");
    }

    bool bof() const { return snapshot ? rows.empty() || position < 0 : streamed == 0; }
    bool eof() const { return snapshot ? rows.empty() || position >= rows.size() : streamAtEnd; }

    bool hasCurrentRow() const { return edit == Edit::Adding || !(bof() || eof()); }
    // The current row's values, one per column; only when there is a current row.
    const base::Value* currentRow() const
    {
        if (edit == Edit::Adding) return added.data();
        return snapshot ? rows.at(position) : current.data();
    }

    void advanceStream()
    {
        if (!cursor || !cursor->next(current)) {
            streamAtEnd = true;
            current.clear();
            return;
        }
        ++streamed;
    }

    std::size_t indexOf(std::string_view name)
    {
        // Of two columns with one name, the later answers (SELECT *, X AS IDUNIDAD over a table with IDUNIDAD).
        const std::vector<ColumnInfo>& all = columns();
        if (byName.empty() && (all.size() <= kScannedColumns || ++lookups <= kScannedLookups)) {
            for (std::size_t i = all.size(); i-- > 0;)
                if (sameName(all[i].name, name)) return i;
        } else {
            if (byName.empty())
                for (std::size_t i = 0; i < all.size(); ++i) byName.insert_or_assign(folded(all[i].name), i);
            if (const auto found = byName.find(folded(name)); found != byName.end()) return found->second;
        }
        fail(adoerror::kNotFoundInCollection,
             fmt::format("Item cannot be found in the collection corresponding to the requested name or ordinal "
                         "({}).",
                         name));
    }

    // equalsIgnoringCase, with the bytes that are alike passed over first.
    static bool sameName(std::string_view a, std::string_view b)
    {
        if (a.size() != b.size()) return false;
        for (std::size_t i = 0; i < a.size(); ++i) {
            const auto x = static_cast<unsigned char>(a[i]), y = static_cast<unsigned char>(b[i]);
            if (x != y && std::tolower(x) != std::tolower(y)) return false;
        }
        return true;
    }

    // A name in the one case equalsIgnoringCase compares in.
    static std::string folded(std::string_view name)
    {
        std::string text(name);
        for (char& c : text) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
        return text;
    }

    void flushPendingEdit(Recordset& self)
    {
        if (edit != Edit::None) self.update();
    }
};

const std::string& Field::name() const { return recordset_->impl_->columns()[index_].name; }
AdoType Field::type() const { return recordset_->impl_->columns()[index_].type; }
long Field::definedSize() const { return recordset_->impl_->columns()[index_].definedSize; }

const base::Value& Field::value() const
{
    Recordset::Impl& r = *recordset_->impl_;
    if (!r.hasCurrentRow()) noCurrentRecord();
    if (r.edit != Recordset::Impl::Edit::None && r.pending[index_]) return *r.pending[index_];
    return r.currentRow()[index_];
}

void Field::setValue(base::Value value)
{
    Recordset::Impl& r = *recordset_->impl_;
    r.requireOpen();
    if (!r.updatable) fail(adoerror::kNotUpdatable, "Current Recordset does not support updating.");
    if (r.edit == Recordset::Impl::Edit::None) {
        if (!r.hasCurrentRow()) noCurrentRecord();
        r.edit = Recordset::Impl::Edit::Editing;
        r.pending.assign(r.columns().size(), std::nullopt);
    }
    r.pending[index_] = std::move(value);
}

Recordset::Recordset() : impl_(std::make_unique<Impl>()) {}
Recordset::~Recordset() = default;
Recordset::Recordset(Recordset&&) noexcept = default;
Recordset& Recordset::operator=(Recordset&&) noexcept = default;

void Recordset::open(std::string_view statement, Connection& connection, std::optional<CursorType> cursor,
                     std::optional<LockType> lock, long /*options*/)
{
    if (impl_->open) fail(adoerror::kAlreadyOpen, "Operation is not allowed when the object is open.");
    const CursorType cursorKind = cursor.value_or(cursorType);
    const LockType lockKind = lock.value_or(lockType);
    cursorType = cursorKind;
    lockType = lockKind;

    Connection::State& state = *connection.state_;
    state.errors.clear();
    Provider& provider = state.openProvider();
    std::unique_ptr<RowCursor> rows = provider.query(statement, state.errors);
    state.raiseIfFailed(kSource);
    if (!rows) fail(hresult::kUnspecified, "The provider returned no rows for: " + std::string(statement));

    const bool wantsUpdates = lockKind != LockType::ReadOnly;
    std::optional<std::string> table;
    if (wantsUpdates) {
        table = singleTableOf(statement);
        if (provider.readOnly() || !table)
            fail(adoerror::kNotUpdatable, "Current Recordset does not support updating: " + std::string(statement));
    }

    Impl fresh;
    fresh.described = rows->takeColumns();
    fresh.rows = Snapshot(fresh.columns().size());
    const CursorLocation location = cursorLocation.value_or(state.cursorLocation);
    fresh.snapshot = location == CursorLocation::Client || cursorKind != CursorType::ForwardOnly || wantsUpdates;
    if (fresh.snapshot) {
        Row row;
        while (rows->next(row)) fresh.rows.append(row);
        rows.reset();
        if (!fresh.rows.empty()) fresh.walk = Walk(connection.state_);
    } else {
        fresh.streamCount = rows->knownCount();
        fresh.cursor = std::move(rows);
        fresh.advanceStream();
    }
    if (wantsUpdates) {
        fresh.updatable = true;
        fresh.table = *table;
        fresh.connection = connection.state_;
    }
    fresh.open = true;
    *impl_ = std::move(fresh);
}

void Recordset::openRows(std::unique_ptr<RowCursor> rows)
{
    if (impl_->open) fail(adoerror::kAlreadyOpen, "Operation is not allowed when the object is open.");
    Impl fresh;
    fresh.described = rows->takeColumns();
    fresh.rows = Snapshot(fresh.columns().size());
    Row row;
    while (rows->next(row)) fresh.rows.append(row);
    fresh.open = true;
    *impl_ = std::move(fresh);
}

int Recordset::state() const { return impl_->open ? kStateOpen : kStateClosed; }

void Recordset::close()
{
    impl_->requireOpen();
    *impl_ = Impl();
}

// A closed recordset has no rows: a walk over one that never opened ends at once instead of failing.
bool Recordset::bof() const { return !impl_->open || impl_->bof(); }
bool Recordset::eof() const { return !impl_->open || impl_->eof(); }

void Recordset::moveFirst()
{
    impl_->requireOpen();
    impl_->flushPendingEdit(*this);
    if (impl_->snapshot) {
        impl_->position = 0;
        return;
    }
    // A forward-only stream cannot go back; being on its first row already is all the callers ask.
    if (impl_->streamed > 1)
        fail(3219, "Operation is not allowed in this context: a forward-only recordset cannot move back.");
}

void Recordset::moveNext()
{
    impl_->requireOpen();
    impl_->flushPendingEdit(*this);
    if (impl_->eof()) noCurrentRecord();
    if (!impl_->snapshot) {
        impl_->advanceStream();
        return;
    }
    if (++impl_->position >= impl_->rows.size()) impl_->walk.end();
}

void Recordset::movePrevious()
{
    impl_->requireOpen();
    if (!impl_->snapshot) fail(3219, "Operation is not allowed in this context: a forward-only recordset cannot move back.");
    impl_->flushPendingEdit(*this);
    if (impl_->bof()) noCurrentRecord();
    --impl_->position;
}

void Recordset::moveLast()
{
    impl_->requireOpen();
    impl_->flushPendingEdit(*this);
    if (!impl_->snapshot) fail(3219, "Operation is not allowed in this context: a forward-only recordset cannot move back.");
    impl_->position = impl_->rows.size() - 1;
    if (impl_->rows.empty()) impl_->position = 0;
}

long Recordset::recordCount() const
{
    impl_->requireOpen();
    return impl_->snapshot ? impl_->rows.size() : impl_->streamCount;
}

std::size_t Recordset::fieldCount() const
{
    impl_->requireOpen();
    return impl_->columns().size();
}

Field Recordset::field(std::size_t index)
{
    impl_->requireOpen();
    if (index >= impl_->columns().size())
        fail(adoerror::kNotFoundInCollection,
             fmt::format("Item cannot be found in the collection corresponding to the requested name or ordinal "
                         "({}).",
                         index));
    return Field(*this, index);
}

Field Recordset::field(std::string_view name)
{
    impl_->requireOpen();
    return Field(*this, impl_->indexOf(name));
}

std::vector<Row> Recordset::getRows(long count)
{
    impl_->requireOpen();
    std::vector<Row> result;
    while (!impl_->eof() && (count < 0 || static_cast<long>(result.size()) < count)) {
        const base::Value* row = impl_->currentRow();
        result.emplace_back(row, row + impl_->columns().size());
        moveNext();
    }
    return result;
}

void Recordset::addNew()
{
    impl_->requireOpen();
    if (!impl_->updatable) fail(adoerror::kNotUpdatable, "Current Recordset does not support updating.");
    impl_->flushPendingEdit(*this);
    impl_->edit = Impl::Edit::Adding;
    impl_->pending.assign(impl_->columns().size(), std::nullopt);
    impl_->added.assign(impl_->columns().size(), base::Value::null());
}

void Recordset::update()
{
    Impl& r = *impl_;
    r.requireOpen();
    if (r.edit == Impl::Edit::None) return;
    Connection::State& state = *r.connection;
    Provider& provider = state.openProvider();
    state.errors.clear();

    NamedValues assigned;
    for (std::size_t i = 0; i < r.columns().size(); ++i)
        if (r.pending[i]) assigned.emplace_back(r.columns()[i].name, *r.pending[i]);

    if (r.edit == Impl::Edit::Adding) {
        if (!provider.insertRow(r.table, assigned, state.errors)) raiseWriteFailure(state, r.table);
        Row row = r.added;
        for (std::size_t i = 0; i < r.columns().size(); ++i)
            if (r.pending[i]) row[i] = *r.pending[i];
        r.rows.append(row);
        r.position = r.rows.size() - 1;
    } else {
        base::Value* row = r.rows.at(r.position);
        // The row is found by its primary key when the recordset holds it, else by every value as read.
        NamedValues key;
        for (const std::string& column : provider.primaryKey(r.table)) {
            std::size_t index = r.columns().size();
            for (std::size_t i = 0; i < r.columns().size(); ++i)
                if (equalsIgnoringCase(r.columns()[i].name, column)) index = i;
            if (index == r.columns().size()) { key.clear(); break; }
            key.emplace_back(r.columns()[index].name, row[index]);
        }
        if (key.empty())
            for (std::size_t i = 0; i < r.columns().size(); ++i) key.emplace_back(r.columns()[i].name, row[i]);
        if (!provider.updateRow(r.table, assigned, key, state.errors)) raiseWriteFailure(state, r.table);
        for (std::size_t i = 0; i < r.columns().size(); ++i)
            if (r.pending[i]) row[i] = *r.pending[i];
    }
    r.edit = Impl::Edit::None;
    r.pending.clear();
}

void Recordset::cancelUpdate()
{
    impl_->requireOpen();
    impl_->edit = Impl::Edit::None;
    impl_->pending.clear();
}

}  // namespace db
