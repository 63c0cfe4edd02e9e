#pragma once
// The server registry: a plain text file mapping ProgIDs to the class id and the library that
// serves them, written by a server's DllRegisterServer and read by CreateObject.
//
// One registration per line, five fields separated by tabs:
//   ProgID  class id  class name  description  library path
// Blank lines and lines starting with '#' are comments; lines this layer does not understand
// are kept as they are when the file is rewritten.
#include "automation/Server.h"

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace automation {

struct ServerEntry {
    std::string progId;
    Guid clsid;
    std::string className;
    std::string description;
    std::string library;
};

// The file in use: the path set here, else $IDJ_REGISTRY, else $HOME/.idjrnl08/registry.
// An empty path goes back to the environment's choice.
void setRegistryPath(std::string path);
std::string registryPath();

// ProgIDs compare without regard to case. A missing file holds no registrations.
std::optional<ServerEntry> findServer(std::string_view progId);
std::vector<ServerEntry> registeredServers();

// Adds the registration, replacing one of the same ProgID; creates the file and its folder.
// Raises 75 when the file cannot be written, 5 for a field holding a tab or line break.
void registerServer(const ServerEntry& entry);
// Removes the ProgID's registration; false when there was none.
bool unregisterServer(std::string_view progId);

} // namespace automation
