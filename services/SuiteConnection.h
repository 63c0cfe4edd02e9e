#pragma once
// The connection a host declares as the one its suite works on. Services that are not handed a
// connection fall back on it (the fault report records on it). Held weakly: it never keeps a
// connection alive or open.
#include "ado/Ado.h"

namespace services {

void setSuiteConnection(const ado::ConnectionPtr& connection);
// Null when none was declared or it has gone.
ado::ConnectionPtr suiteConnection();

} // namespace services
