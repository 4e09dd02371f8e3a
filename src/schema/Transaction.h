#pragma once

namespace kestrune::db {

class Connection;

// Begins a transaction; unless commit() is reached, the destructor rolls it
// back, so a failing statement anywhere in a change undoes the whole change.
class Transaction {
public:
    explicit Transaction(Connection& connection);
    ~Transaction();
    Transaction(const Transaction&) = delete;
    Transaction& operator=(const Transaction&) = delete;

    void commit();

private:
    Connection& connection_;
    bool done_ = false;
};

} // namespace kestrune::db
