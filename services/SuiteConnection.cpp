#include "services/SuiteConnection.h"

namespace services {

namespace {
std::weak_ptr<ado::Connection>& slot() {
    static std::weak_ptr<ado::Connection> c;
    return c;
}
} // namespace

void setSuiteConnection(const ado::ConnectionPtr& connection) {
    slot() = connection;
}

ado::ConnectionPtr suiteConnection() {
    return slot().lock();
}

} // namespace services
