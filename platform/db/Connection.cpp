#include "platform/db/Connection.h"

#include "platform/base/Error.h"
#include "platform/db/ConnectionState.h"
#include "platform/db/ConnectionText.h"
#include "platform/db/Recordset.h"

namespace db {
namespace {
constexpr std::string_view kSource = "Connection";
}

Provider& Connection::State::openProvider()
{
    if (!provider)
        throw base::Error(adoerror::kConnectionClosed, "Operation is not allowed when the object is closed.",
                          std::string(kSource));
    return *provider;
}

void Connection::State::raiseIfFailed(std::string_view source) const
{
    if (errors.empty()) return;
    const ProviderError& first = errors.item(0);
    throw base::Error(first.number, first.description, std::string(source));
}

Connection::Connection() : state_(std::make_shared<State>()) {}

Connection::~Connection() { close(); }

const std::string& Connection::connectionString() const { return state_->text; }
void Connection::setConnectionString(std::string text) { state_->text = std::move(text); }
CursorLocation Connection::cursorLocation() const { return state_->cursorLocation; }
void Connection::setCursorLocation(CursorLocation location) { state_->cursorLocation = location; }
int Connection::commandTimeout() const { return state_->commandTimeout; }
long Connection::isolationLevel() const { return state_->isolationLevel; }
const std::string& Connection::defaultDatabase() const { return state_->defaultDatabase; }
ErrorList& Connection::errors() { return state_->errors; }
const ErrorList& Connection::errors() const { return state_->errors; }
int Connection::state() const { return state_->provider ? kStateOpen : kStateClosed; }

void Connection::setCommandTimeout(int seconds)
{
    state_->commandTimeout = seconds;
    if (state_->provider) state_->provider->setCommandTimeout(seconds);
}

void Connection::setIsolationLevel(long level)
{
    state_->isolationLevel = level;
    if (state_->provider) state_->provider->setIsolationLevel(level);
}

void Connection::setDefaultDatabase(std::string name)
{
    if (state_->provider) state_->provider->setDefaultDatabase(name);
    state_->defaultDatabase = std::move(name);
}

void Connection::open(std::string_view text, std::string_view user, std::string_view password, long /*options*/)
{
    State& s = *state_;
    s.errors.clear();
    if (s.provider)
        throw base::Error(adoerror::kAlreadyOpen, "Operation is not allowed when the object is open.",
                          std::string(kSource));
    if (!text.empty()) s.text = std::string(text);
    std::string effective = s.text;
    if (!user.empty()) effective += ";User ID=" + std::string(user);
    if (!password.empty()) effective += ";Password=" + std::string(password);
    try {
        s.provider = openProvider(ConnectionText::parse(effective));
    } catch (const base::Error& e) {
        s.errors.add({e.number(), 0, "08001", e.description(), e.source()});
        throw;
    }
    s.provider->setCommandTimeout(s.commandTimeout);
    s.provider->setIsolationLevel(s.isolationLevel);
    if (!s.defaultDatabase.empty()) s.provider->setDefaultDatabase(s.defaultDatabase);
}

void Connection::close() { state_->provider.reset(); }

long Connection::execute(std::string_view text, long /*options*/)
{
    state_->errors.clear();
    const long affected = state_->openProvider().execute(text, state_->errors);
    state_->raiseIfFailed(kSource);
    return affected;
}

void Connection::beginTrans()
{
    state_->errors.clear();
    state_->openProvider().beginTransaction(state_->errors);
    state_->raiseIfFailed(kSource);
}

void Connection::commitTrans()
{
    state_->errors.clear();
    state_->openProvider().commitTransaction(state_->errors);
    state_->raiseIfFailed(kSource);
}

void Connection::rollbackTrans()
{
    state_->errors.clear();
    state_->openProvider().rollbackTransaction(state_->errors);
    state_->raiseIfFailed(kSource);
}

Recordset Connection::openSchema(SchemaKind kind, const std::vector<base::Value>& restrictions)
{
    state_->errors.clear();
    Provider& provider = state_->openProvider();
    std::unique_ptr<RowCursor> rows;
    if (kind == SchemaKind::Tables) {
        rows = provider.tables(state_->errors);
    } else {
        const bool named = restrictions.size() > 2 && !restrictions[2].isNull() && !restrictions[2].isEmpty();
        rows = provider.columns(named ? restrictions[2].toText() : std::string(), state_->errors);
    }
    state_->raiseIfFailed(kSource);
    Recordset recordset;
    recordset.openRows(std::move(rows));
    return recordset;
}

std::string Connection::dateLiteral(const base::DateTime& value) const
{
    return state_->provider ? state_->provider->dateLiteral(value) : "'" + value.toIso() + "'";
}

}  // namespace db
