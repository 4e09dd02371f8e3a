#include "Transaction.h"

#include "Connection.h"

namespace kestrune::db {

Transaction::Transaction(Connection& connection) : connection_(connection) {
    connection_.begin();
}

Transaction::~Transaction() {
    if (done_)
        return;
    try {
        connection_.rollback();
    } catch (...) {
        // Nothing more can be done while unwinding; SQLite rolls back an open
        // transaction when the connection closes.
    }
}

void Transaction::commit() {
    connection_.commit();
    done_ = true;
}

} // namespace kestrune::db
