#pragma once
// The connection's list of provider errors. After a statement fails, callers read every entry: the native
// number the database gave (2627 duplicate key, 547 reference, 8152 too long ...), its SQL state and text.

#include <cstddef>
#include <string>
#include <vector>

namespace db {

struct ProviderError {
    long number = 0;       // the kind of failure, as raised (see hresult::)
    long nativeError = 0;  // the database's own error number
    std::string sqlState;
    std::string description;
    std::string source;
};

class ErrorList {
public:
    std::size_t count() const { return entries_.size(); }
    bool empty() const { return entries_.empty(); }
    const ProviderError& item(std::size_t index) const { return entries_.at(index); }
    void clear() { entries_.clear(); }
    void add(ProviderError error) { entries_.push_back(std::move(error)); }

    auto begin() const { return entries_.begin(); }
    auto end() const { return entries_.end(); }

private:
    std::vector<ProviderError> entries_;
};

}  // namespace db
