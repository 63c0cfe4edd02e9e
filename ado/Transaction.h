#pragma once
// Undoing what a failed unit of work left open on a connection.
#include "ado/Ado.h"

namespace ado {

// Rolls back every transaction level above `level` still open on `connection`.
inline void rollBackTo(Connection& connection, int level) {
    while (connection.TransactionLevel() > level)
        connection.RollbackTrans();
}

// Runs `body`; whatever it throws, the transactions it opened on `connection` are rolled back
// first and the exception goes on to the caller.
template <class F> void rollBackOnError(const ConnectionPtr& connection, F&& body) {
    const int level = connection ? connection->TransactionLevel() : 0;
    try {
        body();
    } catch (...) {
        if (connection) rollBackTo(*connection, level);
        throw;
    }
}

} // namespace ado
